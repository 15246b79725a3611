#include <gtest/gtest.h>

#include <QIcon>
#include <QImage>
#include <QStyleFactory>

#include "platform/deferred_icon_style.h"

// The icons read late are the style's own, in every size and mode a tool
// button asks for; other icons are the style's as they were.
TEST(DeferredIconStyle, GivesTheStylesOwnIcons) {
    platform::DeferredIconStyle style(QStyleFactory::create(QStringLiteral("Fusion")));
    const QStyle& base = *style.baseStyle();
    const auto drawn = [](const QIcon& icon, int size, QIcon::Mode mode) {
        return icon.pixmap(QSize(size, size), mode).toImage();
    };
    for (const QStyle::StandardPixmap which :
         {QStyle::SP_ToolBarHorizontalExtensionButton, QStyle::SP_ToolBarVerticalExtensionButton,
          QStyle::SP_MessageBoxWarning}) {
        const QIcon deferred = style.standardIcon(which, nullptr, nullptr);
        const QIcon direct = base.standardIcon(which, nullptr, nullptr);
        ASSERT_FALSE(deferred.isNull()) << which;
        EXPECT_EQ(deferred.availableSizes(), direct.availableSizes()) << which;
        for (const int size : {8, 16, 32}) {
            EXPECT_EQ(deferred.actualSize(QSize(size, size)), direct.actualSize(QSize(size, size)));
            for (const QIcon::Mode mode : {QIcon::Normal, QIcon::Disabled, QIcon::Active}) {
                const QImage image = drawn(deferred, size, mode);
                EXPECT_FALSE(image.isNull());
                EXPECT_EQ(image, drawn(direct, size, mode)) << which << " at " << size;
            }
        }
    }
}
