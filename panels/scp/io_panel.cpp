#include "panels/scp/io_panel.h"

#include "app/sfp_app.h"
#include "panels/scp/unit_value.h"
#include "resources/dialog_template.h"
#include "resources/string_table.h"

namespace {

constexpr int kFilterFrequency = 1465;
constexpr int kGain = 1466;
constexpr int kFilterOn = 1459;
constexpr int kInputLowFloat = 1461;
constexpr int kInputNormal = 1463;
constexpr int kCurrentMin = 1467;
constexpr int kCurrentOn = 1469;
constexpr int kOutputNormal = 1471;
constexpr int kPassive = 1477;
constexpr int kActive = 1478;
constexpr int kSourceTrig = 1479;
constexpr int kTriggerOn = 1475;
constexpr int kExcitationVoltage = 1533;
constexpr int kTriggerLine = 1534;
constexpr int kLastTriggerLine = 7;

InstrumentSession& Session() {
    return *App().instrument;
}

using ChannelCall = void (InstrumentSession::*)(const std::string&, const std::string&);

SendValue Call(ChannelCall call) {
    return [call](const std::string& channels, const std::string& value) {
        (Session().*call)(channels, value);
    };
}

bool IsLevelName(const std::string& text) {
    const QString name = QString::fromStdString(text).trimmed();
    return name.compare(QLatin1String("MIN"), Qt::CaseInsensitive) == 0 ||
           name.compare(QLatin1String("MAX"), Qt::CaseInsensitive) == 0;
}

// A typed frequency in hertz as "%.3g"; MIN and MAX as typed. Any other text
// would reach the instrument as a malformed command, and a unit the parser
// does not know as the bare number ("50k" as 50 Hz), so both are refused here.
std::string FilterFrequencyValue(const std::string& text) {
    const UnitValue parsed = ParseUnitValue(text, kFrequency);
    if (parsed.unknownUnit) {
        throw UnknownUnit(text, kFrequency);
    }
    if (!parsed.notANumber) {
        return FormatG(parsed.value, 3);
    }
    if (IsLevelName(text)) {
        return text;
    }
    throw NotANumber(text);
}

std::string ExcitationVoltageValue(const std::string& text) {
    const UnitValue parsed = ParseUnitValue(text, kVoltage);
    return parsed.notANumber ? text : FormatG(parsed.value, 3);
}

}  // namespace

const RuntimeClass CIoObj::kRuntimeClass{"CIoObj", &CPanel::kRuntimeClass};

CIoObj::CIoObj() : CPanel(strings::LoadString(strings::kInputOutputPanel)) {}
CIoObj::~CIoObj() = default;

const RuntimeClass& CIoObj::GetRuntimeClass() const {
    return kRuntimeClass;
}

void CIoObj::Show() {
    window = PanelPage::Open<CIoDlg>(*this);
    App().currentPanel = this;
}

void CIoObj::Tick() {
    if (CIoDlg* page = Page()) {
        page->Tick();
    }
}

CIoDlg* CIoObj::Page() const {
    return static_cast<CIoDlg*>(window.data());
}

CIoDlg::CIoDlg(CIoObj& panel)
    : ConfigPage(templates::kInputOutputPage, panel.selector), panel_(panel) {
    SetTitle(1531, strings::kInputOutputPanel, kBlack);
    Open(Tables());
}

int CIoDlg::TriggerLine() const {
    const QString text = QString::fromStdString(Text(kTriggerLine)).trimmed();
    bool ok = false;
    const int line = text.toInt(&ok);
    return ok && line >= 0 && line <= kLastTriggerLine ? line : kUnknown;
}

