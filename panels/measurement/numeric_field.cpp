#include "panels/measurement/numeric_field.h"

#include <QLineEdit>
#include <QRegularExpression>
#include <QWidget>

#include "platform/page_builder.h"

namespace {

// Decimal notation only: "inf", "nan" and hexadecimal are not numbers here,
// so no infinite or undefined value can reach a range check.
const QRegularExpression& NumberPrefix() {
    static const QRegularExpression pattern(
        QStringLiteral(R"(^\s*[+-]?(\d+\.?\d*|\.\d+)([eE][+-]?\d+)?)"));
    return pattern;
}

double SuffixScale(QChar suffix) {
    switch (suffix.unicode()) {
        case 'T':
            return 1e12;
        case 'G':
            return 1e9;
        case 'M':
            return 1e6;
        case 'k':
            return 1e3;
        case 'm':
            return 1e-3;
        case 'u':
            return 1e-6;
        case 'n':
            return 1e-9;
        case 'p':
            return 1e-12;
        default:
            return 1.0;
    }
}

}  // namespace

NumericField::NumericField(QWidget& page, int controlId) : page_(page), controlId_(controlId) {}

QLineEdit* NumericField::Edit() const {
    return platform::FindControl<QLineEdit>(page_, controlId_);
}

QString NumericField::Format(double value) {
    return QString::asprintf("%g", value);
}

void NumericField::Display(double value) {
    lastValue_ = value;
    if (QLineEdit* edit = Edit()) {
        edit->setText(Format(value));
    }
}

double NumericField::Parse() {
    const QLineEdit* edit = Edit();
    lastValue_ = ParseText(edit != nullptr ? edit->text() : QString(), error_);
    return lastValue_;
}

double NumericField::ParseText(const QString& text, bool& error) {
    const QRegularExpressionMatch match = NumberPrefix().match(text);
    error = !match.hasMatch();
    if (error) {
        return 0.0;
    }
    // The pattern admits only what the C locale reads, whatever the desktop's locale.
    const double number = match.captured(0).trimmed().toDouble();
    const QString rest = text.mid(match.capturedEnd(0)).trimmed();
    return rest.isEmpty() ? number : number * SuffixScale(rest.front());
}
