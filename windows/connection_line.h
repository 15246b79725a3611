#pragma once
// The status line under every page: live resource or emulation with its
// reason, the last command sent and the last failure with its time, taken
// from the I/O record whenever its owner polls it (the main window does on
// its tick, which runs anyway; the instrument is never asked).

#include <QLabel>
#include <functional>

#include "instrument/io_record.h"

class ConnectionLine : public QLabel {
    Q_OBJECT

public:
    // `connectionText` gives "LIVE <resource>" or "EMULATED (<reason>)".
    ConnectionLine(const iorecord::IoRecord& record, std::function<QString()> connectionText,
                   QWidget* parent = nullptr);

    // Takes what the record gained and shows the line again.
    void PollNow();
    // The whole line, before it is cut to the window's width.
    QString FullText() const;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void Show();

    const iorecord::IoRecord& record_;
    std::function<QString()> connectionText_;
    std::uint64_t lastSequence_ = 0;
    QString lastCommand_;
    QString lastFailure_;
    // What the line shows now, so that an unchanged line is not laid out again.
    bool shownOnce_ = false;
    QString shownFull_;
    int shownWidth_ = 0;
};
