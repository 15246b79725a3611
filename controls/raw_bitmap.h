#pragma once
// The program's bitmaps as the build stores them: a small header and the
// pixels as they are painted (32-bit premultiplied ARGB, in the build
// machine's byte order), read without an image decoder.

#include <QByteArray>
#include <QImage>
#include <QString>

namespace raw_bitmap {

// `image` in the stored form.
QByteArray Encode(const QImage& image);
// The stored bitmap at `resourcePath`; a null image when there is none or it
// is not in the stored form.
QImage Read(const QString& resourcePath);

}  // namespace raw_bitmap
