#pragma once
// The application's style, except for the tool-bar extension icons: every
// menu bar asks for one when it is built and shows it only when its menus
// do not fit. The style reads them from image files, and reading the first
// image at start-up brings in Qt's index of image-format plugins; here they
// are read when first drawn.

#include <QProxyStyle>

namespace platform {

class DeferredIconStyle : public QProxyStyle {
public:
    // Takes `base` over, as QProxyStyle does.
    explicit DeferredIconStyle(QStyle* base);

    QIcon standardIcon(StandardPixmap icon, const QStyleOption* option,
                       const QWidget* widget) const override;
};

// Puts the application's current style inside a DeferredIconStyle: before
// the first window is built.
void DeferExtensionIcons();

}  // namespace platform
