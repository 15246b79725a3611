#pragma once
// A rotary knob with labelled positions, drawn on its page's surface. It is
// not a window: the page forwards its paint and mouse events (a double-click
// as a press) and receives a NotifyMessageEvent whenever the operator has
// chosen a position, by click or at the end of a drag (also when the position
// did not change). When the page gives it the focus (Tab, or a click on it),
// the arrow keys turn it one position, Home and End go to the ends, and each
// change notifies the page in the same way.

#include <QImage>
#include <QPointer>
#include <QRect>
#include <QStringList>
#include <QTimer>
#include <functional>
#include <vector>

#include "controls/rotary_geometry.h"
#include "platform/colour_ref.h"

class QPainter;
class QWidget;
class QFontMetrics;
class SwitchFocusProxy;

class RotarySwitch {
public:
    // Labels and title come from the string table: labels as a '#'-terminated
    // list ("TTLT#SCP#IMM#"), 3 to 8 of them give positions.
    RotarySwitch(int labelsStringId, int titleStringId, QWidget& parent, const QRect& rectangle,
                 double marginDivisor, ColorRef titleColor, int notifyMessage);
    ~RotarySwitch();
    RotarySwitch(const RotarySwitch&) = delete;
    RotarySwitch& operator=(const RotarySwitch&) = delete;

    // Draws the whole knob with the painter's current font.
    void Paint(QPainter& painter);
    void MouseDown(const QPoint& point);
    void MouseMove(const QPoint& point);
    void MouseUp(const QPoint& point);
    // Arrow keys, Home and End; true when the key was used.
    bool KeyPress(int key);

    // Selects `index` without notifying; ignored outside 0..count-1.
    void SetPosition(int index);
    // Enables or disables (dimmed, deaf to the mouse) and repaints.
    void Enable(bool enable);

    int Selected() const { return selected_; }
    bool Enabled() const { return enabled_; }
    int Count() const { return count_; }
    const QStringList& Labels() const { return labels_; }
    const QString& Title() const { return title_; }
    const QRect& Rectangle() const { return rectangle_; }
    bool Dragging() const { return dragging_; }

    // Geometry as last laid out (at construction with the page's font, then
    // at every paint).
    const rotary::Knob& KnobGeometry() const { return knob_; }
    const std::vector<QPoint>& Anchors() const { return anchors_; }
    const std::vector<QRect>& LabelRects() const { return labelRects_; }
    const QRect& GrabSquare() const { return grabSquare_; }

    // The invisible widget that holds the focus for the knob.
    QWidget* FocusWidget() const;
    // How the mouse cursor is put on a position's anchor during a drag (page
    // coordinates); tests replace it.
    void SetCursorMover(std::function<void(const QPoint&)> mover) {
        moveCursor_ = std::move(mover);
    }

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
    void Select(int index);
    void Invalidate();
    void Notify();
    bool HasFocus() const;

    QPointer<QWidget> parent_;
    ColorRef faceColor_ = 0xC0C0C0;
    ColorRef discColor_ = 0x808080;
    ColorRef ringLightColor_ = 0xFFFFFF;
    ColorRef ringDarkColor_ = 0x404040;
    ColorRef pointerColor_ = 0xFFFF00;  // cyan
    double pointerAngle_;
    QStringList labels_;
    int count_;
    std::vector<double> degrees_;  // of each position; empty without positions
    std::vector<QPoint> anchors_;
    std::vector<QRect> labelRects_;
    ColorRef titleColor_;
    ColorRef labelTextColor_ = kBlack;
    QRect rectangle_;
    int notifyMessage_;
    double marginDivisor_;
    QString title_;
    int selected_ = 0;
    int highlighted_ = 0;
    bool enabled_ = true;
    bool pressedInside_ = false;
    bool dragging_ = false;
    QPoint pressPoint_;
    rotary::Knob knob_;
    QRect grabSquare_;

    // The pointer shows white for a moment when a drag begins.
    bool flash_ = false;
    QTimer flashTimer_;
    QPointer<SwitchFocusProxy> focusProxy_;
    std::function<void(const QPoint&)> moveCursor_;
};
