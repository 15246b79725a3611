#pragma once
// Keyboard access to a surface control. A surface control is not a window, so
// it cannot hold the focus itself; this invisible child of the page lies over
// the control's rectangle and does it for it: it takes the focus by Tab or
// when the control is clicked, hands arrow keys to the control, and lets the
// control draw a focus frame. Mouse events pass through it to the page, which
// forwards them to the control as before.

#include <QWidget>
#include <functional>
#include <optional>

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

// The position an arrow, Home or End key selects among `count` positions, or
// null for any other key. `forwardKeys` are the two arrows that step towards
// the last position (a knob turns clockwise with Right and Up, a lever moves
// down with Down and Right).
std::optional<int> KeyTarget(int key, int selected, int count, std::pair<int, int> forwardKeys);
