#include "panels/sense/sense_panel.h"

#include <QComboBox>
#include <array>
#include <utility>

#include "app/sfp_app.h"
#include "controls/panel_color.h"
#include "panels/scp/unit_value.h"
#include "panels/sense/range_list.h"
#include "resources/dialog_template.h"
#include "resources/string_table.h"

namespace {

constexpr std::array<const char*, 4> kSubTypes{"5000", "85", "92", "1"};

template <std::size_t N>
std::vector<std::string> Entries(const std::array<const char*, N>& texts) {
    return {texts.begin(), texts.end()};
}

template <std::size_t N>
bool Known(const std::array<const char*, N>& /*texts*/, int index) {
    return index >= 0 && index < static_cast<int>(N);
}

InstrumentSession& Instrument() {
    return *App().instrument;
}

// The senders of the text fields, shared by Enter and Send All.
void SendReferenceTemperature(const std::string& /*channels*/, const std::string& text) {
    Instrument().SetReferenceTemperature(text);
}
void SendReferenceChannel(const std::string& channels, const std::string& text) {
    Instrument().SetReferenceChannel(channels, text);
}
void SendExcitation(const std::string& channels, const std::string& text) {
    Instrument().SetStrainExcitation(channels, UnitValueText(text, kVoltage));
}
void SendGageFactor(const std::string& channels, const std::string& text) {
    Instrument().SetStrainGageFactor(channels, text);
}
void SendPoissonRatio(const std::string& channels, const std::string& text) {
    Instrument().SetStrainPoisson(channels, text);
}
void SendUnstrained(const std::string& channels, const std::string& text) {
    Instrument().SetStrainUnstrained(channels, UnitValueText(text, kVoltage));
}
void SendAperture(const std::string& channels, const std::string& text) {
    Instrument().SetFrequencyAperture(channels, UnitValueText(text, kTime));
}
void SendTotalizerResetMode(const std::string& channels, const std::string& mode) {
    Instrument().SetTotalizerResetMode(channels, mode);
}

// A Send All step for a remembered text; an empty text is skipped.
SendAllStep IfRemembered(const std::string& remembered, SendValue send) {
    return [&remembered, send = std::move(send)](const std::string& channels) {
        if (!remembered.empty()) {
            send(channels, remembered);
        }
    };
}

}  // namespace

const RuntimeClass CSensObj::kRuntimeClass{"CSensObj", &CPanel::kRuntimeClass};

CSensObj::CSensObj() : CPanel(strings::LoadString(strings::kSensePanel)) {}
CSensObj::~CSensObj() = default;

const RuntimeClass& CSensObj::GetRuntimeClass() const {
    return kRuntimeClass;
}

void CSensObj::Show() {
    window = PanelPage::Open<CSensDlg>(*this);
    App().currentPanel = this;
}

void CSensObj::Tick() {
    if (auto* page = dynamic_cast<CSensDlg*>(window.data())) {
        page->Tick();
    }
}

CSensDlg::CSensDlg(CSensObj& panel)
    : ConfigPage(templates::kSensePage, panel.selector), panel_(panel) {
    SetTitle(kTitle, strings::kSensePanelTitle, PanelColor(panel_colors::kBlack));
    Open(Tables());
}

int CSensDlg::PageIndex(int listId) const {
    const auto* box = Item<QComboBox>(listId);
    return box != nullptr ? box->currentIndex() : kUnknown;
}

void CSensDlg::SendReference(const std::string& channels, int subType, int range) {
    const std::optional<std::string> type = CheckedValue(kTher);
    if (!type || !Known(kSubTypes, subType) || !Known(RangeList, range)) {
        return;
    }
    Instrument().SetReference(channels, *type, kSubTypes[static_cast<std::size_t>(subType)],
                              RangeList[static_cast<std::size_t>(range)]);
}

ConfigTables CSensDlg::Tables() {
    ConfigTables tables;
    tables.groups = {
        {{{kTher, "THER"}, {kRtd, "RTD"}},
         &panel_.referenceType,
         [this](const std::string& channels, const std::string&) {
             SendReference(channels, panel_.referenceSubType, panel_.referenceRange);
         }},
        {{{kInit, "INIT"}, {kTrig, "TRIG"}}, &panel_.totalizerResetMode, SendTotalizerResetMode},
    };
    tables.choiceLists = {
        {kSubTypeList, Entries(kSubTypes), &panel_.referenceSubType,
         [this](const std::string& channels, int index) {
             SendReference(channels, index, panel_.referenceRange);
         }},
        {kRangeList, Entries(RangeList), &panel_.referenceRange,
         [this](const std::string& channels, int index) {
             SendReference(channels, panel_.referenceSubType, index);
         }},
    };
    tables.fields = {
        {kReferenceTemperature, &panel_.referenceTemperature, SendReferenceTemperature},
        {kReferenceChannel, &panel_.referenceChannel, SendReferenceChannel},
        {kExcitation, &panel_.excitation, SendExcitation},
        {kGageFactor, &panel_.gageFactor, SendGageFactor},
        {kPoissonRatio, &panel_.poissonRatio, SendPoissonRatio},
        {kUnstrained, &panel_.unstrained, SendUnstrained},
        {kAperture, &panel_.aperture, SendAperture},
    };
    // The reference temperature is one setting of the whole instrument.
    tables.fields.front().channels = ChannelUse::NotNeeded;
    tables.fields.front().neverDisabled = true;
    tables.sendAll = SendAllSteps();
    tables.selectionControls = {kSendAllButton};
    tables.enterSilentWhileDisabled = true;
    return tables;
}

// The reference and the mode as the page shows them, then the remembered
// texts.
std::vector<SendAllStep> CSensDlg::SendAllSteps() {
    return {
        [this](const std::string& channels) {
            SendReference(channels, PageIndex(kSubTypeList), PageIndex(kRangeList));
        },
        [this](const std::string& channels) {
            if (const std::optional<std::string> mode = CheckedValue(kInit)) {
                SendTotalizerResetMode(channels, *mode);
            }
        },
        IfRemembered(panel_.aperture, SendAperture),
        IfRemembered(panel_.gageFactor, SendGageFactor),
        IfRemembered(panel_.excitation, SendExcitation),
        IfRemembered(panel_.poissonRatio, SendPoissonRatio),
        IfRemembered(panel_.unstrained, SendUnstrained),
        IfRemembered(panel_.referenceTemperature, SendReferenceTemperature),
        IfRemembered(panel_.referenceChannel, SendReferenceChannel),
    };
}
