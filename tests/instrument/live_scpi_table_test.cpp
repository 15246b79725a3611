// Every operation of the live instrument that reaches the driver, row by row:
// the exact calls the simulated driver logs (SCPI text, answer size, driver
// arguments), and that the simulated instrument accepts them.

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "instrument/live_instrument.h"
#include "instrument/user_exception.h"
#include "simulator_libraries.h"

namespace {

using Lines = std::vector<std::string>;

std::string Cmd(const std::string& text) {
    return "qot7720_cmd \"" + text + "\"";
}
std::string Str(const std::string& text, int size = 256) {
    return "qot7720_cmdString_Q \"" + text + "\" " + std::to_string(size);
}
std::string Int(const std::string& text) {
    return "qot7720_cmdInt32_Q \"" + text + "\"";
}
std::string Real(const std::string& text) {
    return "qot7720_cmdReal64_Q \"" + text + "\"";
}

struct Row {
    const char* name;
    std::function<void(LiveInstrument&)> operation;
    Lines expected;
    // Directives for the driver simulator before the operation.
    Lines setup = {};
    // Operations that bring the instrument into the state the row needs.
    std::function<void(LiveInstrument&)> prepare = nullptr;
};

void PrintTo(const Row& row, std::ostream* out) {
    *out << row.name;
}

const std::vector<Row>& Rows() {
    static const std::vector<Row> rows = {
        {"Reset", [](LiveInstrument& i) { i.Reset(); }, {Cmd("*RST")}},
        {"QueryQuestionableCondition",
         [](LiveInstrument& i) { i.QueryQuestionableCondition(); },
         {Int("STAT:QUES:COND?")}},
        {"QueryQuestionableEvent",
         [](LiveInstrument& i) { i.QueryQuestionableEvent(); },
         {Int("STAT:QUES:COND?")}},
        {"QueryOperationEvent",
         [](LiveInstrument& i) { i.QueryOperationEvent(); },
         {Int("STAT:OPER:EVEN?")}},
        {"QueryOperationCondition",
         [](LiveInstrument& i) { i.QueryOperationCondition(); },
         {Int("STAT:OPER:COND?")}},
        {"SelfTest",
         [](LiveInstrument& i) { i.SelfTest(); },
         {"qot7720_self_test"},
         {"self-test 0 0"}},
        {"SendOpc", [](LiveInstrument& i) { i.SendOpc(); }, {Cmd("*OPC")}},
        {"QueryOpc", [](LiveInstrument& i) { i.QueryOpc(); }, {Int("*OPC?")}},
        {"QueryStatusByte", [](LiveInstrument& i) { i.QueryStatusByte(); }, {Int("*STB?")}},
        {"SetTimeout", [](LiveInstrument& i) { i.SetTimeout(5000); }, {"qot7720_timeOut 5000"}},
        {"QueryErrorQueue",
         [](LiveInstrument& i) {
             int code = -1;
             i.QueryErrorQueue(code);
         },
         {"qot7720_error_query"}},
        {"ClearStatus", [](LiveInstrument& i) { i.ClearStatus(); }, {Cmd("*CLS")}},
        {"GetErrorMessage",
         [](LiveInstrument& i) { i.GetErrorMessage(static_cast<int>(0xBFFF0015u)); },
         {"qot7720_error_message 0xBFFF0015"}},
        {"QueryTriggerSource",
         [](LiveInstrument& i) { i.QueryTriggerSource(); },
         {Str("TRIG:SOUR?")}},
        {"SetTriggerSource",
         [](LiveInstrument& i) { i.SetTriggerSource("HOLD"); },
         {Cmd("TRIG:SOUR HOLD")}},
        {"QueryArmSource", [](LiveInstrument& i) { i.QueryArmSource(); }, {Str("ARM:SOUR?")}},
        {"SetArmSource", [](LiveInstrument& i) { i.SetArmSource("IMM"); }, {Cmd("ARM:SOUR IMM")}},
        {"SetFilterFrequency",
         [](LiveInstrument& i) { i.SetFilterFrequency("100:103", "2"); },
         {Cmd("INP:FILT:LPAS:FREQ 2,(@100:103)")}},
        {"SetExcitationVoltage",
         [](LiveInstrument& i) { i.SetExcitationVoltage("100", "5"); },
         {Cmd("OUTP:VOLT:AMPL 5,(@100)")}},
        {"SetInputGain",
         [](LiveInstrument& i) { i.SetInputGain("100,106", "8"); },
         {Cmd("INP:GAIN 8,(@100,106)")}},
        {"SetInputLowTrimmedUpperCased",
         [](LiveInstrument& i) { i.SetInputLow("100", "  flo "); },
         {Cmd("INP:LOW FLO,(@100)")}},
        {"QueryFilterFrequencyMapsChannel5",
         [](LiveInstrument& i) { i.QueryFilterFrequency("5"); },
         {Str("INP:FILT:LPAS:FREQ? (@105)", 100)}},
        {"QueryFilterFrequencyKeepsChannel130",
         [](LiveInstrument& i) { i.QueryFilterFrequency("130"); },
         {Str("INP:FILT:LPAS:FREQ? (@130)", 100)}},
        {"QueryFilterFrequencyMapsChannel70To100",
         [](LiveInstrument& i) { i.QueryFilterFrequency("70"); },
         {Str("INP:FILT:LPAS:FREQ? (@100)", 100)}},
        {"QueryFilterFrequencyMapsNegativeTo100",
         [](LiveInstrument& i) { i.QueryFilterFrequency("-1"); },
         {Str("INP:FILT:LPAS:FREQ? (@100)", 100)}},
        {"QueryExcitationVoltage",
         [](LiveInstrument& i) { i.QueryExcitationVoltage("63"); },
         {Str("OUTP:VOLT:AMPL? (@163)")}},
        {"QueryInputGain",
         [](LiveInstrument& i) { i.QueryInputGain("163"); },
         {Str("INP:GAIN? (@163)")}},
        {"QueryInputLowMapsChannel164To100",
         [](LiveInstrument& i) { i.QueryInputLow("164"); },
         {Str("INP:LOW? (@100)")}},
        {"SetCurrentAmplitudeTrimmedUpperCased",
         [](LiveInstrument& i) { i.SetCurrentAmplitude("100", " 30e-6 "); },
         {Cmd("OUTP:CURR:AMPL 30E-6,(@100)")}},
        {"QueryCurrentAmplitude",
         [](LiveInstrument& i) { i.QueryCurrentAmplitude("0"); },
         {Real("OUTP:CURR:AMPL? (@100)")}},
        {"SetCurrentStateTrimmedUpperCased",
         [](LiveInstrument& i) { i.SetCurrentState("100", " on"); },
         {Cmd("OUTP:CURR ON,(@100)")}},
        {"QueryCurrentState",
         [](LiveInstrument& i) { i.QueryCurrentState("1"); },
         {Int("OUTP:CURR:STATE? (@101)")}},
        {"SetStrainGageFactor",
         [](LiveInstrument& i) { i.SetStrainGageFactor("100", "2.1"); },
         {Cmd("SENS:STR:GFAC 2.1,(@100)")}},
        {"SetStrainExcitationAdjusts001",
         [](LiveInstrument& i) { i.SetStrainExcitation("100", "0.01"); },
         {Cmd("SENS:STR:EXC 0.01001,(@100)")}},
        {"SetStrainExcitationKeeps002",
         [](LiveInstrument& i) { i.SetStrainExcitation("100", ".02"); },
         {Cmd("SENS:STR:EXC 0.02,(@100)")}},
        {"SetStrainPoisson",
         [](LiveInstrument& i) { i.SetStrainPoisson("100", ".3"); },
         {Cmd("SENS:STR:POIS .3,(@100)")}},
        {"QueryStrainGageFactor",
         [](LiveInstrument& i) { i.QueryStrainGageFactor("100"); },
         {Str("SENS:STR:GFAC? (@100)")}},
        {"QueryStrainExcitation",
         [](LiveInstrument& i) { i.QueryStrainExcitation("100"); },
         {Str("SENS:STR:EXC? (@100)")}},
        {"QueryStrainPoisson",
         [](LiveInstrument& i) { i.QueryStrainPoisson("100"); },
         {Str("SENS:STR:POIS? (@100)")}},
        {"SetSampleTimer",
         [](LiveInstrument& i) { i.SetSampleTimer(".001"); },
         {Cmd("SAMP:TIM .001")}},
        {"QuerySampleTimerLists",
         [](LiveInstrument& i) {
             for (int index : {0, 1, 2, 3, 4, 5, 6, -1}) {
                 i.QuerySampleTimer(index);
             }
         },
         {Str("SAMP:TIM? LIST1"), Str("SAMP:TIM? LIST2"), Str("SAMP:TIM? LIST3"),
          Str("SAMP:TIM? LIST4"), Str("SAMP:TIM? ALL"), Str("SAMP:TIM? LISTL"),
          Str("SAMP:TIM? LIST1"), Str("SAMP:TIM? LIST1")}},
        {"DefineScanLists",
         [](LiveInstrument& i) {
             i.DefineScanList(0, "(@100:107)");
             i.DefineScanList(3, "(@108)");
             i.DefineScanList(4, "100:103");
             i.DefineScanList(5, "(@110)");
         },
         {Cmd("ROUT:SEQ:DEF LIST1,(@100:107)"), Cmd("ROUT:SEQ:DEF LIST4,(@108)"),
          Cmd("ROUT:SEQ:DEF LISTL,(@100:103)"), Cmd("ROUT:SEQ:DEF LIST1,(@110)")}},
        {"QueryScanList",
         [](LiveInstrument& i) { i.QueryScanList(1); },
         {Str("ROUT:SEQ:DEF? LIST2,CHAN", 4095), Str("ROUT:SEQ:DEF? LIST2,MOD", 4095)}},
        {"QueryScanListOfLimits",
         [](LiveInstrument& i) { i.QueryScanList(4); },
         {Str("ROUT:SEQ:DEF? LISTL,CHAN", 4095)}},
        {"QueryScanListOutOfRange",
         [](LiveInstrument& i) { i.QueryScanList(9); },
         {Str("ROUT:SEQ:DEF? LIST1,CHAN", 4095), Str("ROUT:SEQ:DEF? LIST1,MOD", 4095)}},
        {"ReadCvt",
         [](LiveInstrument& i) { i.ReadCvt(10, 10); },
         {Cmd("FORM PACK, 64"), "qot7720_readCVT_Q 10 10"}},
        {"SetResistanceFunctionAuto",
         [](LiveInstrument& i) { i.SetResistanceFunction("100", "30E-6", "AUTO"); },
         {Cmd("SENS:FUNC:RES 30E-6,(@100)")}},
        {"SetResistanceFunctionRange",
         [](LiveInstrument& i) { i.SetResistanceFunction("100", "30E-6", "1"); },
         {Cmd("SENS:FUNC:RES 30E-6,1,(@100)")}},
        {"Initiate", [](LiveInstrument& i) { i.Initiate(); }, {Cmd("INIT")}},
        {"QueryTriggerTimer",
         [](LiveInstrument& i) { i.QueryTriggerTimer(); },
         {Real("TRIG:TIMER?")}},
        {"SetTriggerTimer",
         [](LiveInstrument& i) { i.SetTriggerTimer(0.5); },
         {Cmd("TRIG:TIM 0.5")}},
        {"SetTriggerTimerModeTrimmedUpperCased",
         [](LiveInstrument& i) { i.SetTriggerTimerMode(" asyn "); },
         {Cmd("TRIG:TIM:MODE ASYN")}},
        {"QueryTriggerTimerMode",
         [](LiveInstrument& i) { i.QueryTriggerTimerMode(); },
         {Str("TRIG:TIMER:MODE?")}},
        {"QueryTriggerCount",
         [](LiveInstrument& i) { i.QueryTriggerCount(); },
         {Int("TRIG:COUNT?")}},
        {"SetTriggerCountInfBetweenBlanks",
         [](LiveInstrument& i) { i.SetTriggerCount(" inf "); },
         {Cmd("TRIG:COUNT 0")}},
        {"SetTriggerCountAboveRange",
         [](LiveInstrument& i) { i.SetTriggerCount("70000"); },
         {Cmd("TRIG:COUNT 0")}},
        {"SetTriggerCountNegative",
         [](LiveInstrument& i) { i.SetTriggerCount("-5"); },
         {Cmd("TRIG:COUNT 0")}},
        {"SetTriggerCountLargest",
         [](LiveInstrument& i) { i.SetTriggerCount("65535"); },
         {Cmd("TRIG:COUNT 65535")}},
        {"SetStrainFunctionAuto",
         [](LiveInstrument& i) { i.SetStrainFunction("100", "QUAR", "AUTO"); },
         {Cmd("SENS:FUNC:STRAIN:QUAR (@100)")}},
        {"SetStrainFunctionRange",
         [](LiveInstrument& i) { i.SetStrainFunction("100", "QUAR", ".0625"); },
         {Cmd("SENS:FUNC:STRAIN:QUAR .0625,(@100)")}},
        {"SetTemperatureFunctionThermistorShortForm",
         [](LiveInstrument& i) { i.SetTemperatureFunction("100", "5000", "AUTO"); },
         {Cmd("SENS:FUNC:TEMP THER,5000,(@100)")}},
        {"SetTemperatureFunctionSensorTypes",
         [](LiveInstrument& i) {
             i.SetTemperatureFunction("100", "85", ".0625");
             i.SetTemperatureFunction("100", "92", "AUTO");
             i.SetTemperatureFunction("100", "2250", "4");
             i.SetTemperatureFunction("100", "10000", "AUTO");
             i.SetTemperatureFunction("100", "J", "AUTO");
         },
         {Cmd("SENS:FUNC:TEMP RTD,85,.0625,(@100)"), Cmd("SENS:FUNC:TEMP RTD,92,(@100)"),
          Cmd("SENS:FUNC:TEMP THER,2250,4,(@100)"), Cmd("SENS:FUNC:TEMP THER,10000,(@100)"),
          Cmd("SENS:FUNC:TEMP TC,J,(@100)")}},
        {"SetVoltageFunctionAuto",
         [](LiveInstrument& i) { i.SetVoltageFunction("100", "AUTO"); },
         {Cmd("FUNC:VOLT (@100)")}},
        {"SetVoltageFunctionRangeIsCaseSensitive",
         [](LiveInstrument& i) { i.SetVoltageFunction("100", "auto"); },
         {Cmd("FUNC:VOLT auto,(@100)")}},
        {"SetLowerLimit",
         [](LiveInstrument& i) { i.SetLowerLimit("100", -1.5); },
         {Cmd("CALC:LIM:LOW:DATA -1.5,(@100)")}},
        {"SetUpperLimit",
         [](LiveInstrument& i) { i.SetUpperLimit("100", 2e6); },
         {Cmd("CALC:LIM:UPP:DATA 2e+06,(@100)")}},
        {"CalTare", [](LiveInstrument& i) { i.CalTare("100:103"); }, {Cmd("CAL:TARE (@100:103)")}},
        {"QueryCalTare", [](LiveInstrument& i) { i.QueryCalTare(); }, {Int("CAL:TARE?")}},
        {"StoreTare", [](LiveInstrument& i) { i.StoreTare(); }, {Cmd("CAL:STORE TARE")}},
        {"ResetTare", [](LiveInstrument& i) { i.ResetTare(); }, {Cmd("CAL:TARE:RESET")}},
        {"SetFilterState",
         [](LiveInstrument& i) { i.SetFilterState("ON"); },
         {Cmd("SENS:FILT:LPAS:STAT ON")}},
        {"QueryFilterState",
         [](LiveInstrument& i) { i.QueryFilterState(); },
         {Str("SENS:FILT:LPAS:STAT?", 100)}},
        {"AbortMeasurementWhileIdle",
         [](LiveInstrument& i) { i.AbortMeasurement(); },
         {Int("STAT:OPER:COND?")}},
        {"AbortMeasurementWhileMeasuring",
         [](LiveInstrument& i) { i.AbortMeasurement(); },
         {Int("STAT:OPER:COND?"), Cmd("ABORT")},
         {"answer STAT:OPER:COND? 16"}},
        {"ResetCvt", [](LiveInstrument& i) { i.ResetCvt(); }, {Cmd("SENS:DATA:CVT:RESET")}},
        {"EnableLimits",
         [](LiveInstrument& i) { i.EnableLimits("100"); },
         {Cmd("CALC:LIM ON,(@100)")}},
        {"EnableLowerLimit",
         [](LiveInstrument& i) { i.EnableLowerLimit("100"); },
         {Cmd("CALC:LIM:LOW:STAT ON,(@100)")}},
        {"EnableUpperLimit",
         [](LiveInstrument& i) { i.EnableUpperLimit("100"); },
         {Cmd("CALC:LIM:UPP:STAT ON,(@100)")}},
        {"QueryCumulativeLimitFlags",
         [](LiveInstrument& i) { i.QueryCumulativeLimitFlags(); },
         {Str("CALC:CLIM:FLIM:CUM?")}},
        {"TriggerImmediate",
         [](LiveInstrument& i) { i.TriggerImmediate(); },
         {Cmd("TRIG:IMM")},
         {},
         [](LiveInstrument& i) {
             i.SetTriggerSource("HOLD");
             i.Initiate();
         }},
        {"QueryAverageCount",
         [](LiveInstrument& i) { i.QueryAverageCount(); },
         {Int("CALC:AVER:COUN?")}},
        {"QueryAverageState",
         [](LiveInstrument& i) { i.QueryAverageState(); },
         {Int("CALC:AVER:STATE?")}},
        {"SetAverageState",
         [](LiveInstrument& i) { i.SetAverageState("ON"); },
         {Cmd("CALC:AVER:STATE ON")}},
        {"SetAverageCount",
         [](LiveInstrument& i) { i.SetAverageCount(4); },
         {Cmd("CALC:AVER:COUN 4")}},
        {"SetContinuousOff",
         [](LiveInstrument& i) { i.SetContinuousOff(); },
         {Cmd("INIT:CONT OFF")}},
        {"SetContinuousOn", [](LiveInstrument& i) { i.SetContinuousOn(); }, {Cmd("INIT:CONT ON")}},
        {"QueryFifoCount",
         [](LiveInstrument& i) { i.QueryFifoCount(); },
         {Int("SENS:DATA:FIFO:COUN?")}},
        {"ReadFifo",
         [](LiveInstrument& i) { i.ReadFifo(3); },
         {Cmd("FORM REAL,64"), "qot7720_readFifo_Q 3 3"},
         {"fifo 1 2 3"}},
        {"SetFifoMode",
         [](LiveInstrument& i) { i.SetFifoMode("BLOCK"); },
         {Cmd("SENS:DATA:FIFO:MODE BLOCK")}},
        {"ResetFifo", [](LiveInstrument& i) { i.ResetFifo(); }, {Cmd("SENS:DATA:FIFO:RESET")}},
        {"DeviceClear", [](LiveInstrument& i) { i.DeviceClear(); }, {"qot7720_dcl"}},
        {"SetInputFilterState",
         [](LiveInstrument& i) { i.SetInputFilterState("100", "ON"); },
         {Cmd("INP:FILT:STATE ON,(@100)")}},
        {"SetTtlTriggerOutput",
         [](LiveInstrument& i) { i.SetTtlTriggerOutput(3, "ON"); },
         {Cmd("OUTP:TTLT3 ON")}},
        {"SetOutputPolarity",
         [](LiveInstrument& i) { i.SetOutputPolarity("100", "INV"); },
         {Cmd("OUTP:POL INV,(@100)")}},
        {"SetInputPolarity",
         [](LiveInstrument& i) { i.SetInputPolarity("100", "NORM"); },
         {Cmd("INP:POL NORM,(@100)")}},
        {"SetOutputType",
         [](LiveInstrument& i) { i.SetOutputType("100", "ACT"); },
         {Cmd("OUTP:TYPE ACT,(@100)")}},
        {"SetTtlTriggerSource",
         [](LiveInstrument& i) { i.SetTtlTriggerSource("TRIG"); },
         {Cmd("OUTP:TTLT:SOUR TRIG")}},
        {"QueryInputFilterState",
         [](LiveInstrument& i) { i.QueryInputFilterState("100"); },
         {Str("INP:FILT? (@100)")}},
        {"QueryTtlTriggerOutput",
         [](LiveInstrument& i) { i.QueryTtlTriggerOutput(2); },
         {Str("OUTP:TTLT2?")}},
        {"QueryOutputPolarity",
         [](LiveInstrument& i) { i.QueryOutputPolarity("100"); },
         {Str("OUTP:POL? (@100)")}},
        {"QueryOutputType",
         [](LiveInstrument& i) { i.QueryOutputType("100"); },
         {Str("OUTP:TYPE? (@100)")}},
        {"QueryTtlTriggerSourceWithTrailingBlank",
         [](LiveInstrument& i) { i.QueryTtlTriggerSource(); },
         {Str("OUTP:TTLT:SOUR? ")}},
        {"QueryInputPolarity",
         [](LiveInstrument& i) { i.QueryInputPolarity("100"); },
         {Str("INP:POL? (@100)")}},
        {"SetDigitalFunctionKinds",
         [](LiveInstrument& i) {
             for (int kind : {0, 1, 2, 7}) {
                 i.SetDigitalFunction("100", kind);
             }
         },
         {Cmd("SENS:FUNC:COND (@100)"), Cmd("SENS:FUNC:FREQ (@100)"), Cmd("SENS:FUNC:TOT (@100)"),
          Cmd("SENS:FUNC:COND (@100)")}},
        {"SetReferenceTemperature",
         [](LiveInstrument& i) { i.SetReferenceTemperature("25"); },
         {Cmd("SENS:REF:TEMP 25")}},
        {"SetReferenceChannelReferenceFirst",
         [](LiveInstrument& i) { i.SetReferenceChannel("100:103", "104"); },
         {Cmd("SENS:REF:CHAN (@104),(@100:103)")}},
        {"SetReference",
         [](LiveInstrument& i) { i.SetReference("104", "THER", "5000", "1"); },
         {Cmd("SENS:REF THER,5000,1,(@104)")}},
        {"SetTotalizerResetMode",
         [](LiveInstrument& i) { i.SetTotalizerResetMode("100", "INIT"); },
         {Cmd("SENS:TOT:RES:MODE INIT,(@100)")}},
        {"SetFrequencyAperture",
         [](LiveInstrument& i) { i.SetFrequencyAperture("100", ".01"); },
         {Cmd("SENS:FREQ:APER .01,(@100)")}},
        {"SetStrainUnstrained",
         [](LiveInstrument& i) { i.SetStrainUnstrained("100", "0"); },
         {Cmd("SENS:STR:UNST 0,(@100)")}},
        {"SetSourceFm",
         [](LiveInstrument& i) { i.SetSourceFm("100", "100"); },
         {Cmd("SOUR:FM 100,(@100)")}},
        {"SetSourceFunction",
         [](LiveInstrument& i) { i.SetSourceFunction("100", "PULS"); },
         {Cmd("SOUR:FUNC:PULS (@100)")}},
        {"SetSourcePulseModulation",
         [](LiveInstrument& i) { i.SetSourcePulseModulation("100", "1"); },
         {Cmd("SOUR:PULM 1,(@100)")}},
        {"SetPulsePeriod",
         [](LiveInstrument& i) { i.SetPulsePeriod("100", ".001"); },
         {Cmd("SOUR:PULS:PER .001,(@100)")}},
        {"SetPulseWidth",
         [](LiveInstrument& i) { i.SetPulseWidth("100", ".001"); },
         {Cmd("SOUR:PULS:WID .001,(@100)")}},
        {"DownloadAlgorithm",
         [](LiveInstrument& i) { i.DownloadAlgorithm("ALG1", " 1024", "/**/ O100 = I100;"); },
         {"qot7720_downloadAlg \"ALG1\" 1024 \"/**/ O100 = I100;\""}},
        {"SetAlgorithmScalar",
         [](LiveInstrument& i) { i.SetAlgorithmScalar("ALG1", "gain", "2.5"); },
         {Cmd("ALG:SCALAR 'ALG1','gain',2.5")}},
        {"UpdateAlgorithms", [](LiveInstrument& i) { i.UpdateAlgorithms(); }, {Cmd("ALG:UPDATE")}},
        {"SetAlgorithmArray",
         [](LiveInstrument& i) { i.SetAlgorithmArray("ALG1", "coeffs", {1.5, 2.0, 3.0}, 2); },
         {"qot7720_algArray \"ALG1\" \"coeffs\" 2 1.5 2"}},
        {"SetAlgorithmArrayNeverPastTheValues",
         [](LiveInstrument& i) { i.SetAlgorithmArray("ALG1", "coeffs", {1.5}, 40); },
         {"qot7720_algArray \"ALG1\" \"coeffs\" 1 1.5"}},
        {"Calibrate",
         [](LiveInstrument& i) { i.Calibrate(); },
         {Int("*CAL?")},
         {"calibration 0 0"}},
        {"QueryScpType",
         [](LiveInstrument& i) { i.QueryScpType(108); },
         {Str("SYST:CTYP? (@108)")}},
        {"QueryRevision", [](LiveInstrument& i) { i.QueryRevision(); }, {"qot7720_revision_query"}},
        {"SetDebounceTime",
         [](LiveInstrument& i) { i.SetDebounceTime("100", 0.002); },
         {Cmd("INP:DEB:TIME 0.002,(@100)")}},
        {"StoreAdcCalibration",
         [](LiveInstrument& i) { i.StoreAdcCalibration(); },
         {Cmd("CAL:STORE ADC")}},
        {"QueryThreshold",
         [](LiveInstrument& i) { i.QueryThreshold("100"); },
         {Str("INP:THR? (@100)")}},
    };
    return rows;
}

class LiveScpiTable : public ::testing::TestWithParam<Row> {
protected:
    void SetUp() override {
        instrument = OpenLiveInstrument(SimulatorLibraries::Path(SimulatorLibraries::kDriver));
    }

    SimulatorLibraries simulator;
    std::unique_ptr<LiveInstrument> instrument;
};

TEST_P(LiveScpiTable, SendsExactlyTheTableText) {
    ASSERT_TRUE(instrument);
    const Row& row = GetParam();
    for (const std::string& directive : row.setup) {
        simulator.DriverDirective(directive);
    }
    if (row.prepare) {
        row.prepare(*instrument);
    }
    const std::size_t mark = simulator.LogMark();
    try {
        row.operation(*instrument);
    } catch (const UserException&) {
        const int status = instrument->GetLastStatus();
        const std::vector<std::string> calls = simulator.DriverCalls(mark);
        int code = 0;
        const Text error = instrument->QueryErrorQueue(code);
        ADD_FAILURE() << "the simulated instrument refused it: status 0x" << std::hex << status
                      << ", " << error.value_or("");
        EXPECT_EQ(calls, row.expected);
        return;
    }
    EXPECT_EQ(simulator.DriverCalls(mark), row.expected);
}

INSTANTIATE_TEST_SUITE_P(EveryOperation, LiveScpiTable, ::testing::ValuesIn(Rows()),
                         [](const ::testing::TestParamInfo<Row>& info) {
                             return std::string(info.param.name);
                         });

}  // namespace
