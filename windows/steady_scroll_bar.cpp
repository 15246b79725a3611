#include "windows/steady_scroll_bar.h"

#include <QStyle>
#include <QStyleOptionSlider>

SteadyScrollBar::Look SteadyScrollBar::CurrentLook() const {
    QStyleOptionSlider option;
    initStyleOption(&option);
    return {
        style()->subControlRect(QStyle::CC_ScrollBar, &option, QStyle::SC_ScrollBarSlider, this),
        value() == minimum(), value() == maximum()};
}

void SteadyScrollBar::sliderChange(SliderChange change) {
    // Paging with a button held goes the stock way, which may stop it.
    const bool quiet = !isSliderDown() && repeatAction() == SliderNoAction;
    const bool moved = change == SliderRangeChange || change == SliderValueChange;
    if (quiet && moved && paintedOnce_ && CurrentLook() == painted_) {
        return;
    }
    QScrollBar::sliderChange(change);
}

void SteadyScrollBar::paintEvent(QPaintEvent* event) {
    painted_ = CurrentLook();
    paintedOnce_ = true;
    QScrollBar::paintEvent(event);
}
