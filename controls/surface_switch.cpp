#include "controls/surface_switch.h"

#include <QCursor>
#include <QWidget>

#include "controls/notify_message_event.h"
#include "controls/rotary_geometry.h"
#include "controls/switch_focus_proxy.h"
#include "resources/string_table.h"

SurfaceSwitch::SurfaceSwitch(QWidget& parent, const QRect& rectangle, int labelsStringId,
                             int titleStringId, ColorRef titleColor, int notifyMessage)
    : parent_(&parent),
      labels_(rotary::SplitLabels(strings::LoadString(labelsStringId))),
      count_(static_cast<int>(labels_.size())),
      title_(strings::LoadString(titleStringId)),
      titleColor_(titleColor),
      rectangle_(rectangle),
      notifyMessage_(notifyMessage) {
    // The callbacks run only after construction, when the overrides exist.
    focusProxy_ = new SwitchFocusProxy(
        parent, rectangle, [this](int key) { return KeyPress(key); }, [this] { Invalidate(); });
    moveCursor_ = [this](const QPoint& point) {
        if (parent_ != nullptr) {
            QCursor::setPos(parent_->mapToGlobal(point));
        }
    };
}

SurfaceSwitch::~SurfaceSwitch() {
    delete focusProxy_.data();
}

QWidget* SurfaceSwitch::FocusWidget() const {
    return focusProxy_.data();
}

bool SurfaceSwitch::HasFocus() const {
    return focusProxy_ != nullptr && focusProxy_->hasFocus();
}

void SurfaceSwitch::TakeFocus() {
    if (focusProxy_ != nullptr) {
        focusProxy_->setFocus(Qt::MouseFocusReason);
    }
}

bool SurfaceSwitch::KeyPress(int key) {
    if (!enabled_ || !HasPositions()) {
        return false;
    }
    const std::optional<int> target = KeyTarget(key, selected_, count_, ForwardKeys());
    if (!target) {
        return false;
    }
    if (*target != selected_) {
        Select(*target);
        Notify();
    }
    return true;
}

void SurfaceSwitch::SetPosition(int index) {
    if (index < 0 || index >= count_) {
        return;
    }
    Select(index);
}

void SurfaceSwitch::Enable(bool enable) {
    enabled_ = enable;
    if (!enable) {
        dragging_ = false;
        CancelPress();
    }
    if (focusProxy_ != nullptr) {
        focusProxy_->setEnabled(enable);
    }
    Invalidate();
}

void SurfaceSwitch::Notify() {
    PostNotifyMessage(parent_.data(), notifyMessage_);
}

void SurfaceSwitch::Invalidate() {
    if (parent_ != nullptr) {
        parent_->update(rectangle_);
    }
}
