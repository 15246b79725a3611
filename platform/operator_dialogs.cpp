#include "platform/operator_dialogs.h"

#include "platform/qt_operator_dialogs.h"

namespace platform {
namespace {

std::unique_ptr<OperatorDialogs>& Installed() {
    static std::unique_ptr<OperatorDialogs> installed = std::make_unique<QtOperatorDialogs>();
    return installed;
}

}  // namespace

OperatorDialogs& Dialogs() {
    return *Installed();
}

std::unique_ptr<OperatorDialogs> InstallDialogs(std::unique_ptr<OperatorDialogs> dialogs) {
    auto previous = std::move(Installed());
    Installed() = std::move(dialogs);
    return previous;
}

}  // namespace platform
