#include "panels/sense/source_panel.h"

#include <QAbstractButton>
#include <QLineEdit>
#include <thread>

#include "app/failure_scope.h"
#include "app/sfp_app.h"
#include "controls/elapsed_time_dialog.h"
#include "instrument/instrument_session.h"
#include "instrument/user_exception.h"
#include "panels/scp/unit_value.h"
#include "platform/operator_dialogs.h"
#include "platform/responsive_wait.h"
#include "resources/dialog_template.h"
#include "resources/string_table.h"

namespace {

constexpr int kCalibrationTimeout = 600000;
constexpr int kNormalTimeout = 30000;
constexpr char kFullCalibration[] = "*CAL";

InstrumentSession& Instrument() {
    return *App().instrument;
}

// Typed times go out in seconds. A text without a number is refused, as on
// the other configuration pages, rather than sent as 0.
std::string Seconds(const std::string& text) {
    const UnitValue parsed = ParseUnitValue(text, kTime);
    if (parsed.notANumber) {
        throw ValueRefused{
            strings::LoadString(strings::kNotANumber).replace("%s", QString::fromStdString(text))};
    }
    return FormatG(parsed.value);
}

void SendOnChecked(const std::optional<std::string>& value,
                   const std::function<void(const std::string&)>& send) {
    if (value) {
        send(*value);
    }
}

// Back to the normal time-out; a failure here has nothing left to undo.
void RestoreTimeout(InstrumentSession& instrument) {
    try {
        instrument.SetTimeout(kNormalTimeout);
    } catch (const UserException&) {
        instrument.GetLastStatus();
    }
}

// Should the modal loop return before the worker is done, keep the window
// alive until it is.
void WaitUntilDone(const ElapsedTimeDialog& dialog) {
    platform::WaitWhile([&dialog] { return !dialog.Done(); });
}

}  // namespace

const std::array<DebounceEntry, 16>& DebounceTable() {
    static const std::array<DebounceEntry, 16> table{{
        {"0 (none)", 0},
        {"150 us", 0.00015},
        {"300us", 0.0003},
        {"600 us", 0.0006},
        {"1.2 ms", 0.0012},
        {"2.4 ms", 0.0024},
        {"4.8 ms", 0.0048},
        {"9.6 ms", 0.0096},
        {"19.2 ms ", 0.0192},
        {"38.4 ms", 0.0384},
        {"76.6 ms", 0.0766},
        {"153.6 ms", 0.1536},
        {"307.2 ms", 0.3072},
        {"614.4 ms", 0.6144},
        {"1.229 S", 1.229},
        {"2.458 S", 2.458},
    }};
    return table;
}

// The failure's status is taken and dropped: the instrument's error queue
// stays for the status panel, which the result text points to.
std::string CalibrationResult(InstrumentSession& instrument, const std::string& request) {
    try {
        if (request == kFullCalibration) {
            return instrument.Calibrate();
        }
        instrument.CalTare(request);
        return instrument.QueryCalTare() == 0 ? "Cal Tare Passed"
                                              : "Cal Tare Failed,See Status panel";
    } catch (const UserException&) {
        instrument.GetLastStatus();
        return "Cal Failed,See Status panel";
    }
}

std::string RunCalibrationWorker(InstrumentSession& instrument, QWidget* parent,
                                 const std::string& request) {
    ElapsedTimeDialog dialog(parent, templates::kCalibrationProgressDialog);
    // Written by the worker before it marks the dialog done, read after.
    std::string result;
    std::thread worker([&instrument, &dialog, &request, &result] {
        result = CalibrationResult(instrument, request);
        dialog.SetDone();
    });
    platform::Dialogs().RunModal(dialog);
    WaitUntilDone(dialog);
    worker.join();
    return result;
}

const RuntimeClass CSourObj::kRuntimeClass{"CSourObj", &CPanel::kRuntimeClass};

CSourObj::CSourObj() : CPanel(strings::LoadString(strings::kSourcePanel)) {}
CSourObj::~CSourObj() = default;

const RuntimeClass& CSourObj::GetRuntimeClass() const {
    return kRuntimeClass;
}

void CSourObj::Show() {
    window = new CSourDlg(*this);
    App().currentPanel = this;
}

void CSourObj::Tick() {
    if (window) {
        static_cast<CSourDlg*>(window.data())->Tick();
    }
}

CSourDlg::CSourDlg(CSourObj& panel)
    : ConfigPage(templates::kSourcePage, panel.selector), panel_(panel) {
    SetTitle(1536, strings::kSourcePanel);
    Open(Tables());
    ConnectButtons();
}

