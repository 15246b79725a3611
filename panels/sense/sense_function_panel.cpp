#include "panels/sense/sense_function_panel.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QListView>
#include <QStandardItemModel>

#include "app/sfp_app.h"
#include "panels/sense/range_list.h"
#include "resources/dialog_template.h"
#include "resources/string_table.h"

namespace {

std::vector<std::string> Entries(const char* const* first, std::size_t count) {
    return std::vector<std::string>(first, first + count);
}

template <std::size_t N>
std::optional<std::string> EntryAt(const std::array<const char*, N>& list, int index) {
    if (index < 0 || index >= static_cast<int>(N)) {
        return std::nullopt;
    }
    return std::string(list[static_cast<std::size_t>(index)]);
}

InstrumentSession& Instrument() {
    return *App().instrument;
}

}  // namespace

const RuntimeClass CSfuncObj::kRuntimeClass{"CSfuncObj", &CPanel::kRuntimeClass};

CSfuncObj::CSfuncObj() : CPanel(strings::LoadString(strings::kSenseFunction)) {}
CSfuncObj::~CSfuncObj() = default;

const RuntimeClass& CSfuncObj::GetRuntimeClass() const {
    return kRuntimeClass;
}

void CSfuncObj::Show() {
    window = PanelPage::Open<CSfuncDlg>(*this);
    App().currentPanel = this;
}

void CSfuncObj::Tick() {
    if (CSfuncDlg* page = Page()) {
        page->Tick();
    }
}

CSfuncDlg* CSfuncObj::Page() const {
    return static_cast<CSfuncDlg*>(window.data());
}

CSfuncDlg::CSfuncDlg(CSfuncObj& panel)
    : ConfigPage(templates::kSenseFunctionPage, panel.selector), panel_(panel) {
    SetTitle(kTitle, strings::kSenseFunction, kBlack);
    Open(Tables());
    ShowSubTypesOfShownType();
    ConnectSubTypeFollowers();
}

// Connected after the frame's handlers, so that they run once the frame has
// sent, or cleared and forgotten, the setting.
void CSfuncDlg::ConnectSubTypeFollowers() {
    for (const int id : {kRtd, kTher, kTc}) {
        connect(Item<QAbstractButton>(id), &QAbstractButton::clicked, this,
                [this] { ShowSubTypesOfShownType(); });
    }
    connect(Item<QComboBox>(kSubTypeList), qOverload<int>(&QComboBox::activated), this,
            [this] { ShowSubTypesOfShownType(); });
}

// "85" and "92" are RTDs, "2250" to "10000" thermistors, the letters
// thermocouples, as the instrument derives the type.
int CSfuncDlg::TypeOfSubType(int index) {
    constexpr int kFirstThermistor = 2;
    constexpr int kFirstThermocouple = 5;
    if (index < kFirstThermistor) {
        return kRtd;
    }
    return index < kFirstThermocouple ? kTher : kTc;
}

void CSfuncDlg::KeepSubTypeOfChosenType() {
    if (panel_.temperatureSubType != kUnknown &&
        TypeOfSubType(panel_.temperatureSubType) != panel_.temperatureType) {
        panel_.temperatureSubType = kUnknown;
    }
}

void CSfuncDlg::CheckTypeOfSubType(int index) {
    const int type = TypeOfSubType(index);
    if (CheckedButton(kRtd) != type) {
        CheckButton(type);
    }
    panel_.temperatureType = type;
}

void CSfuncDlg::ShowSubTypesOfShownType() {
    auto* box = Item<QComboBox>(kSubTypeList);
    auto* model = qobject_cast<QStandardItemModel*>(box->model());
    auto* view = qobject_cast<QListView*>(box->view());
    if (model == nullptr || view == nullptr) {
        return;
    }
    const int type = CheckedButton(kRtd);
    const auto offered = [type](int index) {
        return type == kUnknown || TypeOfSubType(index) == type;
    };
    // Hidden in the open list and disabled for the arrow keys and the wheel.
    for (int index = 0; index < model->rowCount(); ++index) {
        view->setRowHidden(index, !offered(index));
        model->item(index)->setEnabled(offered(index));
    }
    if (panel_.temperatureSubType != kUnknown && !offered(panel_.temperatureSubType)) {
        panel_.temperatureSubType = kUnknown;
    }
    box->setCurrentIndex(panel_.temperatureSubType);
}

