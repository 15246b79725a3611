#include "platform/text_file.h"

#include <QFile>
#include <QSaveFile>
#include <QStringDecoder>
#include <new>

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
    QSaveFile file(path);
    // Also where only the file, not its folder, is writable.
    file.setDirectWriteFallback(true);
    if (!file.open(QIODevice::WriteOnly)) {
        return TextFileWrite::kCannotOpen;
    }
    const QByteArray bytes = text.toUtf8();
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        return TextFileWrite::kWriteFailed;
    }
    return file.commit() ? TextFileWrite::kWritten : TextFileWrite::kWriteFailed;
}

}  // namespace platform
