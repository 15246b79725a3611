#include "app/panel.h"

#include "app/sfp_app.h"
#include "platform/operator_dialogs.h"

bool RuntimeClass::IsDerivedFrom(const RuntimeClass& other) const {
    for (const RuntimeClass* current = this; current != nullptr; current = current->base) {
        if (current == &other) {
            return true;
        }
    }
    return false;
}

const RuntimeClass CSFPObject::kRuntimeClass{"CSFPObject", nullptr};

CSFPObject::CSFPObject(QString name) : name_(std::move(name)) {}
CSFPObject::~CSFPObject() = default;

const RuntimeClass& CSFPObject::GetRuntimeClass() const {
    return kRuntimeClass;
}

bool CSFPObject::IsKindOf(const RuntimeClass& runtimeClass) const {
    return GetRuntimeClass().IsDerivedFrom(runtimeClass);
}

const RuntimeClass CPanel::kRuntimeClass{"CPanel", &CSFPObject::kRuntimeClass};

CPanel::CPanel(QString name) : CSFPObject(std::move(name)) {}

CPanel::~CPanel() {
    delete window.data();
}

const RuntimeClass& CPanel::GetRuntimeClass() const {
    return kRuntimeClass;
}

void CPanel::Hide() {
    delete window.data();
    window = nullptr;
}

void ReportConversionFailure(const char* className) {
    platform::Dialogs().ShowMessage(QString::fromLatin1(className) +
                                    QStringLiteral(" failed conversion, fatal"));
    App().DestroyMainWindow();
}
