#pragma once
// A scroll bar that repaints only when it would look different. A table
// that grows at its end changes the bar's range with every row it gets, and
// once the rows are many the slider no longer moves: the repaint is wasted.

#include <QRect>
#include <QScrollBar>

class SteadyScrollBar : public QScrollBar {
public:
    using QScrollBar::QScrollBar;

protected:
    void sliderChange(SliderChange change) override;
    void paintEvent(QPaintEvent* event) override;

private:
    // What a range or value change can alter in the drawing.
    struct Look {
        QRect slider;
        bool atMinimum = false;
        bool atMaximum = false;
        bool operator==(const Look& other) const {
            return slider == other.slider && atMinimum == other.atMinimum &&
                   atMaximum == other.atMaximum;
        }
    };
    Look CurrentLook() const;

    Look painted_;
    bool paintedOnce_ = false;
};
