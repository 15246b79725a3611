#include "instrument/command_line_options.h"

namespace {

bool IsBlank(QChar c) {
    return c == QLatin1Char(' ') || c == QLatin1Char('\t');
}

// The word after the option at `position`, leading blanks skipped.
QString WordAfter(const QString& text, int position) {
    int start = position;
    while (start < text.size() && IsBlank(text.at(start))) {
        ++start;
    }
    int end = start;
    while (end < text.size() && !IsBlank(text.at(end))) {
        ++end;
    }
    return text.mid(start, end - start);
}

}  // namespace

CommandLineOptions ParseCommandLine(const QString& commandLine) {
    const QString lower = commandLine.toLower();
    CommandLineOptions options;
    options.acceptAll = lower.contains(QLatin1String("/n")) || lower.contains(QLatin1String("-n"));
    options.reset = lower.contains(QLatin1String("/r")) || lower.contains(QLatin1String("-r"));
    int option = lower.indexOf(QLatin1String("/a"));
    if (option < 0) {
        option = lower.indexOf(QLatin1String("-a"));
    }
    if (option >= 0) {
        options.address = WordAfter(lower, option + 2).toUpper();
    }
    return options;
}
