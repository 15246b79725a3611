#include "controls/raw_bitmap.h"

#include <QResource>
#include <array>
#include <cstdint>
#include <cstring>

namespace raw_bitmap {
namespace {

constexpr std::array<char, 8> kMagic{'S', 'F', 'P', 'R', 'A', 'W', '1', '\n'};
constexpr int kMaximumSide = 4096;

struct Header {
    std::array<char, 8> magic;
    std::uint32_t width;
    std::uint32_t height;
};

}  // namespace

QByteArray Encode(const QImage& image) {
    const QImage pixels = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    Header header{kMagic, static_cast<std::uint32_t>(pixels.width()),
                  static_cast<std::uint32_t>(pixels.height())};
    QByteArray bytes(reinterpret_cast<const char*>(&header), sizeof header);
    bytes.append(reinterpret_cast<const char*>(pixels.constBits()), pixels.sizeInBytes());
    return bytes;
}

QImage Read(const QString& resourcePath) {
    const QResource resource(resourcePath);
    Header header{};
    // Stored uncompressed, so that the pixels can be used where they are.
    if (!resource.isValid() || resource.compressionAlgorithm() != QResource::NoCompression ||
        resource.size() < static_cast<qint64>(sizeof header)) {
        return QImage();
    }
    std::memcpy(&header, resource.data(), sizeof header);
    const bool sane = header.magic == kMagic && header.width > 0 && header.height > 0 &&
                      header.width <= kMaximumSide && header.height <= kMaximumSide;
    if (!sane || resource.size() != static_cast<qint64>(sizeof header) +
                                        qint64{header.width} * header.height * 4) {
        return QImage();
    }
    // Copied out: the resource's bytes need not be aligned for 32-bit pixels.
    QImage image(static_cast<int>(header.width), static_cast<int>(header.height),
                 QImage::Format_ARGB32_Premultiplied);
    // A 32-bit image's rows follow each other without padding.
    std::memcpy(image.bits(), resource.data() + sizeof header,
                static_cast<std::size_t>(image.sizeInBytes()));
    return image;
}

}  // namespace raw_bitmap
