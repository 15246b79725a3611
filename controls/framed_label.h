#pragma once
// A text field with a 2-pixel bevelled frame: the panels' title bars, value
// fields and captions. It takes the place of a template control.

#include <QFont>
#include <QPointer>
#include <QString>
#include <QWidget>
#include <optional>

#include "platform/colour_ref.h"

class FramedLabel : public QWidget {
    Q_OBJECT

public:
    // Built as (background, text colour, PanelColor 2, PanelColor 3, bevelled)
    // the label looks sunken; SwapEdgeColors() after construction raises it.
    // Without a font or font owner it draws with the font of its page.
    FramedLabel(ColorRef background, ColorRef textColor, ColorRef firstEdge, ColorRef secondEdge,
                bool bevelled, std::optional<QFont> font = std::nullopt,
                QWidget* fontOwner = nullptr);

    // Takes the place of template control `id` of `page` (see template_control.h).
    bool Attach(QWidget& page, int id);

    // Stores the text and repaints at once; the same text again repaints nothing.
    void SetText(const QString& text);
    const QString& Text() const { return text_; }

    // Highlight on the left and top, shadow on the right and bottom.
    void SwapEdgeColors();

    ColorRef Background() const { return background_; }
    ColorRef TextColor() const { return textColor_; }
    ColorRef FirstEdge() const { return firstEdge_; }
    ColorRef SecondEdge() const { return secondEdge_; }
    bool Bevelled() const { return bevelled_; }

    // Draws the label into a `size` area of `painter` at its origin.
    void Paint(QPainter& painter, const QSize& size) const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QFont DrawingFont() const;

    ColorRef background_;
    ColorRef textColor_;
    ColorRef firstEdge_;
    ColorRef secondEdge_;
    bool bevelled_;
    std::optional<QFont> font_;
    QPointer<QWidget> fontOwner_;
    QString text_;
    // Setting the text fills the inside even of a label without bevel.
    bool textWasSet_ = false;
};

// Where the text of a label starts inside `area`: centred in each direction
// where it fits, at coordinate 0 of the label window where it does not.
QPoint FramedTextOrigin(const QRect& area, const QSize& textSize);
