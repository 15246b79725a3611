#pragma once
// A number typed into one edit of a page: a decimal number with an optional
// scaling suffix (T G M k m u n p; case matters), shown back with "%g".

#include <QString>

class QLineEdit;
class QWidget;

class NumericField {
public:
    // Binds to edit `controlId` of `page`.
    NumericField(QWidget& page, int controlId);

    // Writes `value` into the edit with "%g".
    void Display(double value);
    // Reads the edit; text that does not start with a number sets the error
    // flag and reads as 0.
    double Parse();

    bool Error() const { return error_; }
    double LastValue() const { return lastValue_; }
    int ControlId() const { return controlId_; }
    QLineEdit* Edit() const;

    // The rules of Parse on a text; `error` tells whether it held no number.
    static double ParseText(const QString& text, bool& error);
    static QString Format(double value);

private:
    QWidget& page_;
    int controlId_;
    bool error_ = false;
    double lastValue_ = 0.0;
};
