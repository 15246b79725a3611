#include <gtest/gtest.h>

#include "instrument/emulated_instrument.h"
#include "instrument/io_record.h"
#include "recording_dialogs.h"

namespace {

class EmulatedInstrumentTest : public ::testing::Test {
protected:
    ScopedRecordingDialogs dialogs;
    EmulatedInstrument instrument;
};

}  // namespace

TEST_F(EmulatedInstrumentTest, TriggerSourceAcceptsOnlyKnownSourcesUpperCased) {
    instrument.SetTriggerSource("ttlt3");
    EXPECT_EQ(instrument.QueryTriggerSource(), "TTLT3");
    instrument.SetTriggerSource("HOLD");
    EXPECT_EQ(instrument.QueryTriggerSource(), "TTLT3");
    for (const char* source : {"imm", "BUS", "Ext", "SCP", "tim"}) {
        instrument.SetTriggerSource(source);
        EXPECT_EQ(instrument.QueryTriggerSource(), QString(source).toUpper().toStdString());
    }
}

TEST_F(EmulatedInstrumentTest, ArmSourceRefusesTheTimer) {
    EXPECT_EQ(instrument.QueryArmSource(), "IMM");
    instrument.SetArmSource("TIM");
    EXPECT_EQ(instrument.QueryArmSource(), "IMM");
    instrument.SetArmSource("bus");
    EXPECT_EQ(instrument.QueryArmSource(), "BUS");
}

TEST_F(EmulatedInstrumentTest, ChannelSettingsAreKeptPerChannel) {
    instrument.SetInputGain("100:103", "8");
    EXPECT_EQ(instrument.QueryInputGain("102"), "8");
    EXPECT_EQ(instrument.QueryInputGain("2"), "8");
    EXPECT_EQ(instrument.QueryInputGain("104"), ".5");
    instrument.SetFilterFrequency("163", "2");
    EXPECT_EQ(instrument.QueryFilterFrequency("63"), "2");
    EXPECT_EQ(instrument.QueryFilterFrequency("162"), "15");
    instrument.SetInputLow("108", " gnd");
    EXPECT_EQ(instrument.QueryInputLow("108"), " GND");
}

TEST_F(EmulatedInstrumentTest, CurrentFlagsFollowTheirKeywords) {
    instrument.SetCurrentState("110", "ON");
    EXPECT_EQ(instrument.QueryCurrentState("110"), 0);
    instrument.SetCurrentState("110", "OFF");
    EXPECT_EQ(instrument.QueryCurrentState("110"), 1);
    instrument.SetCurrentAmplitude("111", "MIN");
    EXPECT_EQ(instrument.QueryCurrentAmplitude("111"), 0);
    instrument.SetCurrentAmplitude("111", "MAX");
    EXPECT_EQ(instrument.QueryCurrentAmplitude("111"), 1);
}

TEST_F(EmulatedInstrumentTest, ChannelsWithoutAPositionOrBlockAnswerNeutrally) {
    EXPECT_EQ(instrument.QueryInputGain("99"), "");
    EXPECT_EQ(instrument.QueryCurrentState("170"), 1);
    EXPECT_EQ(instrument.QueryCurrentAmplitude("170"), 0);
    instrument.ClearScpSettings(1);
    instrument.SetInputGain("108:115", "64");  // position 1 has no block: skipped
    EXPECT_EQ(instrument.QueryInputGain("110"), "");
    EXPECT_FALSE(instrument.GetScpSettings(1).has_value());
    EXPECT_TRUE(instrument.GetScpSettings(2).has_value());
}

TEST_F(EmulatedInstrumentTest, DescriptorsCoverEightChannelsEach) {
    const auto descriptor = instrument.GetScpDescriptor(117);
    ASSERT_TRUE(descriptor.has_value());
    EXPECT_EQ(descriptor->firstChannel, 16);
    EXPECT_EQ(descriptor->lastChannel, 23);
    EXPECT_EQ(descriptor->description, "0,No SCP at this Address,0,0");
    EXPECT_FALSE(instrument.GetScpDescriptor(164).has_value());
}

TEST_F(EmulatedInstrumentTest, ReadCvtGivesNotANumberForEachElement) {
    const auto values = instrument.ReadCvt(0, 10);
    ASSERT_TRUE(values.has_value());
    ASSERT_EQ(values->size(), 10u);
    for (const double value : *values) {
        EXPECT_EQ(value, 9.91e37);
    }
    EXPECT_EQ(instrument.ReadCvt(502, 10)->size(), 10u);
    EXPECT_FALSE(instrument.ReadCvt(503, 10).has_value()) << "must not read past the table";
    EXPECT_FALSE(instrument.ReadCvt(-1, 10).has_value());
}

TEST_F(EmulatedInstrumentTest, ResetShowsItsBoxEveryTimeAndRestoresTheTimeout) {
    instrument.SetTimeout(600000);
    instrument.Reset();
    instrument.Reset();
    EXPECT_EQ(dialogs->Messages(),
              QStringList({"This is my NON LIVE RESET", "This is my NON LIVE RESET"}));
    EXPECT_EQ(instrument.QueryTimeout(), 10000);
}

TEST_F(EmulatedInstrumentTest, StoredTimerAndListSettings) {
    EXPECT_EQ(instrument.QuerySampleTimer(5), ".00001");
    EXPECT_EQ(instrument.QueryScanList(0), "(@1(0:63))");
    EXPECT_EQ(instrument.QueryScanList(4), "1");
    instrument.DefineScanList(2, "(@1(0:7))");
    EXPECT_EQ(instrument.QueryScanList(2), "(@1(0:7))");
    instrument.SetTriggerCount(" inf ");
    EXPECT_EQ(instrument.QueryTriggerCount(), " inf ");
    instrument.SetTriggerTimer(0.5);
    EXPECT_EQ(instrument.QueryTriggerTimer(), 0.5);
    EXPECT_EQ(instrument.QueryAverageCount(), 2);
    EXPECT_EQ(instrument.QueryAverageState(), "OFF");
    EXPECT_EQ(instrument.SelfTest(), "Self Test Passed.");
}

// The emulation's operations go into the I/O record like live calls, those
// it leaves to the defaults marked as such, each with its origin.
TEST_F(EmulatedInstrumentTest, EveryOperationIsRecordedWithItsOrigin) {
    const std::uint64_t before = iorecord::Record().LastSequence();
    {
        const iorecord::OriginScope origin("Trigger \u00b7 Source");
        instrument.SetTriggerSource("BUS");
        instrument.SetTriggerTimer(0.25);
        instrument.QueryStatusByte();
    }
    const std::vector<iorecord::IoEntry> entries = iorecord::Record().ReadAfter(before, 10);
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(entries[0].sent, "SetTriggerSource BUS");
    EXPECT_EQ(entries[1].sent, "SetTriggerTimer 0.25");
    EXPECT_EQ(entries[2].sent, "QueryStatusByte");
    EXPECT_EQ(entries[2].answer, "(not emulated)");
    for (const iorecord::IoEntry& entry : entries) {
        EXPECT_EQ(entry.function, "emulated");
        EXPECT_EQ(entry.origin, "Trigger \u00b7 Source");
    }
}
