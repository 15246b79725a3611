#pragma once
// The algorithm page's three modal dialogs. None has a Cancel button: the
// close box or Escape cancels.

#include <QString>
#include <functional>

#include "platform/template_page.h"

// "Down Load": the algorithm name, the swap size as typed and whether
// ALG:UPDATE goes first.
class CAlgDownloadDlg : public platform::TemplateDialog {
public:
    CAlgDownloadDlg(QWidget* parent, const QString& algorithmName, int doUpdate);

    QString AlgorithmName() const;
    QString SwapSize() const;
    bool DoUpdate() const;
};

// The three texts of the scalar and the array dialog: the algorithm, the
// variable or array, and the value or values.
struct AlgorithmVariable {
    QString algorithmName;
    QString variableName;
    QString value;
};

// A dialog whose set button and OK both hand the fields to `apply`; OK then
// closes it, the set button leaves it open for the next value.
class AlgorithmVariableDialog : public platform::TemplateDialog {
public:
    using Apply = std::function<void(const AlgorithmVariable&)>;

    AlgorithmVariableDialog(int templateId, int setButtonId, QWidget* parent,
                            const QString& algorithmName, Apply apply);

    AlgorithmVariable Fields() const;
    void accept() override;

private:
    Apply apply_;
};

// "Set Scalar Variables".
class CAlgScalarDlg : public AlgorithmVariableDialog {
public:
    CAlgScalarDlg(QWidget* parent, const QString& algorithmName, Apply apply);
};

// "Set Array variables".
class CAlgArrayDlg : public AlgorithmVariableDialog {
public:
    CAlgArrayDlg(QWidget* parent, const QString& algorithmName, Apply apply);
};
