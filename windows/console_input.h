#pragma once
// What the SCPI console accepts: the checks a line passes before anything is
// sent, the query rule, and the lines a script file runs.

#include <QString>
#include <vector>

#include "platform/text_file.h"

namespace console {

// The longest line sent, in bytes.
constexpr int kLineLimit = 4096;

// Why `line` must not be sent (empty, too long, not plain ASCII); empty
// when it may be sent.
QString LineProblem(const QString& line);

// A query: the line's header (up to the first blank) ends in "?".
bool IsQuery(const QString& line);

struct ScriptLine {
    int number = 0;  // in the file, from 1
    QString text;
};

struct Script {
    std::vector<ScriptLine> lines;  // blank lines and '#' comments left out
    int fileLines = 0;
};

Script ParseScript(const QString& text);

// The message for a script file that could not be read; empty when it was read.
QString ScriptFileProblem(platform::TextFileContents::Status status);

}  // namespace console
