#pragma once
// Keyboard access to a surface control. A surface control is not a window, so
// it cannot hold the focus itself; this invisible child of the page lies over
// the control's rectangle and does it for it: it takes the focus by Tab or
// when the control is clicked, hands arrow keys to the control, and lets the
// control draw a focus frame. Mouse events pass through it to the page, which
// forwards them to the control as before.

#include <QWidget>
#include <functional>

class SwitchFocusProxy : public QWidget {
public:
    // `onKey` returns true when it used the key; `onFocusChange` is called when
    // the proxy gains or loses the focus.
    SwitchFocusProxy(QWidget& page, const QRect& rectangle, std::function<bool(int)> onKey,
                     std::function<void()> onFocusChange);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    std::function<bool(int)> onKey_;
    std::function<void()> onFocusChange_;
};
