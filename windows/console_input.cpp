#include "windows/console_input.h"

#include <QRegularExpression>
#include <QStringList>

#include "resources/string_table.h"

namespace console {

namespace {

// Printable ASCII and tab: what a SCPI message can hold. Anything else would
// reach the instrument as bytes it was never meant to get.
bool PlainAscii(const QString& line) {
    for (const QChar c : line) {
        if (c != QLatin1Char('\t') && (c.unicode() < 0x20 || c.unicode() > 0x7E)) {
            return false;
        }
    }
    return true;
}

}  // namespace

QString LineProblem(const QString& line) {
    if (line.trimmed().isEmpty()) {
        return QStringLiteral("The line is empty: nothing was sent.");
    }
    if (line.size() > kLineLimit) {
        return QStringLiteral("The line is longer than %1 characters: nothing was sent.")
            .arg(kLineLimit);
    }
    if (!PlainAscii(line)) {
        return QStringLiteral(
            "The line holds characters other than plain ASCII text: nothing was sent.");
    }
    return {};
}

bool IsQuery(const QString& line) {
    const QString trimmed = line.trimmed();
    const int blank = trimmed.indexOf(QRegularExpression(QStringLiteral("\\s")));
    return (blank < 0 ? trimmed : trimmed.left(blank)).endsWith(QLatin1Char('?'));
}

Script ParseScript(const QString& text) {
    Script script;
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (int index = 0; index < lines.size(); ++index) {
        QString line = lines[index];
        if (line.endsWith(QLatin1Char('\r'))) {
            line.chop(1);
        }
        const QString trimmed = line.trimmed();
        if (!trimmed.isEmpty() && !trimmed.startsWith(QLatin1Char('#'))) {
            script.lines.push_back({index + 1, trimmed});
        }
    }
    // A final line break ends the last line rather than starting another.
    script.fileLines = static_cast<int>(lines.size()) - (text.endsWith(QLatin1Char('\n')) ? 1 : 0);
    return script;
}

QString ScriptFileProblem(platform::TextFileContents::Status status) {
    switch (status) {
        case platform::TextFileContents::kRead:
        case platform::TextFileContents::kEmpty:
            return {};
        case platform::TextFileContents::kCannotOpen:
            return strings::LoadString(strings::kCouldNotOpenFile);
        case platform::TextFileContents::kNotText:
            return QStringLiteral(
                "This is not a plain text file (it holds a NUL byte or is not UTF-8 text).  "
                "Nothing was sent.");
        case platform::TextFileContents::kOutOfMemory:
            return strings::LoadString(strings::kMemoryAllocationFailed);
    }
    return {};
}

}  // namespace console
