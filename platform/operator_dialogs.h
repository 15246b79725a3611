#pragma once
// Everything the program asks or tells the operator goes through this seam,
// so that tests can record and answer it. The application installs the Qt
// implementation; tests install a recorder.

#include <QString>
#include <QStringList>
#include <memory>
#include <optional>

class QDialog;

namespace platform {

class OperatorDialogs {
public:
    virtual ~OperatorDialogs() = default;

    // A message box with an OK button and the caption "Qot7720 SFP".
    virtual void ShowMessage(const QString& text) = 0;
    // A message box with OK and a second button labelled `stopLabel`, for a
    // report that repeats while something keeps failing; true when the
    // operator chose the second button.
    virtual bool ShowMessageOfferingStop(const QString& text, const QString& stopLabel) = 0;
    // OK/Cancel question; true for OK.
    virtual bool AskOkCancel(const QString& text) = 0;
    // The default beep.
    virtual void Beep() = 0;
    // File choosers titled `title`, with a filter in Qt's form such as
    // "Algorithm files (*.alg);;All Files (*)" (see QtFileFilter); null when
    // the operator cancels. The save chooser asks before an existing file is
    // replaced and adds no extension to the name typed.
    virtual std::optional<QString> ChooseOpenFile(const QString& title, const QString& filter) = 0;
    virtual std::optional<QString> ChooseSaveFile(const QString& title, const QString& filter,
                                                  const QString& suggestedName) = 0;
    // The Select Instrument choice among discovered resources; null on Cancel.
    virtual std::optional<QString> SelectInstrument(const QStringList& candidates) = 0;
    // Runs a dialog modally and returns its result code.
    virtual int RunModal(QDialog& dialog) = 0;
    // Opens the program's help at its index.
    virtual void ShowHelpIndex() = 0;
};

// The installed implementation (the Qt one unless a test installed another).
OperatorDialogs& Dialogs();

// Installs `dialogs` and returns the previous implementation.
std::unique_ptr<OperatorDialogs> InstallDialogs(std::unique_ptr<OperatorDialogs> dialogs);

}  // namespace platform
