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
    for (int row = 0; row < pixels.height(); ++row) {
        bytes.append(reinterpret_cast<const char*>(pixels.constScanLine(row)),
                     static_cast<qsizetype>(pixels.width()) * 4);
    }
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
    const uchar* pixels = resource.data() + sizeof header;
    const std::size_t rowBytes = std::size_t{header.width} * 4;
    for (int row = 0; row < image.height(); ++row) {
        std::memcpy(image.scanLine(row), pixels + rowBytes * static_cast<std::size_t>(row),
                    rowBytes);
    }
    return image;
}

}  // namespace raw_bitmap
