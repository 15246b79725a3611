// Writes a bitmap as the program reads it at start-up (controls/raw_bitmap.h):
// decoding a PNG there brings in Qt's image-format plugin index, which costs
// more than the program's own start-up work. Run by the build.
//
// usage: bitmap_to_raw <in.png> <out.raw>

#include <QFile>
#include <QImage>
#include <cstdio>

#include "controls/raw_bitmap.h"

int main(int argc, char* argv[]) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: bitmap_to_raw <in.png> <out.raw>\n");
        return 2;
    }
    const QImage image(QString::fromLocal8Bit(argv[1]));
    if (image.isNull()) {
        std::fprintf(stderr, "bitmap_to_raw: cannot read %s\n", argv[1]);
        return 1;
    }
    QFile out(QString::fromLocal8Bit(argv[2]));
    if (!out.open(QIODevice::WriteOnly) || out.write(raw_bitmap::Encode(image)) < 0 ||
        !out.flush()) {
        std::fprintf(stderr, "bitmap_to_raw: cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
