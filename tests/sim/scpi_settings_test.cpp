// Settings sent as SCPI are kept and answered in the forms the front panel parses.

#include <gtest/gtest.h>

#include "tests/sim/driver_fixture.h"

namespace simtest {
namespace {

struct SettingRow {
    const char* command;
    const char* query;
    const char* answer;
};

std::ostream& operator<<(std::ostream& out, const SettingRow& row) {
    return out << row.command;
}

class SettingRoundTrip : public DriverTest, public ::testing::WithParamInterface<SettingRow> {};

TEST_P(SettingRoundTrip, IsKeptAndAnswered) {
    const SettingRow& row = GetParam();
    ASSERT_EQ(cmd(row.command), 0) << nextError();
    EXPECT_EQ(text(row.query), row.answer);
}

INSTANTIATE_TEST_SUITE_P(
    ChannelSettings, SettingRoundTrip,
    ::testing::Values(
        SettingRow{"INP:GAIN 8,(@100:103)", "INP:GAIN? (@102)", "8"},
        SettingRow{"INP:GAIN MAX,(@100)", "INP:GAIN? (@100)", "512"},
        SettingRow{"INP:FILT:LPAS:FREQ 10,(@105)", "INP:FILT:LPAS:FREQ? (@105)", "10"},
        SettingRow{"INP:FILT:LPAS:FREQ MIN,(@105)", "INP:FILT:LPAS:FREQ? (@105)", "2"},
        SettingRow{"INP:FILT:STATE ON,(@106)", "INP:FILT? (@106)", "1"},
        SettingRow{"INP:LOW WVOL,(@100)", "INP:LOW? (@100)", "WVOL"},
        SettingRow{"INP:POL INV,(@101)", "INP:POL? (@101)", "INV"},
        SettingRow{"INP:DEB:TIME 0.01,(@150)", "INP:DEB:TIME? (@150)", "0.01"},
        SettingRow{"OUTP:VOLT:AMPL 3.9,(@110)", "OUTP:VOLT:AMPL? (@110)", "3.9"},
        SettingRow{"OUTP:CURR:AMPL MAX,(@100)", "OUTP:CURR:AMPL? (@100)", "0.000488"},
        SettingRow{"OUTP:CURR ON,(@100)", "OUTP:CURR:STATE? (@100)", "1"},
        SettingRow{"OUTP:POL INV,(@101)", "OUTP:POL? (@101)", "INV"},
        SettingRow{"OUTP:TYPE ACTIVE,(@102)", "OUTP:TYPE? (@102)", "ACT"},
        SettingRow{"SENS:STR:GFAC 2.5,(@120)", "SENS:STR:GFAC? (@120)", "2.5"},
        SettingRow{"SENS:STR:EXC 0.01001,(@120)", "SENS:STR:EXC? (@120)", "0.01001"},
        SettingRow{"SENS:STR:POIS .28,(@120)", "SENS:STR:POIS? (@120)", "0.28"},
        SettingRow{"SENS:STR:UNST 0.5,(@121)", "SENS:STR:UNST? (@121)", "0.5"},
        SettingRow{"SENS:FREQ:APER 0.1,(@140)", "SENS:FREQ:APER? (@140)", "0.1"},
        SettingRow{"SENS:TOT:RES:MODE TRIG,(@140)", "SENS:TOT:RES:MODE? (@140)", "TRIG"},
        SettingRow{"SOUR:FM ON,(@141)", "SOUR:FM? (@141)", "1"},
        SettingRow{"SOUR:PULM ON,(@141)", "SOUR:PULM? (@141)", "1"},
        SettingRow{"SOUR:PULS:PER 1e-3,(@141)", "SOUR:PULS:PER? (@141)", "0.001"},
        SettingRow{"SOUR:PULS:WID 2E-4,(@141)", "SOUR:PULS:WID? (@141)", "2E-04"},
        SettingRow{"SOUR:PULS:PER 2MS,(@141)", "SOUR:PULS:PER? (@141)", "0.002"},
        SettingRow{"SOUR:FUNC:PULS (@142)", "SOUR:FUNC? (@142)", "PULS"},
        SettingRow{"CALC:LIM:LOW:DATA -2.5,(@100)", "CALC:LIM:LOW:DATA? (@100)", "-2.5"},
        SettingRow{"CALC:LIM:UPP:DATA 7,(@100)", "CALC:LIM:UPP:DATA? (@100)", "7"},
        SettingRow{"CALC:LIM ON,(@100)", "CALC:LIM? (@100)", "1"},
        SettingRow{"CALC:LIM:LOW:STAT ON,(@100)", "CALC:LIM:LOW:STAT? (@100)", "1"},
        SettingRow{"INPUT:GAIN 16,(@163)", "inp:gain? (@163)", "16"},
        SettingRow{"INP:GAIN 64,(@1(0:3))", "INP:GAIN? (@103)", "64"},
        SettingRow{"INP:GAIN 64,(@107:104)", "INP:GAIN? (@105)", "64"}));

INSTANTIATE_TEST_SUITE_P(
    SenseFunctions, SettingRoundTrip,
    ::testing::Values(
        SettingRow{"FUNC:VOLT (@132)", "SENS:FUNC? (@132)", "VOLT,AUTO"},
        SettingRow{"FUNC:VOLT .25,(@132)", "SENS:FUNC? (@132)", "VOLT,.25"},
        SettingRow{"SENS:FUNC:RES 30E-6,(@133)", "SENS:FUNC? (@133)", "RES,3E-05,AUTO"},
        SettingRow{"SENS:FUNC:RES MAX,4,(@133)", "SENS:FUNC? (@133)", "RES,0.000488,4"},
        SettingRow{"SENS:FUNC:STRAIN:HBEN 4,(@130)", "SENS:FUNC? (@130)", "STR:HBEN,4"},
        SettingRow{"SENS:FUNC:STRAIN:QUAR (@130)", "SENS:FUNC? (@130)", "STR:QUAR,AUTO"},
        SettingRow{"SENS:FUNC:TEMP THER,5000,(@131)", "SENS:FUNC? (@131)", "TEMP,THER,5000,AUTO"},
        SettingRow{"SENS:FUNC:TEMP TC,J,16,(@131)", "SENS:FUNC? (@131)", "TEMP,TC,J,16"},
        SettingRow{"SENS:FUNC:FREQ (@134)", "SENS:FUNC? (@134)", "FREQ"},
        SettingRow{"SENS:FUNC:TOT (@134)", "SENS:FUNC? (@134)", "TOT"},
        SettingRow{"SENS:FUNC:COND (@134)", "SENS:FUNC? (@134)", "COND"},
        SettingRow{"SENS:REF THER,5000,AUTO,(@100)", "SENS:REF? (@100)", "THER,5000,AUTO"},
        SettingRow{"SENS:REF:CHAN (@101),(@100:103)", "SENS:REF:CHAN? (@102)", "101"},
        SettingRow{"SENS:REF:TEMP 22.5", "SENS:REF:TEMP?", "22.5"}));

INSTANTIATE_TEST_SUITE_P(
    InstrumentSettings, SettingRoundTrip,
    ::testing::Values(
        SettingRow{"TRIG:SOUR HOLD", "TRIG:SOUR?", "HOLD"},
        SettingRow{"TRIG:SOUR ttlt3", "TRIG:SOUR?", "TTLT3"},
        SettingRow{"TRIG:SOUR TIMER", "TRIG:SOUR?", "TIM"},
        SettingRow{"ARM:SOUR BUS", "ARM:SOUR?", "BUS"},
        SettingRow{"TRIG:TIM 0.25", "TRIG:TIMER?", "0.25"},
        SettingRow{"TRIG:TIM:MODE SYNC", "TRIG:TIMER:MODE?", "SYNC"},
        SettingRow{"TRIG:COUNT 5", "TRIG:COUNT?", "5"},
        SettingRow{"TRIG:COUNT INF", "TRIG:COUNT?", "0"},
        SettingRow{"SAMP:TIM 0.001", "SAMP:TIM? LIST3", "0.001"},
        SettingRow{"SAMP:TIM 0.002,LISTL", "SAMP:TIM? LISTL", "0.002"},
        SettingRow{"SAMP:TIM 100US", "SAMP:TIM? ALL", "1E-04"},
        SettingRow{"SENS:FILT:LPAS:STAT ON", "SENS:FILT:LPAS:STAT?", "1"},
        SettingRow{"CALC:AVER:STATE ON", "CALC:AVER:STATE?", "1"},
        SettingRow{"CALC:AVER:COUN 8", "CALC:AVER:COUN?", "8"},
        SettingRow{"OUTP:TTLT2 ON", "OUTP:TTLT2?", "1"},
        SettingRow{"OUTP:TTLT:SOUR FTR", "OUTP:TTLT:SOUR? ", "FTR"},
        SettingRow{"SENS:DATA:FIFO:MODE OVER", "SENS:DATA:FIFO:MODE?", "OVER"},
        SettingRow{"FORM PACK, 64", "FORM?", "PACK,64"},
        SettingRow{"FORM REAL,64", "FORM?", "REAL,64"},
        SettingRow{"ROUT:SEQ:DEF LIST2,(@100,101,105)", "ROUT:SEQ:DEF? LIST2,CHAN", "0,1,5"},
        SettingRow{"ROUT:SEQ:DEF LIST2,(@100,101,105)", "ROUT:SEQ:DEF? LIST2,MOD", "1,1,1"},
        SettingRow{"ROUT:SEQ:DEF LISTL,(@)", "ROUT:SEQ:DEF? LISTL,CHAN", ""},
        SettingRow{"ALG:SCALAR 'ALG1','gain',2.5", "ALG:SCAL? 'ALG1','GAIN'", "2.5"},
        SettingRow{"*ESE 32", "*ESE?", "32"},
        SettingRow{"STAT:OPER:ENAB 16", "STAT:OPER:ENAB?", "16"}));

TEST_F(DriverTest, ChannelSettingsChangeOnlyTheListedChannels) {
    ASSERT_EQ(cmd("INP:GAIN 8,(@100:103,105)"), 0);
    EXPECT_EQ(text("INP:GAIN? (@103)"), "8");
    EXPECT_EQ(text("INP:GAIN? (@104)"), "1");
    EXPECT_EQ(text("INP:GAIN? (@105)"), "8");
    EXPECT_EQ(text("INP:GAIN? (@106)"), "1");
}

TEST_F(DriverTest, NumericAnswersReachTheTypedQueries) {
    ASSERT_EQ(cmd("OUTP:CURR:AMPL MIN,(@100)"), 0);
    ASSERT_EQ(cmd("OUTP:CURR:AMPL MAX,(@101)"), 0);
    EXPECT_DOUBLE_EQ(real("OUTP:CURR:AMPL? (@100)"), 3.0e-5);
    EXPECT_DOUBLE_EQ(real("OUTP:CURR:AMPL? (@101)"), 4.88e-4);
    ASSERT_EQ(cmd("TRIG:TIM 0.5"), 0);
    EXPECT_DOUBLE_EQ(real("TRIG:TIMER?"), 0.5);
    ASSERT_EQ(cmd("CALC:AVER:COUN 16"), 0);
    EXPECT_EQ(integer("CALC:AVER:COUN?"), 16);
}

TEST_F(DriverTest, ResetRestoresTheDefaults) {
    const std::vector<std::pair<const char*, const char*>> defaults = {
        {"INP:GAIN? (@100)", "1"},
        {"TRIG:SOUR?", "IMM"},
        {"ARM:SOUR?", "IMM"},
        {"TRIG:TIMER?", "0.001"},
        {"TRIG:TIMER:MODE?", "ASYN"},
        {"TRIG:COUNT?", "1"},
        {"CALC:AVER:COUN?", "2"},
        {"OUTP:TYPE? (@100)", "PASS"},
        {"FORM?", "ASC,7"},
        {"ROUT:SEQ:DEF? LISTL,CHAN",
         "0,1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16,17,18,19,20,21,22,"
         "23,24,25,26,27,28,29,30,31,32,33,34,35,36,37,38,39,40,41,42,"
         "43,44,45,46,47,48,49,50,51,52,53,54,55,56,57,58,59,60,61,62,63"},
    };
    for (const char* command :
         {"INP:GAIN 8,(@100)", "TRIG:SOUR HOLD", "ARM:SOUR BUS", "TRIG:TIM 1", "TRIG:TIM:MODE SYNC",
          "TRIG:COUNT 9", "CALC:AVER:COUN 4", "OUTP:TYPE ACT,(@100)", "FORM REAL,64",
          "ROUT:SEQ:DEF LISTL,(@100)"}) {
        ASSERT_EQ(cmd(command), 0) << command;
    }
    ASSERT_EQ(cmd("*RST"), 0);
    for (const auto& [query, answer] : defaults) {
        EXPECT_EQ(text(query), answer) << query;
    }
}

TEST_F(DriverTest, ScpTypesAnswerForEveryChannelOfAPosition) {
    EXPECT_EQ(text("SYST:CTYP? (@100)"), text("SYST:CTYP? (@107)"));
    EXPECT_NE(text("SYST:CTYP? (@100)"), text("SYST:CTYP? (@116)"));
    EXPECT_EQ(text("SYST:CTYP? (@156)"), "0,No SCP at this Address,0,0");
    control("scp 1 \"QUORVALE-ORBANT,T7599 Test SCP,0,0\"");
    EXPECT_EQ(text("SYST:CTYP? (@108)"), "QUORVALE-ORBANT,T7599 Test SCP,0,0");
}

TEST_F(DriverTest, IdentityAndStatusQueries) {
    EXPECT_EQ(text("*IDN?"), "QUORVALE-ORBANT,T7720,0,A.01.00");
    EXPECT_EQ(integer("*OPC?"), 1);
    EXPECT_EQ(integer("STAT:QUES:COND?"), 0);
    EXPECT_EQ(integer("CAL:TARE?"), 0);
    EXPECT_EQ(text("CALC:CLIM:FLIM:CUM?"), "0,0,0,0");
    EXPECT_EQ(text("INP:THR? (@150)"), "TTL");
}

}  // namespace
}  // namespace simtest
