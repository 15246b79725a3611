#pragma once
// What the knob and the lever share: labelled positions drawn on the page's
// surface, the selection, enabling, the notify message posted to the page and
// keyboard access through an invisible focus widget.

#include <QPoint>
#include <QPointer>
#include <QRect>
#include <QStringList>
#include <functional>
#include <utility>

#include "platform/colour_ref.h"

class QWidget;
class SwitchFocusProxy;

class SurfaceSwitch {
public:
    // Labels and title come from the string table: labels as a '#'-terminated
    // list ("TTLT#SCP#IMM#").
    SurfaceSwitch(QWidget& parent, const QRect& rectangle, int labelsStringId, int titleStringId,
                  ColorRef titleColor, int notifyMessage);
    virtual ~SurfaceSwitch();
    SurfaceSwitch(const SurfaceSwitch&) = delete;
    SurfaceSwitch& operator=(const SurfaceSwitch&) = delete;

    // Arrow keys, Home and End; true when the key was used. A change notifies
    // the page as a click does.
    bool KeyPress(int key);
    // Selects `index` without notifying; ignored outside 0..count-1.
    void SetPosition(int index);
    // Enables or disables (dimmed, deaf to the mouse and keys) and repaints.
    void Enable(bool enable);

    int Selected() const { return selected_; }
    bool Enabled() const { return enabled_; }
    int Count() const { return count_; }
    const QStringList& Labels() const { return labels_; }
    const QString& Title() const { return title_; }
    const QRect& Rectangle() const { return rectangle_; }
    bool Dragging() const { return dragging_; }

    // The invisible widget that holds the focus for the switch.
    QWidget* FocusWidget() const;
    // How the mouse cursor is put on a position during a drag (page
    // coordinates); tests replace it.
    void SetCursorMover(std::function<void(const QPoint&)> mover) {
        moveCursor_ = std::move(mover);
    }

protected:
    // Makes `index` the selection and repaints what it changes.
    virtual void Select(int index) = 0;
    virtual void Invalidate();
    // The two arrow keys that step towards the last position.
    virtual std::pair<int, int> ForwardKeys() const = 0;
    // False when the switch has nothing to select (keys are then ignored).
    virtual bool HasPositions() const { return count_ > 0; }
    // Forgets a press or drag in progress when the switch is disabled.
    virtual void CancelPress() {}

    void Notify();
    bool HasFocus() const;
    // A press inside the switch gives it the keyboard focus.
    void TakeFocus();

    QPointer<QWidget> parent_;
    QStringList labels_;
    int count_;
    QString title_;
    ColorRef titleColor_;
    QRect rectangle_;
    int selected_ = 0;
    bool enabled_ = true;
    bool pressedInside_ = false;
    bool dragging_ = false;
    QPoint pressPoint_;
    std::function<void(const QPoint&)> moveCursor_;

private:
    int notifyMessage_;
    QPointer<SwitchFocusProxy> focusProxy_;
};
