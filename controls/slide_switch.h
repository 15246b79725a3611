#pragma once
// A vertical slide lever with labelled detents, drawn on its page's surface.
// Like RotarySwitch it is not a window: the page forwards paint and mouse
// events (a double-click as a press) and receives a NotifyMessageEvent on
// every release of a press that began inside the lever. When the page gives
// it the focus (Tab, or a click on it), Up and Down (also Left and Right) move
// the thumb one detent, Home and End to the ends, and each change notifies the
// page in the same way.

#include <QPointer>
#include <QRect>
#include <QStringList>
#include <cstdint>
#include <functional>
#include <vector>

#include "controls/slide_geometry.h"
#include "platform/colour_ref.h"

class QPainter;
class QWidget;
class QFontMetrics;
class SwitchFocusProxy;

class SlideSwitch {
public:
    // Style flags.
    static constexpr int kSunkenFrame = 2;
    static constexpr int kDetents = 8;

    // Labels and title come from the string table: labels as a '#'-terminated
    // list, one detent per '#'.
    SlideSwitch(QWidget& parent, int labelsStringId, int titleStringId, int style,
                int notifyMessage, const QRect& rectangle, ColorRef faceColor,
                ColorRef highlightColor, ColorRef shadowColor, ColorRef titleColor);
    ~SlideSwitch();
    SlideSwitch(const SlideSwitch&) = delete;
    SlideSwitch& operator=(const SlideSwitch&) = delete;

    // Draws the whole lever with the painter's current font.
    void Paint(QPainter& painter);
    void MouseDown(const QPoint& point);
    void MouseMove(const QPoint& point);
    void MouseUp(const QPoint& point);
    // Arrow keys, Home and End; true when the key was used.
    bool KeyPress(int key);

    // Selects `index` and repaints, without notifying; ignored outside 0..count-1.
    void SetPosition(int index);
    // Enables or disables (dimmed labels, deaf to the mouse) and repaints.
    void Enable(bool enable);

    int Selected() const { return selected_; }
    bool Enabled() const { return enabled_; }
    int Count() const { return count_; }
    const QStringList& Labels() const { return labels_; }
    const QString& Title() const { return title_; }
    const QRect& Rectangle() const { return rectangle_; }
    bool Dragging() const { return dragging_; }

    // Layout as last computed (at construction with the page's font, then at
    // every paint).
    const slide::Layout& LayoutGeometry() const { return layout_; }
    QRect Thumb() const;

    // The invisible widget that holds the focus for the lever.
    QWidget* FocusWidget() const;
    // How the mouse cursor is put on a tick during a drag (page coordinates);
    // tests replace it.
    void SetCursorMover(std::function<void(const QPoint&)> mover) {
        moveCursor_ = std::move(mover);
    }

private:
    void Layout(const QFontMetrics& metrics);
    int SelectedTickY() const;
    void PaintFrame(QPainter& painter) const;
    void PaintTrack(QPainter& painter) const;
    void PaintTicks(QPainter& painter) const;
    void PaintThumb(QPainter& painter) const;
    void PaintLabels(QPainter& painter) const;
    void PaintTitle(QPainter& painter) const;
    void PaintFocus(QPainter& painter) const;
    void Select(int index);
    void Invalidate();
    void Notify();
    bool HasFocus() const;

    int layoutDone_ = -1;  // the tick column once the first paint has laid out
    ColorRef highlightColor_;
    ColorRef faceColor_;
    ColorRef shadowColor_;
    QStringList labels_;
    int count_;
    int style_;
    bool pressPending_ = false;
    bool dragging_ = false;
    std::uint32_t pressTick_ = 0;
    QPoint pressPoint_;
    QPointer<QWidget> parent_;
    int notifyMessage_;
    bool pressedInside_ = false;
    slide::Layout layout_;
    int selected_ = 0;
    bool snappedDuringDrag_ = false;
    int snapY_ = 0;
    QString title_;
    bool enabled_ = true;
    ColorRef titleColor_;
    ColorRef labelColor_ = kBlack;
    QRect rectangle_;

    QPointer<SwitchFocusProxy> focusProxy_;
    std::function<void(const QPoint&)> moveCursor_;
};
