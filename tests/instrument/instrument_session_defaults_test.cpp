// The interface's default bodies are behaviour the emulated instrument and
// the panels rely on.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "instrument/instrument_session.h"

namespace {

struct IntegerDefault {
    const char* operation;
    std::function<int(InstrumentSession&)> call;
    int expected;
};

struct TextDefault {
    const char* operation;
    std::function<Text(InstrumentSession&)> call;
    Text expected;
};

}  // namespace

TEST(InstrumentSessionDefaults, IntegerQueries) {
    const std::vector<IntegerDefault> rows = {
        {"QueryQuestionableCondition", [](auto& s) { return s.QueryQuestionableCondition(); }, 0},
        {"QueryQuestionableEvent", [](auto& s) { return s.QueryQuestionableEvent(); }, 0},
        {"QueryOperationEvent", [](auto& s) { return s.QueryOperationEvent(); }, 0},
        {"QueryOperationCondition", [](auto& s) { return s.QueryOperationCondition(); }, 0},
        {"QueryOpc", [](auto& s) { return s.QueryOpc(); }, 1},
        {"QueryStatusByte", [](auto& s) { return s.QueryStatusByte(); }, 0},
        {"QueryTimeout", [](auto& s) { return s.QueryTimeout(); }, 0},
        {"GetLastStatus", [](auto& s) { return s.GetLastStatus(); }, 0},
        {"Reserved4", [](auto& s) { return s.Reserved4(); }, -1},
        {"Reserved5", [](auto& s) { return s.Reserved5(); }, -1},
        {"Reserved6", [](auto& s) { return s.Reserved6(); }, 0},
        {"QueryCurrentAmplitude", [](auto& s) { return s.QueryCurrentAmplitude("100"); }, 0},
        {"QueryCurrentState", [](auto& s) { return s.QueryCurrentState("100"); }, 0},
        {"QueryCalTare", [](auto& s) { return s.QueryCalTare(); }, 0},
        {"QueryFifoCount", [](auto& s) { return s.QueryFifoCount(); }, 0},
        {"QueryBusy", [](auto& s) { return s.QueryBusy(); }, 0},
    };
    InstrumentSession session;
    for (const auto& row : rows) {
        EXPECT_EQ(row.call(session), row.expected) << row.operation;
    }
}

TEST(InstrumentSessionDefaults, TextQueries) {
    const std::string channel = "100";
    const std::vector<TextDefault> rows = {
        {"SelfTest", [](auto& s) { return s.SelfTest(); }, std::nullopt},
        {"GetErrorMessage", [](auto& s) { return s.GetErrorMessage(-1); }, std::nullopt},
        {"QueryTriggerSource", [](auto& s) { return s.QueryTriggerSource(); }, std::nullopt},
        {"QueryArmSource", [](auto& s) { return s.QueryArmSource(); }, std::nullopt},
        {"QueryFilterFrequency", [&](auto& s) { return s.QueryFilterFrequency(channel); },
         std::nullopt},
        {"QueryExcitationVoltage", [&](auto& s) { return s.QueryExcitationVoltage(channel); },
         std::nullopt},
        {"QueryInputGain", [&](auto& s) { return s.QueryInputGain(channel); }, std::nullopt},
        {"QueryInputLow", [&](auto& s) { return s.QueryInputLow(channel); }, std::nullopt},
        {"QueryStrainGageFactor", [&](auto& s) { return s.QueryStrainGageFactor(channel); },
         std::nullopt},
        {"QueryStrainExcitation", [&](auto& s) { return s.QueryStrainExcitation(channel); },
         std::nullopt},
        {"QueryStrainPoisson", [&](auto& s) { return s.QueryStrainPoisson(channel); },
         std::nullopt},
        {"QuerySampleTimer", [](auto& s) { return s.QuerySampleTimer(0); }, std::nullopt},
        {"QueryScanList", [](auto& s) { return s.QueryScanList(0); }, std::nullopt},
        {"QueryTriggerTimerMode", [](auto& s) { return s.QueryTriggerTimerMode(); }, std::nullopt},
        {"QueryTriggerCount", [](auto& s) { return s.QueryTriggerCount(); }, std::nullopt},
        {"QueryFilterState", [](auto& s) { return s.QueryFilterState(); }, std::nullopt},
        {"QueryInputFilterState", [&](auto& s) { return s.QueryInputFilterState(channel); }, "0"},
        {"QueryTtlTriggerOutput", [](auto& s) { return s.QueryTtlTriggerOutput(3); }, "0"},
        {"QueryOutputPolarity", [&](auto& s) { return s.QueryOutputPolarity(channel); }, "NORM"},
        {"QueryOutputType", [&](auto& s) { return s.QueryOutputType(channel); }, "PASS"},
        {"QueryTtlTriggerSource", [](auto& s) { return s.QueryTtlTriggerSource(); }, "TRIG"},
        {"QueryInputPolarity", [&](auto& s) { return s.QueryInputPolarity(channel); }, "NORM"},
        {"Calibrate", [](auto& s) { return s.Calibrate(); }, ""},
        {"QueryScpType", [](auto& s) { return s.QueryScpType(100); }, "Empty"},
        {"QueryThreshold", [&](auto& s) { return s.QueryThreshold(channel); }, "Output"},
    };
    InstrumentSession session;
    for (const auto& row : rows) {
        EXPECT_EQ(row.call(session), row.expected) << row.operation;
    }
}

TEST(InstrumentSessionDefaults, RecordsAndOutArguments) {
    InstrumentSession session;
    int code = 99;
    EXPECT_EQ(session.QueryErrorQueue(code), std::nullopt);
    EXPECT_EQ(code, 0);
    EXPECT_EQ(session.QueryCumulativeLimitFlags().flags, (std::array<std::int16_t, 4>{0, 0, 0, 0}));
    const Revisions revisions = session.QueryRevision();
    EXPECT_EQ(revisions.driver, "EMULATED");
    EXPECT_EQ(revisions.firmware, "EMULATED");
    EXPECT_EQ(session.ReadCvt(0, 10), std::nullopt);
    EXPECT_TRUE(session.ReadFifo(10).empty());
    EXPECT_EQ(session.GetScpDescriptor(100), std::nullopt);
    EXPECT_EQ(session.GetScpSettings(0), std::nullopt);
    EXPECT_EQ(session.QueryTriggerTimer(), 0.0);
    EXPECT_EQ(session.ScpCount(), 8);
    EXPECT_FALSE(session.SessionSet());
}

TEST(InstrumentSessionDefaults, AverageAndBusyAreKept) {
    InstrumentSession session;
    session.SetAverageCount(16);
    session.SetAverageState("ON");
    session.SetBusy(1);
    EXPECT_EQ(session.QueryAverageCount(), 16);
    EXPECT_EQ(session.QueryAverageState(), "ON");
    EXPECT_EQ(session.QueryBusy(), 1);
}
