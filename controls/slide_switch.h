#pragma once
// A vertical slide lever with labelled detents, drawn on its page's surface.
// Like RotarySwitch it is not a window: the page forwards paint and mouse
// events (a double-click as a press) and receives a NotifyMessageEvent on
// every release of a press that began inside the lever. When the page gives
// it the focus (Tab, or a click on it), Up and Down (also Left and Right) move
// the thumb one detent, Home and End to the ends, and each change notifies the
// page in the same way.

#include <QRect>
#include <QStringList>
#include <cstdint>
#include <functional>
#include <vector>

#include "controls/slide_geometry.h"
#include "controls/surface_switch.h"
#include "platform/colour_ref.h"

class QPainter;
class QWidget;
class QFontMetrics;

class SlideSwitch : public SurfaceSwitch {
public:
    // Style flags.
    static constexpr int kSunkenFrame = 2;
    static constexpr int kDetents = 8;

    // Labels and title come from the string table: labels as a '#'-terminated
    // list, one detent per '#'.
    SlideSwitch(QWidget& parent, int labelsStringId, int titleStringId, int style,
                int notifyMessage, const QRect& rectangle, ColorRef faceColor,
                ColorRef highlightColor, ColorRef shadowColor, ColorRef titleColor);
    ~SlideSwitch() override;

    // Draws the whole lever with the painter's current font.
    void Paint(QPainter& painter);
    void MouseDown(const QPoint& point);
    void MouseMove(const QPoint& point);
    void MouseUp(const QPoint& point);

    // Layout as last computed (at construction with the page's font, then at
    // every paint).
    const slide::Layout& LayoutGeometry() const { return layout_; }
    QRect Thumb() const;

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
    void Select(int index) override;
    std::pair<int, int> ForwardKeys() const override;
    void CancelPress() override;

    int layoutDone_ = -1;  // the tick column once the first paint has laid out
    ColorRef highlightColor_;
    ColorRef faceColor_;
    ColorRef shadowColor_;
    int style_;
    bool pressPending_ = false;
    std::uint32_t pressTick_ = 0;
    slide::Layout layout_;
    bool snappedDuringDrag_ = false;
    int snapY_ = 0;
    ColorRef labelColor_ = kBlack;
};
