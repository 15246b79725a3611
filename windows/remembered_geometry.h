#pragma once
// A tool window's size and place, kept between runs under one settings key.

#include <QSize>
#include <QString>

class QWidget;

class RememberedGeometry {
public:
    RememberedGeometry(QWidget& window, QString key);
    // Saves once more as the window goes.
    ~RememberedGeometry();
    RememberedGeometry(const RememberedGeometry&) = delete;
    RememberedGeometry& operator=(const RememberedGeometry&) = delete;

    // The saved geometry, or `firstSize` when none was saved (or it no
    // longer fits): call once the window's layout is built.
    void Restore(QSize firstSize);
    void Save() const;

private:
    QWidget& window_;
    const QString key_;
};
