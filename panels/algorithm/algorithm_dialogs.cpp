#include "panels/algorithm/algorithm_dialogs.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>

#include "resources/dialog_template.h"

namespace {

constexpr int kAlgorithmNameEdit = 1072;
constexpr int kSwapSizeEdit = 1549;
constexpr int kDoUpdateCheck = 1444;
constexpr int kVariableNameEdit = 1549;
constexpr int kValueEdit = 1551;
constexpr int kScalarSetButton = 1552;
constexpr int kArraySetButton = 1073;
// A long list of array values is pasted whole rather than cut at the line
// edit's usual 32767 characters.
constexpr int kValuesMaxLength = 1 << 24;

}  // namespace

// ---- CAlgDownloadDlg ----

CAlgDownloadDlg::CAlgDownloadDlg(QWidget* parent, const QString& algorithmName, int doUpdate)
    : platform::TemplateDialog(templates::kAlgorithmDownloadDialog, parent) {
    Item<QLineEdit>(kAlgorithmNameEdit)->setText(algorithmName);
    Item<QLineEdit>(kSwapSizeEdit)->setText(QStringLiteral("0"));
    Item<QCheckBox>(kDoUpdateCheck)->setChecked(doUpdate != 0);
    Item<QLineEdit>(kAlgorithmNameEdit)->setFocus();
}

QString CAlgDownloadDlg::AlgorithmName() const {
    return Item<QLineEdit>(kAlgorithmNameEdit)->text();
}

QString CAlgDownloadDlg::SwapSize() const {
    return Item<QLineEdit>(kSwapSizeEdit)->text();
}

bool CAlgDownloadDlg::DoUpdate() const {
    return Item<QCheckBox>(kDoUpdateCheck)->isChecked();
}

// ---- AlgorithmVariableDialog ----

AlgorithmVariableDialog::AlgorithmVariableDialog(int templateId, int setButtonId, QWidget* parent,
                                                 const QString& algorithmName, Apply apply)
    : platform::TemplateDialog(templateId, parent), apply_(std::move(apply)) {
    Item<QLineEdit>(kAlgorithmNameEdit)->setText(algorithmName);
    Item<QLineEdit>(kVariableNameEdit)->setFocus();
    connect(Item<QPushButton>(setButtonId), &QPushButton::clicked, this,
            [this] { apply_(Fields()); });
}

AlgorithmVariable AlgorithmVariableDialog::Fields() const {
    return {Item<QLineEdit>(kAlgorithmNameEdit)->text(), Item<QLineEdit>(kVariableNameEdit)->text(),
            Item<QLineEdit>(kValueEdit)->text()};
}

void AlgorithmVariableDialog::accept() {
    apply_(Fields());
    QDialog::accept();
}

CAlgScalarDlg::CAlgScalarDlg(QWidget* parent, const QString& algorithmName, Apply apply)
    : AlgorithmVariableDialog(templates::kAlgorithmScalarDialog, kScalarSetButton, parent,
                              algorithmName, std::move(apply)) {}

CAlgArrayDlg::CAlgArrayDlg(QWidget* parent, const QString& algorithmName, Apply apply)
    : AlgorithmVariableDialog(templates::kAlgorithmArrayDialog, kArraySetButton, parent,
                              algorithmName, std::move(apply)) {
    Item<QLineEdit>(kValueEdit)->setMaxLength(kValuesMaxLength);
}
