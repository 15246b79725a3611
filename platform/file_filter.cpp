#include "platform/file_filter.h"

#include <QRegularExpression>
#include <QStringList>

namespace platform {
namespace {

QString QtPatterns(const QString& patterns) {
    QStringList converted;
    for (const QString& pattern : patterns.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        const QString trimmed = pattern.trimmed();
        if (!trimmed.isEmpty()) {
            converted.append(trimmed == QLatin1String("*.*") ? QStringLiteral("*") : trimmed);
        }
    }
    return converted.join(QLatin1Char(' '));
}

QString WithoutTrailingPatterns(const QString& description) {
    static const QRegularExpression trailing(QStringLiteral("\\s*\\([^()]*\\)\\s*$"));
    return QString(description).remove(trailing).trimmed();
}

}  // namespace

QString QtFileFilter(const QString& homeFilter) {
    const QStringList parts = homeFilter.split(QLatin1Char('|'));
    QStringList filters;
    // Pairs up to the first empty description (the "||" that ends the list).
    for (int i = 0; i + 1 < parts.size() && !parts[i].isEmpty(); i += 2) {
        const QString patterns = QtPatterns(parts[i + 1]);
        if (patterns.isEmpty()) {
            continue;
        }
        filters.append(WithoutTrailingPatterns(parts[i]) + QStringLiteral(" (") + patterns +
                       QLatin1Char(')'));
    }
    return filters.join(QStringLiteral(";;"));
}

}  // namespace platform
