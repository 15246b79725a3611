#include "platform/qt_operator_dialogs.h"

#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

#include "platform/template_page.h"
#include "platform/ui_thread.h"
#include "resources/dialog_template.h"
#include "resources/string_table.h"

namespace platform {
namespace {

QString Caption() {
    return strings::LoadString(strings::kMessageCaption);
}

constexpr int kInstrumentCombo = 1042;

// One help window for the whole run, re-shown at its index when asked again.
QPointer<QDialog>& HelpWindow() {
    static QPointer<QDialog> window;
    return window;
}

QDialog* CreateHelpWindow() {
    auto* window = new QDialog(QApplication::activeWindow());
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->setWindowTitle(Caption() + QStringLiteral(" Help"));
    auto* browser = new QTextBrowser(window);
    browser->setObjectName(QStringLiteral("helpBrowser"));
    browser->setOpenLinks(true);
    auto* layout = new QVBoxLayout(window);
    layout->addWidget(browser);
    window->resize(560, 480);
    return window;
}

}  // namespace

void QtOperatorDialogs::ShowMessage(const QString& text) {
    RunOnUiThread([&text] {
        QMessageBox box(QMessageBox::NoIcon, Caption(), text, QMessageBox::Ok,
                        QApplication::activeWindow());
        box.exec();
    });
}

bool QtOperatorDialogs::ShowMessageOfferingStop(const QString& text, const QString& stopLabel) {
    return RunOnUiThread([&text, &stopLabel] {
        QMessageBox box(QMessageBox::NoIcon, Caption(), text, QMessageBox::Ok,
                        QApplication::activeWindow());
        QPushButton* stop = box.addButton(stopLabel, QMessageBox::RejectRole);
        box.setDefaultButton(QMessageBox::Ok);
        box.exec();
        return box.clickedButton() == stop;
    });
}

bool QtOperatorDialogs::AskOkCancel(const QString& text) {
    return RunOnUiThread([&text] {
        QMessageBox box(QMessageBox::Question, Caption(), text,
                        QMessageBox::Ok | QMessageBox::Cancel, QApplication::activeWindow());
        return box.exec() == QMessageBox::Ok;
    });
}

void QtOperatorDialogs::Beep() {
    RunOnUiThread([] { QApplication::beep(); });
}

std::optional<QString> QtOperatorDialogs::ChooseOpenFile(const QString& title,
                                                         const QString& filter) {
    const QString chosen =
        QFileDialog::getOpenFileName(QApplication::activeWindow(), title, QString(), filter);
    return chosen.isEmpty() ? std::nullopt : std::optional<QString>(chosen);
}

// QFileDialog confirms an overwrite unless told otherwise and, without a
// default suffix, keeps the name exactly as typed.
std::optional<QString> QtOperatorDialogs::ChooseSaveFile(const QString& title,
                                                         const QString& filter,
                                                         const QString& suggestedName) {
    const QString chosen =
        QFileDialog::getSaveFileName(QApplication::activeWindow(), title, suggestedName, filter);
    return chosen.isEmpty() ? std::nullopt : std::optional<QString>(chosen);
}

std::optional<QString> QtOperatorDialogs::SelectInstrument(const QStringList& candidates) {
    TemplateDialog dialog(templates::kSelectInstrumentDialog, QApplication::activeWindow());
    auto* combo = dialog.Item<QComboBox>(kInstrumentCombo);
    combo->addItems(candidates);
    combo->setCurrentIndex(candidates.isEmpty() ? -1 : 0);
    if (dialog.exec() != QDialog::Accepted || combo->currentIndex() < 0) {
        return std::nullopt;
    }
    return combo->currentText();
}

int QtOperatorDialogs::RunModal(QDialog& dialog) {
    return dialog.exec();
}

void QtOperatorDialogs::ShowHelpIndex() {
    if (HelpWindow().isNull()) {
        HelpWindow() = CreateHelpWindow();
    }
    auto* browser = HelpWindow()->findChild<QTextBrowser*>(QStringLiteral("helpBrowser"));
    browser->setSource(QUrl(QStringLiteral("qrc:/help/index.html")));
    HelpWindow()->show();
    HelpWindow()->raise();
    HelpWindow()->activateWindow();
}

}  // namespace platform
