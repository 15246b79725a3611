#include "instrument/command_line_options.h"

#include <QStringList>

namespace {

bool IsOption(const QString& word, QLatin1Char letter) {
    return word.size() == 2 && (word.at(0) == QLatin1Char('/') || word.at(0) == QLatin1Char('-')) &&
           word.at(1).toLower() == letter;
}

bool HasOption(const QStringList& words, QLatin1Char letter) {
    for (const QString& word : words) {
        if (IsOption(word, letter)) {
            return true;
        }
    }
    return false;
}

// The first word equal to `option`, ignoring case; -1 when there is none.
int IndexOfWord(const QStringList& words, const QString& option) {
    for (int i = 0; i < words.size(); ++i) {
        if (words.at(i).compare(option, Qt::CaseInsensitive) == 0) {
            return i;
        }
    }
    return -1;
}

// VISA names are case-insensitive except where they carry a device path of
// the host (serial ports): only the interface families that are purely
// numbered are upper-cased.
QString ResourceName(const QString& typed) {
    const bool numberedFamily = typed.startsWith(QLatin1String("VXI"), Qt::CaseInsensitive) ||
                                typed.startsWith(QLatin1String("GPIB"), Qt::CaseInsensitive);
    return numberedFamily ? typed.toUpper() : typed;
}

}  // namespace

CommandLineOptions ParseCommandLine(const QString& commandLine) {
    // Split at spaces and tabs without a regular expression, which would be
    // compiled at every start for this one use.
    const QStringList words = QString(commandLine)
                                  .replace(QLatin1Char('\t'), QLatin1Char(' '))
                                  .split(QLatin1Char(' '), Qt::SkipEmptyParts);
    CommandLineOptions options;
    options.acceptAll = HasOption(words, QLatin1Char('n'));
    options.reset = HasOption(words, QLatin1Char('r'));
    int option = IndexOfWord(words, QStringLiteral("/a"));
    if (option < 0) {
        option = IndexOfWord(words, QStringLiteral("-a"));
    }
    if (option < 0) {
        return options;
    }
    if (option + 1 >= words.size()) {
        options.problem = QStringLiteral("%1 needs a VISA resource name after it; ignored.")
                              .arg(words.at(option));
        return options;
    }
    options.address = ResourceName(words.at(option + 1));
    return options;
}
