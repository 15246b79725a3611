#pragma once
// A rotary knob with labelled positions, drawn on its page's surface. It is
// not a window: the page forwards its paint and mouse events (a double-click
// as a press) and receives a NotifyMessageEvent whenever the operator has
// chosen a position, by click or at the end of a drag (also when the position
// did not change). When the page gives it the focus (Tab, or a click on it),
// the arrow keys turn it one position, Home and End go to the ends, and each
// change notifies the page in the same way.

#include <QImage>
#include <QRect>
#include <QStringList>
#include <QTimer>
#include <functional>
#include <vector>

#include "controls/rotary_geometry.h"
#include "controls/surface_switch.h"
#include "platform/colour_ref.h"

class QPainter;
class QWidget;
class QFontMetrics;

class RotarySwitch : public SurfaceSwitch {
public:
    // Labels and title come from the string table: labels as a '#'-terminated
    // list ("TTLT#SCP#IMM#"), 3 to 8 of them give positions.
    RotarySwitch(int labelsStringId, int titleStringId, QWidget& parent, const QRect& rectangle,
                 double marginDivisor, ColorRef titleColor, int notifyMessage);
    ~RotarySwitch() override;

    // Draws the whole knob with the painter's current font.
    void Paint(QPainter& painter);
    void MouseDown(const QPoint& point);
    void MouseMove(const QPoint& point);
    void MouseUp(const QPoint& point);

    // Geometry as last laid out (at construction with the page's font, then
    // at every paint).
    const rotary::Knob& KnobGeometry() const { return knob_; }
    const std::vector<QPoint>& Anchors() const { return anchors_; }
    const std::vector<QRect>& LabelRects() const { return labelRects_; }
    const QRect& GrabSquare() const { return grabSquare_; }

private:
    void Layout(const QFontMetrics& metrics);
    double PointerRadians() const;
    void PaintFace(QPainter& painter) const;
    void PaintKnob(QPainter& painter) const;
    QImage KnobImage(const QRect& area) const;
    void PaintPointer(QPainter& painter, const QColor& colour) const;
    void PaintPositions(QPainter& painter);
    void PaintTitle(QPainter& painter) const;
    void PaintFocus(QPainter& painter) const;
    void Select(int index) override;
    void Invalidate() override;
    std::pair<int, int> ForwardKeys() const override;
    bool HasPositions() const override { return !degrees_.empty(); }

    ColorRef faceColor_ = 0xC0C0C0;
    ColorRef discColor_ = 0x808080;
    ColorRef ringLightColor_ = 0xFFFFFF;
    ColorRef ringDarkColor_ = 0x404040;
    ColorRef pointerColor_ = 0xFFFF00;  // cyan
    double pointerAngle_;
    std::vector<double> degrees_;  // of each position; empty without positions
    std::vector<QPoint> anchors_;
    std::vector<QRect> labelRects_;
    ColorRef labelTextColor_ = kBlack;
    double marginDivisor_;
    int highlighted_ = 0;
    rotary::Knob knob_;
    QRect grabSquare_;

    // The pointer shows white for a moment when a drag begins.
    bool flash_ = false;
    QTimer flashTimer_;
};
