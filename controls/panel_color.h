#pragma once
// The colours every panel is drawn with, by index.

#include "platform/colour_ref.h"

namespace panel_colors {
constexpr int kWhite = 0;
constexpr int kBlack = 1;
constexpr int kButtonShadow = 2;
constexpr int kButtonHighlight = 3;
constexpr int kDarkGrey = 4;
constexpr int kGrey = 5;
constexpr int kLightGrey = 6;  // every page's background
constexpr int kButtonFace = 7;
constexpr int kTeal = 8;  // title bars
}  // namespace panel_colors

// 0 white, 1 black, 2 button shadow, 3 button highlight, 4 dark grey, 5 grey,
// 6 light grey, 7 button face, 8 teal (palette-relative); any other white.
ColorRef PanelColor(int index);
