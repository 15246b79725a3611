#pragma once
// The geometry of the slide lever as plain functions: the layout of thumb,
// track and ticks inside the lever's rectangle, the thumb's arrow outline, the
// nearest detent and the snapping of a drag. SlideSwitch paints and
// hit-tests from these.

#include <QPoint>
#include <QRect>
#include <array>
#include <vector>

namespace slide {

constexpr int kTrackWidth = 6;
constexpr int kTickLength = 5;
constexpr int kSnapDistance = 6;       // pixels the mouse must leave the last snap
constexpr unsigned kDragDelayMs = 75;  // a press on the thumb waits this long
constexpr int kDragSlop = 3;           // and for this much movement

struct Layout {
    QSize thumbSize;  // rectangle width / 3 by half of that
    int thumbLeft = 0;
    QRect track;  // 6 pixels wide; bottom() is the last pixel row
    int trackTop = 0;
    int trackBottom = 0;  // the track's end, one below its last pixel row
    int tickColumn = 0;   // x of the tick column: the thumb's right + 3
    std::vector<int>
        ticks;  // y of each detent, the first at the track top and the last at the bottom
};

// The layout for `detents` positions of a lever whose title line is
// `textHeight` pixels high.
Layout LayoutIn(const QRect& rectangle, int textHeight, int detents);

// The y of detent `index` among `detents` spread from `top` to `bottom`
// (the last exactly at `bottom`).
int TickY(int top, int bottom, int index, int detents);

// The thumb centred vertically on `y`.
QRect ThumbAt(const Layout& layout, int y);

// The thumb's arrow pointing right at the ticks: (left, top),
// (centre x + 4, top), (right, middle y), (centre x + 4, bottom), (left, bottom),
// with right and bottom one past the thumb's last pixel.
std::array<QPoint, 5> ThumbOutline(const QRect& thumb);

// The detent whose tick is nearest to `y` (the first of equals); -1 without ticks.
int NearestTick(const std::vector<int>& ticks, int y);

// One move of a drag: the detent the thumb goes to when the mouse is at `y`
// (already clamped to the track) and the cursor was last put on `snapY`.
// `moved` tells whether the thumb left its place (a snap): it stays while the
// mouse is less than 6 pixels from `snapY`, and otherwise steps one detent
// towards the mouse.
struct Snap {
    int selected = 0;
    bool moved = false;
};
Snap SnapDrag(const std::vector<int>& ticks, int selected, int snapY, int y);

}  // namespace slide
