#pragma once
// The operator dialogs on real Qt widgets. Calls from a worker thread are
// carried out on the user-interface thread; the worker waits for the answer.

#include "platform/operator_dialogs.h"

namespace platform {

class QtOperatorDialogs : public OperatorDialogs {
public:
    void ShowMessage(const QString& text) override;
    bool ShowMessageOfferingStop(const QString& text, const QString& stopLabel) override;
    bool AskOkCancel(const QString& text) override;
    void Beep() override;
    std::optional<QString> ChooseOpenFile(const QString& title, const QString& filter) override;
    std::optional<QString> ChooseSaveFile(const QString& title, const QString& filter,
                                          const QString& suggestedName) override;
    std::optional<QString> SelectInstrument(const QStringList& candidates) override;
    int RunModal(QDialog& dialog) override;
    void ShowHelpIndex() override;
};

}  // namespace platform
