// The bitmaps the build stores are the PNGs' pixels, and the reader refuses
// what is not in its form.

#include <gtest/gtest.h>

#include <QImage>
#include <QString>
#include <vector>

#include "controls/bitmap_resource.h"
#include "controls/raw_bitmap.h"

namespace {

// Compared as pixels alone: a PNG also brings its colour space, which
// painting does not use.
std::vector<QRgb> Pixels(const QImage& image) {
    const QImage pixels = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    std::vector<QRgb> values;
    for (int y = 0; y < pixels.height(); ++y) {
        for (int x = 0; x < pixels.width(); ++x) {
            values.push_back(pixels.pixel(x, y));
        }
    }
    return values;
}

QImage Stored(const char* name) {
    return raw_bitmap::Read(QStringLiteral(":/bitmaps/%1.raw").arg(QLatin1String(name)));
}

}  // namespace

TEST(RawBitmap, HoldsThePngsPixelsAndRefusesOtherData) {
    for (const char* name : {"title_logo_left", "title_logo_right", "app_icon"}) {
        const QImage png(QStringLiteral(SFP_BITMAPS_DIR "/%1.png").arg(QLatin1String(name)));
        ASSERT_FALSE(png.isNull()) << name;
        EXPECT_EQ(Stored(name).size(), png.size()) << name;
        EXPECT_EQ(Pixels(Stored(name)), Pixels(png)) << name;
    }
    EXPECT_EQ(Pixels(LoadBitmapResource(bitmaps::kTitleLogoLeft).toImage()),
              Pixels(Stored("title_logo_left")));
    EXPECT_TRUE(raw_bitmap::Read(QStringLiteral(":/help/index.html")).isNull());
    EXPECT_TRUE(Stored("none").isNull());
}
