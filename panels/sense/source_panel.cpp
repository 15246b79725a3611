#include "panels/sense/source_panel.h"

#include <QAbstractButton>

#include "app/failure_scope.h"
#include "app/long_operation.h"
#include "app/sfp_app.h"
#include "instrument/driver_api.h"
#include "instrument/instrument_session.h"
#include "instrument/user_exception.h"
#include "panels/scp/unit_value.h"
#include "platform/operator_dialogs.h"
#include "resources/dialog_template.h"
#include "resources/string_table.h"

namespace {

constexpr int kTitle = 1536;
constexpr int kCalibrationTimeout = 600000;
constexpr int kNormalTimeout = 30000;
constexpr char kFullCalibration[] = "*CAL";
constexpr char kCalibrationFailed[] = "Cal Failed,See Status panel";

InstrumentSession& Instrument() {
    return *App().instrument;
}

using ChannelCall = void (InstrumentSession::*)(const std::string&, const std::string&);

SendValue Call(ChannelCall call) {
    return [call](const std::string& channels, const std::string& value) {
        (Instrument().*call)(channels, value);
    };
}

// A typed time in seconds, the same text from Enter and from Send All: the
// typed text itself would be read by the instrument by its own rules ("2 MS"
// is 2 ms there, while the page reads no unit in it).
SendValue InSeconds(ChannelCall call) {
    return [call](const std::string& channels, const std::string& text) {
        (Instrument().*call)(channels, UnitValueText(text, kTime));
    };
}

void SendSampleTimer(const std::string& /*channels*/, const std::string& text) {
    Instrument().SetSampleTimer(UnitValueText(text, kTime));
}

void SendDebounce(const std::string& channels, int index) {
    Instrument().SetDebounceTime(channels,
                                 DebounceTable().at(static_cast<std::size_t>(index)).seconds);
}

// Queued instrument errors stay in the queue for the status panel, which the
// result text points to. A time-out or a driver failure leaves nothing there,
// so the operator is told of it like of any failed operation.
void ReportUnqueuedFailure(int status) {
    if (status != driver::kInstrumentErrorQueued) {
        ReportInstrumentError(status);
    }
}

// The worker's job: never raises, never touches a widget.
std::string CalibrationResult(InstrumentSession& instrument, const std::string& request) {
    try {
        if (request == kFullCalibration) {
            return instrument.Calibrate();
        }
        instrument.CalTare(request);
        return instrument.QueryCalTare() == 0 ? "Cal Tare Passed"
                                              : "Cal Tare Failed,See Status panel";
    } catch (const UserException&) {
        ReportUnqueuedFailure(instrument.GetLastStatus());
        return kCalibrationFailed;
    }
}

// "Calibration in progress: CAL:TARE", or "*CAL?" for the full calibration.
QString CalibrationText(const std::string& request) {
    const char* command = request == kFullCalibration ? "*CAL?" : "CAL:TARE";
    return strings::LoadString(strings::kCalibrationRunning)
        .replace(QLatin1String("%s"), QLatin1String(command));
}

// After a failure that was already reported: one report is enough.
void RestoreTimeoutQuietly(InstrumentSession& instrument) {
    try {
        instrument.SetTimeout(kNormalTimeout);
    } catch (const UserException&) {
        instrument.GetLastStatus();
    }
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

const RuntimeClass CSourObj::kRuntimeClass{"CSourObj", &CPanel::kRuntimeClass};

CSourObj::CSourObj() : CPanel(strings::LoadString(strings::kSourcePanel)) {}
CSourObj::~CSourObj() = default;

const RuntimeClass& CSourObj::GetRuntimeClass() const {
    return kRuntimeClass;
}

void CSourObj::Show() {
    window = PanelPage::Open<CSourDlg>(*this);
    App().currentPanel = this;
}

void CSourObj::Tick() {
    if (auto* page = dynamic_cast<CSourDlg*>(window.data())) {
        page->Tick();
    }
}

CSourDlg::CSourDlg(CSourObj& panel)
    : ConfigPage(templates::kSourcePage, panel.selector), panel_(panel) {
    SetTitle(kTitle, strings::kSourcePanel, kBlack);
    Open(Tables());
    ConnectButtons();
    ApplyThresholdState(Selector().SelectionCount());
}

ConfigTables CSourDlg::Tables() {
    CSourObj& p = panel_;
    ConfigTables tables;
    tables.groups = {
        {{{kFmOn, "ON"}, {kFmOff, "OFF"}},
         &p.frequencyModulation,
         Call(&InstrumentSession::SetSourceFm)},
        {{{kCondition, "COND"}, {kPulse, "PULS"}, {kSquare, "SQU"}},
         &p.sourceFunction,
         Call(&InstrumentSession::SetSourceFunction)},
        {{{kPulmOn, "ON"}, {kPulmOff, "OFF"}},
         &p.pulseModulation,
         Call(&InstrumentSession::SetSourcePulseModulation)},
    };
    std::vector<std::string> entries;
    for (const DebounceEntry& entry : DebounceTable()) {
        entries.emplace_back(entry.text);
    }
    tables.choiceLists = {{kDebounce, entries, &p.debounce, SendDebounce}};
    tables.fields = {
        {kSampleTimer, &p.sampleTimer, SendSampleTimer},
        {kPeriod, &p.pulsePeriod, InSeconds(&InstrumentSession::SetPulsePeriod)},
        {kWidth, &p.pulseWidth, InSeconds(&InstrumentSession::SetPulseWidth)},
    };
    // The sample timer is one setting of the whole instrument.
    tables.fields.front().channels = ChannelUse::NotNeeded;
    tables.fields.front().neverDisabled = true;
    tables.sendAll = SendAllSteps();
    tables.selectionControls = {kSendAllButton, kCalTare};
    return tables;
}

// The groups as the page shows them, then the remembered times as Enter sent
// them; the debounce time is not sent again.
std::vector<SendAllStep> CSourDlg::SendAllSteps() {
    const auto checked = [this](int buttonId, ChannelCall call) -> SendAllStep {
        return [this, buttonId, call](const std::string& channels) {
            if (const std::optional<std::string> value = CheckedValue(buttonId)) {
                (Instrument().*call)(channels, *value);
            }
        };
    };
    const auto remembered = [](const std::string& text, ChannelCall call) -> SendAllStep {
        return [&text, send = InSeconds(call)](const std::string& channels) {
            if (!text.empty()) {
                send(channels, text);
            }
        };
    };
    return {
        checked(kFmOn, &InstrumentSession::SetSourceFm),
        checked(kCondition, &InstrumentSession::SetSourceFunction),
        checked(kPulmOn, &InstrumentSession::SetSourcePulseModulation),
        remembered(panel_.pulsePeriod, &InstrumentSession::SetPulsePeriod),
        remembered(panel_.pulseWidth, &InstrumentSession::SetPulseWidth),
        [this](const std::string& channels) {
            if (!panel_.sampleTimer.empty()) {
                SendSampleTimer(channels, panel_.sampleTimer);
            }
        },
    };
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

void CSourDlg::AfterTick(int selectionCount) {
    ApplyThresholdState(selectionCount);
}

// The reply belongs to the one channel it was asked for. Also applied when
// the page opens, so that the query is never sent for a list of channels.
void CSourDlg::ApplyThresholdState(int selectionCount) {
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
    if (const std::optional<std::string> channels = RequireChannels()) {
        RunCalibration(*channels, nullptr);
    }
}

void CSourDlg::OnCalibrate() {
    RunCalibration(kFullCalibration, "*CAL? passed");
}

// A calibration's own failure is told by its result text. A failure to change
// the time-out is reported: without it the calibration would silently not
// run, or the instrument would silently keep the ten-minute time-out.
void CSourDlg::RunCalibration(const std::string& request, const char* passedText) {
    if (!platform::Dialogs().AskOkCancel(strings::LoadString(strings::kSelfTestQuestion))) {
        return;
    }
    InstrumentSession& instrument = Instrument();
    if (!RunInFailureScope(instrument, [&] { instrument.SetTimeout(kCalibrationTimeout); })) {
        RestoreTimeoutQuietly(instrument);
        return;
    }
    std::string result =
        RunLongOperation(this, templates::kCalibrationProgressDialog, CalibrationText(request),
                         [&instrument, request] { return CalibrationResult(instrument, request); });
    if (result.empty() && passedText != nullptr) {
        result = passedText;
    }
    if (!result.empty()) {
        platform::Dialogs().ShowMessage(QString::fromStdString(result));
    }
    RunInFailureScope(instrument, [&] { instrument.SetTimeout(kNormalTimeout); });
}
