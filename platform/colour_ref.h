#pragma once
// Colour references as the instrument's panels have always specified them:
// 0x00BBGGRR, with 0x02 in the high byte marking a palette-relative colour.

#include <QColor>
#include <cstdint>

using ColorRef = std::uint32_t;

constexpr ColorRef Rgb(int red, int green, int blue) {
    return static_cast<ColorRef>((red & 0xFF) | ((green & 0xFF) << 8) | ((blue & 0xFF) << 16));
}

constexpr ColorRef PaletteRgb(int red, int green, int blue) {
    return 0x02000000u | Rgb(red, green, blue);
}

constexpr int RedOf(ColorRef ref) {
    return static_cast<int>(ref & 0xFF);
}
constexpr int GreenOf(ColorRef ref) {
    return static_cast<int>((ref >> 8) & 0xFF);
}
constexpr int BlueOf(ColorRef ref) {
    return static_cast<int>((ref >> 16) & 0xFF);
}

// The one place where a reference becomes a Qt colour. Palette-relative
// colours resolve to their RGB part: our displays are true-colour.
QColor ToQColor(ColorRef ref);
ColorRef FromQColor(const QColor& colour);

// Stock brushes of the old panels.
constexpr ColorRef kLightGreyBrush = Rgb(192, 192, 192);
constexpr ColorRef kDarkGreyBrush = Rgb(64, 64, 64);
constexpr ColorRef kGreyText = Rgb(128, 128, 128);  // text of greyed controls
constexpr ColorRef kBlack = Rgb(0, 0, 0);
constexpr ColorRef kWhite = Rgb(255, 255, 255);
