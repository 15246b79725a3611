#include "controls/panel_color.h"

#include <QApplication>
#include <QPalette>

namespace {

ColorRef SystemColor(QPalette::ColorRole role) {
    return FromQColor(QApplication::palette().color(QPalette::Active, role));
}

}  // namespace

ColorRef PanelColor(int index) {
    switch (index) {
        case panel_colors::kBlack:
            return kBlack;
        case panel_colors::kButtonShadow:
            return SystemColor(QPalette::Dark);
        case panel_colors::kButtonHighlight:
            return SystemColor(QPalette::Light);
        case panel_colors::kDarkGrey:
            return Rgb(0x40, 0x40, 0x40);
        case panel_colors::kGrey:
            return Rgb(0x80, 0x80, 0x80);
        case panel_colors::kLightGrey:
            return Rgb(0xC0, 0xC0, 0xC0);
        case panel_colors::kButtonFace:
            return SystemColor(QPalette::Button);
        case panel_colors::kTeal:
            return 0x02808000u;
        default:
            return kWhite;
    }
}