ConfigTables CIoDlg::Tables() {
    CIoObj& p = panel_;
    ConfigTables tables;
    tables.groups = {
        {{{kFilterOn, "ON"}, {1460, "OFF"}},
         &p.filterState,
         Call(&InstrumentSession::SetInputFilterState)},
        {{{kInputLowFloat, "FLO"}, {1462, "WVOL"}},
         &p.inputLow,
         Call(&InstrumentSession::SetInputLow)},
        {{{kInputNormal, "NORM"}, {1464, "INV"}},
         &p.inputPolarity,
         Call(&InstrumentSession::SetInputPolarity)},
        {{{kCurrentMin, "MIN"}, {1468, "MAX"}},
         &p.currentAmplitude,
         Call(&InstrumentSession::SetCurrentAmplitude)},
        {{{kCurrentOn, "ON"}, {1470, "OFF"}},
         &p.currentState,
         Call(&InstrumentSession::SetCurrentState)},
        {{{kOutputNormal, "NORM"}, {1472, "INV"}},
         &p.outputPolarity,
         Call(&InstrumentSession::SetOutputPolarity)},
        {{{kPassive, "PASS"}, {kActive, "ACT"}},
         &p.outputType,
         Call(&InstrumentSession::SetOutputType)},
        {{{kSourceTrig, "TRIG"}, {1480, "FTR"}, {1481, "SCP"}, {1482, "ALG"}},
         &p.triggerSource,
         [](const std::string&, const std::string& source) {
             Session().SetTtlTriggerSource(source);
         }},
        // The state goes out only with a line to apply it to.
        {{{kTriggerOn, "ON"}, {1476, "OFF"}},
         &p.triggerState,
         [this](const std::string&, const std::string& state) {
             if (const int line = TriggerLine(); line != kUnknown) {
                 Session().SetTtlTriggerOutput(line, state);
             }
         }},
    };
    tables.textLists = {
        {kFilterFrequency,
         {"MIN", "MAX"},
         &p.filterFrequency,
         Call(&InstrumentSession::SetFilterFrequency)},
        {kGain, {"MIN", "MAX"}, &p.gain, Call(&InstrumentSession::SetInputGain)},
        {kExcitationVoltage,
         {"MIN", "MAX", "0", "1", "2", "5", "10"},
         &p.excitationVoltage,
         [](const std::string& channels, const std::string& text) {
             Session().SetExcitationVoltage(channels, ExcitationVoltageValue(text));
         }},
        // A line applies the checked state; it needs no channels, and a
        // failure forgets the state, not the line.
        {kTriggerLine,
         {"0", "1", "2", "3", "4", "5", "6", "7"},
         &p.triggerLine,
         [this](const std::string&, const std::string&) {
             const int line = TriggerLine();
             const std::optional<std::string> state = CheckedValue(kTriggerOn);
             if (line != kUnknown && state) {
                 Session().SetTtlTriggerOutput(line, *state);
             }
         }},
    };
    tables.textLists.back().channels = ChannelUse::NotNeeded;
    tables.textLists.back().onFailure = [this] {
        UncheckGroup(kTriggerOn);
        panel_.triggerState = kUnknown;
    };
    tables.fields = {
        {kFilterFrequency, &p.filterFrequency,
         [](const std::string& channels, const std::string& text) {
             Session().SetFilterFrequency(channels, FilterFrequencyValue(text));
         }},
        {kGain, &p.gain, Call(&InstrumentSession::SetInputGain)},
    };
    tables.sendAll = SendAllSteps();
    return tables;
}

// From what the page shows, in the instrument's order; the excitation
// voltage is left out.
std::vector<SendAllStep> CIoDlg::SendAllSteps() {
    const auto checked = [this](int group, ChannelCall call) -> SendAllStep {
        return [this, group, call](const std::string& channels) {
            if (const std::optional<std::string> value = CheckedValue(group)) {
                (Session().*call)(channels, *value);
            }
        };
    };
    return {
        [this](const std::string& channels) {
            if (const std::string text = Text(kFilterFrequency); !text.empty()) {
                Session().SetFilterFrequency(channels, FilterFrequencyValue(text));
            }
        },
        [this](const std::string& channels) {
            if (const std::string text = Text(kGain); !text.empty()) {
                Session().SetInputGain(channels, text);
            }
        },
        checked(kFilterOn, &InstrumentSession::SetInputFilterState),
        checked(kInputLowFloat, &InstrumentSession::SetInputLow),
        checked(kInputNormal, &InstrumentSession::SetInputPolarity),
        checked(kCurrentMin, &InstrumentSession::SetCurrentAmplitude),
        checked(kCurrentOn, &InstrumentSession::SetCurrentState),
        checked(kOutputNormal, &InstrumentSession::SetOutputPolarity),
        [this](const std::string& channels) {
            const int type = CheckedButton(kPassive);
            if (type != kUnknown) {
                Session().SetOutputType(channels, type == kActive ? "ACTIVE" : "PASS");
            }
        },
        [this](const std::string&) {
            if (const std::optional<std::string> source = CheckedValue(kSourceTrig)) {
                Session().SetTtlTriggerSource(*source);
            }
        },
        [this](const std::string&) {
            const int line = TriggerLine();
            const std::optional<std::string> state = CheckedValue(kTriggerOn);
            if (line != kUnknown && state) {
                Session().SetTtlTriggerOutput(line, *state);
            }
        },
    };
}