ConfigTables CSfuncDlg::Tables() {
    const auto ranges = Entries(RangeList.data(), RangeList.size());
    // Every control of a setting sends the whole setting once it is complete.
    const auto byValue = [](auto send) {
        return [send](const std::string& channels, const std::string&) { send(channels); };
    };
    const auto byIndex = [](auto send) {
        return [send](const std::string& channels, int) { send(channels); };
    };
    const auto resistance = [this](const std::string& c) { SendResistance(c); };
    const auto strain = [this](const std::string& c) { SendStrain(c); };
    const auto temperature = [this](const std::string& c) { SendTemperature(c); };
    const auto voltage = [this](const std::string& c) { SendVoltage(c); };
    const auto digital = [this](const std::string& c) { SendDigital(c); };

    ConfigTables tables;
    tables.groups = {
        {{{kExciteMin, "MIN"}, {kExciteMax, "MAX"}}, &panel_.excitation, byValue(resistance)},
        {{{kFirstBridgeType, "FBEN"},
          {kFirstBridgeType + 1, "FBP"},
          {kFirstBridgeType + 2, "FPO"},
          {kFirstBridgeType + 3, "HBEN"},
          {kFirstBridgeType + 4, "HPO"},
          {kFirstBridgeType + 5, "QUAR"}},
         &panel_.bridgeType,
         byValue(strain)},
        {{{kRtd, "RTD"}, {kTher, "THER"}, {kTc, "TC"}},
         &panel_.temperatureType,
         [this](const std::string& channels, const std::string&) {
             KeepSubTypeOfChosenType();
             SendTemperature(channels);
         }},
        {{{kCond, "COND"}, {kFreq, "FREQ"}, {kTot, "TOT"}},
         &panel_.digitalFunction,
         byValue(digital)},
    };
    tables.choiceLists = {
        {kResistanceRangeList, ranges, &panel_.resistanceRange, byIndex(resistance)},
        {kStrainRangeList, ranges, &panel_.strainRange, byIndex(strain)},
        {kSubTypeList, Entries(kSubTypes.data(), kSubTypes.size()), &panel_.temperatureSubType,
         [this](const std::string& channels, int index) {
             CheckTypeOfSubType(index);
             SendTemperature(channels);
         }},
        {kTemperatureRangeList, ranges, &panel_.temperatureRange, byIndex(temperature)},
        {kVoltageRangeList, ranges, &panel_.voltageRange, byIndex(voltage)},
    };
    tables.sendAll = {voltage, temperature, digital, strain, resistance};
    tables.selectionControls = {kSendAllButton};
    return tables;
}

void CSfuncDlg::SendResistance(const std::string& channels) const {
    const std::optional<std::string> range = EntryAt(RangeList, panel_.resistanceRange);
    const std::optional<std::string> excitation = CheckedValue(kExciteMin);
    if (range && excitation) {
        Instrument().SetResistanceFunction(channels, *excitation, *range);
    }
}

void CSfuncDlg::SendStrain(const std::string& channels) const {
    const std::optional<std::string> range = EntryAt(RangeList, panel_.strainRange);
    const std::optional<std::string> bridge = CheckedValue(kFirstBridgeType);
    if (range && bridge) {
        Instrument().SetStrainFunction(channels, *bridge, *range);
    }
}

// The type is not sent: the instrument takes it from the sub-type. It only
// has to be chosen before the setting counts as complete.
void CSfuncDlg::SendTemperature(const std::string& channels) const {
    const std::optional<std::string> range = EntryAt(RangeList, panel_.temperatureRange);
    const std::optional<std::string> subType = EntryAt(kSubTypes, panel_.temperatureSubType);
    if (range && subType && panel_.temperatureType != kUnknown) {
        Instrument().SetTemperatureFunction(channels, *subType, *range);
    }
}

void CSfuncDlg::SendVoltage(const std::string& channels) const {
    if (const std::optional<std::string> range = EntryAt(RangeList, panel_.voltageRange)) {
        Instrument().SetVoltageFunction(channels, *range);
    }
}

void CSfuncDlg::SendDigital(const std::string& channels) const {
    switch (CheckedButton(kCond)) {
        case kCond:
            Instrument().SetDigitalFunction(channels, 0);
            return;
        case kFreq:
            Instrument().SetDigitalFunction(channels, 1);
            return;
        case kTot:
            Instrument().SetDigitalFunction(channels, 2);
            return;
        default:
            return;
    }
}