ConfigTables CSourDlg::Tables() {
    ConfigTables tables;
    tables.groups = {
        {{{kFmOn, "ON"}, {kFmOff, "OFF"}},
         &panel_.frequencyModulation,
         [](const std::string& channels, const std::string& value) {
             Instrument().SetSourceFm(channels, value);
         }},
        {{{kCondition, "COND"}, {kPulse, "PULS"}, {kSquare, "SQU"}},
         &panel_.sourceFunction,
         [](const std::string& channels, const std::string& value) {
             Instrument().SetSourceFunction(channels, value);
         }},
        {{{kPulmOn, "ON"}, {kPulmOff, "OFF"}},
         &panel_.pulseModulation,
         [](const std::string& channels, const std::string& value) {
             Instrument().SetSourcePulseModulation(channels, value);
         }},
    };
    std::vector<std::string> entries;
    for (const DebounceEntry& entry : DebounceTable()) {
        entries.emplace_back(entry.text);
    }
    tables.choiceLists = {
        {kDebounce, entries, &panel_.debounce, [](const std::string& channels, int index) {
             const auto row = static_cast<std::size_t>(index);
             Instrument().SetDebounceTime(channels, DebounceTable().at(row).seconds);
         }}};
    tables.fields = {
        {kSampleTimer, &panel_.sampleTimer,
         [](const std::string&, const std::string& text) {
             Instrument().SetSampleTimer(Seconds(text));
         }},
        {kPeriod, &panel_.pulsePeriod,
         [](const std::string& channels, const std::string& text) {
             Instrument().SetPulsePeriod(channels, Seconds(text));
         }},
        {kWidth, &panel_.pulseWidth,
         [](const std::string& channels, const std::string& text) {
             Instrument().SetPulseWidth(channels, Seconds(text));
         }},
    };
    tables.fields[0].channels = ChannelUse::NotNeeded;
    tables.fields[0].neverDisabled = true;
    // The remembered texts go out as typed; the debounce time is not resent.
    tables.sendAll = {
        [this](const std::string& channels) {
            SendOnChecked(CheckedValue(kFmOn), [&](const std::string& value) {
                Instrument().SetSourceFm(channels, value);
            });
        },
        [this](const std::string& channels) {
            SendOnChecked(CheckedValue(kCondition), [&](const std::string& value) {
                Instrument().SetSourceFunction(channels, value);
            });
        },
        [this](const std::string& channels) {
            SendOnChecked(CheckedValue(kPulmOn), [&](const std::string& value) {
                Instrument().SetSourcePulseModulation(channels, value);
            });
        },
        [this](const std::string& channels) {
            if (!panel_.pulsePeriod.empty()) {
                Instrument().SetPulsePeriod(channels, panel_.pulsePeriod);
            }
        },
        [this](const std::string& channels) {
            if (!panel_.pulseWidth.empty()) {
                Instrument().SetPulseWidth(channels, panel_.pulseWidth);
            }
        },
        [this](const std::string&) {
            if (!panel_.sampleTimer.empty()) {
                Instrument().SetSampleTimer(panel_.sampleTimer);
            }
        },
    };
    tables.selectionControls = {kSendAllButton, kCalTare};
    return tables;
}

void CSourDlg::ConnectButtons() {
    const auto onClick = [this](int id, void (CSourDlg::*handler)()) {
        if (auto* button = Item<QAbstractButton>(id)) {
            connect(button, &QAbstractButton::clicked, this,
                    [this, handler] { (this->*handler)(); });
        }
    };
    onClick(kThresholdQuery, &CSourDlg::OnThresholdQuery);
    onClick(kCalTare, &CSourDlg::OnCalTare);
    onClick(kCalibrate, &CSourDlg::OnCalibrate);
    const auto onCommand = [this](int id, void (InstrumentSession::*operation)()) {
        if (auto* button = Item<QAbstractButton>(id)) {
            connect(button, &QAbstractButton::clicked, this, [operation] {
                RunInFailureScope([operation] { (Instrument().*operation)(); });
            });
        }
    };
    onCommand(kStoreTare, &InstrumentSession::StoreTare);
    onCommand(kResetTare, &InstrumentSession::ResetTare);
    onCommand(kStoreAdc, &InstrumentSession::StoreAdcCalibration);
}

void CSourDlg::SetThreshold(const std::string& text) {
    thresholdText_ = text;
    SetText(kThresholdReply, text);
}

void CSourDlg::OnThresholdQuery() {
    const std::optional<std::string> channels = RequireChannels();
    if (!channels) {
        return;
    }
    std::string reply;
    if (!RunInFailureScope([&] { reply = Instrument().QueryThreshold(*channels); })) {
        reply.clear();
    }
    SetThreshold(reply);
}

// The query needs exactly one channel; its reply belongs to that channel.
void CSourDlg::AfterTick(int selectionCount) {
    const int enable = selectionCount == 1 ? 1 : 0;
    if (enable == thresholdEnabled_) {
        return;
    }
    thresholdEnabled_ = enable;
    if (enable == 0) {
        SetThreshold(std::string());
    }
    if (auto* button = Item(kThresholdQuery)) {
        button->setEnabled(enable == 1);
    }
}

void CSourDlg::OnCalTare() {
    const std::optional<std::string> channels = RequireChannels();
    if (channels) {
        RunCalibration(*channels, nullptr);
    }
}

void CSourDlg::OnCalibrate() {
    RunCalibration(kFullCalibration, "*CAL? passed");
}

void CSourDlg::RunCalibration(const std::string& request, const char* passedText) {
    if (!platform::Dialogs().AskOkCancel(strings::LoadString(strings::kSelfTestQuestion))) {
        return;
    }
    InstrumentSession& instrument = Instrument();
    try {
        instrument.SetTimeout(kCalibrationTimeout);
        std::string result = RunCalibrationWorker(instrument, this, request);
        if (result.empty() && passedText != nullptr) {
            result = passedText;
        }
        if (!result.empty()) {
            platform::Dialogs().ShowMessage(QString::fromStdString(result));
        }
        instrument.SetTimeout(kNormalTimeout);
    } catch (const UserException&) {
        instrument.GetLastStatus();
        RestoreTimeout(instrument);
    }
}
