#include "platform/text_file.h"

#include <QFile>
#include <QSaveFile>
#include <QStringDecoder>
#include <QStringEncoder>
#include <new>
#include <optional>

namespace platform {
namespace {

TextFileContents Decoded(const QByteArray& bytes) {
    if (bytes.contains('\0')) {
        return {TextFileContents::kNotText, QString()};
    }
    // Stateless: a sequence cut off at the end of the file is an error, not
    // something kept for more bytes to come.
    QStringDecoder decoder(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    QString text = decoder.decode(bytes);
    if (decoder.hasError()) {
        return {TextFileContents::kNotText, QString()};
    }
    return {TextFileContents::kRead, std::move(text)};
}

constexpr char16_t kByteOrderMark = 0xFEFF;

// The bytes that ReadTextFile turns back into `text`, if there are any.
std::optional<QByteArray> Encoded(const QString& text) {
    if (text.contains(QChar(u'\0'))) {
        return std::nullopt;
    }
    QStringEncoder encoder(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    const bool leadingMark = text.startsWith(QChar(kByteOrderMark));
    QByteArray bytes = encoder.encode(leadingMark ? QChar(kByteOrderMark) + text : text);
    if (encoder.hasError()) {
        return std::nullopt;
    }
    return bytes;
}

}  // namespace

TextFileContents ReadTextFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return {TextFileContents::kCannotOpen, QString()};
    }
    try {
        const QByteArray bytes = file.readAll();
        if (file.error() != QFileDevice::NoError) {
            return {TextFileContents::kCannotOpen, QString()};
        }
        if (bytes.isEmpty()) {
            return {TextFileContents::kEmpty, QString()};
        }
        return Decoded(bytes);
    } catch (const std::bad_alloc&) {
        return {TextFileContents::kOutOfMemory, QString()};
    }
}

TextFileWrite WriteTextFile(const QString& path, const QString& text) {
    const std::optional<QByteArray> bytes = Encoded(text);
    if (!bytes) {
        return TextFileWrite::kNotText;
    }
    QSaveFile file(path);
    // Also where only the file, not its folder, is writable.
    file.setDirectWriteFallback(true);
    if (!file.open(QIODevice::WriteOnly)) {
        return TextFileWrite::kCannotOpen;
    }
    if (file.write(*bytes) != bytes->size()) {
        file.cancelWriting();
        return TextFileWrite::kWriteFailed;
    }
    return file.commit() ? TextFileWrite::kWritten : TextFileWrite::kWriteFailed;
}

}  // namespace platform
