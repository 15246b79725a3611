#pragma once
// Reading and writing the operator's plain text files (algorithms): a whole
// file in, a whole text out, with the outcome spelt out so that the caller
// can tell the operator what happened.

#include <QString>

namespace platform {

struct TextFileContents {
    enum Status {
        kRead,
        kEmpty,        // 0 bytes: nothing to show
        kCannotOpen,   // missing, unreadable, or a read error part way
        kNotText,      // holds a NUL byte or is not valid UTF-8
        kOutOfMemory,  // too large to hold
    };
    Status status = kCannotOpen;
    QString text;  // the file's text when read, line ends as in the file
};

// Reads the whole file in binary mode and decodes it as UTF-8 (a leading
// byte-order mark is dropped).
TextFileContents ReadTextFile(const QString& path);

enum class TextFileWrite {
    kWritten,
    kCannotOpen,
    kWriteFailed,
    kNotText,  // holds U+0000 or a lone surrogate: nothing written
};

// Writes `text` as UTF-8 exactly as given (no line-end translation), so that
// reading the file back gives the same text; a text that would read back as
// not text is refused before the file is touched, and a leading U+FEFF gets a
// byte-order mark in front of it, which reading drops again. The file is replaced only once
// the whole text is on disk; a failed write leaves an existing file as it was.
TextFileWrite WriteTextFile(const QString& path, const QString& text);

}  // namespace platform
