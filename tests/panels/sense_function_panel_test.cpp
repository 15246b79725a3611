#include <QAbstractButton>
#include <QComboBox>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QListView>

#include "app/failure_scope.h"
#include "app_fixture.h"
#include "instrument/driver_api.h"
#include "instrument/live_instrument.h"
#include "panels/sense/range_list.h"
#include "panels/sense/sense_function_panel.h"
#include "simulator_libraries.h"

namespace {

using D = CSfuncDlg;
using Calls = std::vector<std::string>;

constexpr int kFirstCheckBox = 1444;
constexpr int kSingleChannelRadio = 1441;
constexpr int kFirstChannelRadio = 1432;
constexpr int kFbp = D::kFirstBridgeType + 1;
constexpr int kQuar = D::kFirstBridgeType + 5;

// Indices into the lists as the operator sees them.
constexpr int kRange1 = 2;
constexpr int kRange16 = 4;
constexpr int kRangeAuto = 5;
constexpr int kSubType5000 = 3;
constexpr int kSubTypeK = 8;

constexpr const char* kNoChannels = "No channels have been selected.  Command not sent.";

const std::vector<int>& AllControls() {
    static const std::vector<int> ids = {D::kExciteMin,
                                         D::kExciteMax,
                                         D::kResistanceRangeList,
                                         D::kStrainRangeList,
                                         1488,
                                         1489,
                                         1490,
                                         1491,
                                         1492,
                                         1493,
                                         D::kRtd,
                                         D::kTher,
                                         D::kTc,
                                         D::kSubTypeList,
                                         D::kTemperatureRangeList,
                                         D::kVoltageRangeList,
                                         D::kCond,
                                         D::kFreq,
                                         D::kTot,
                                         ConfigPage::kSendAllButton};
    return ids;
}

class SenseFunctionPanelTest : public AppFixture {
protected:
    void TearDown() override {
        panel.Hide();
        AppFixture::TearDown();
    }

    D& Page() {
        if (panel.Page() == nullptr) {
            panel.Show();
        }
        return *panel.Page();
    }
    QAbstractButton* Button(int id) { return Page().Item<QAbstractButton>(id); }
    QComboBox* Box(int id) { return Page().Item<QComboBox>(id); }
    void Click(int id) { Button(id)->click(); }
    void Pick(int id, int index) {
        Box(id)->setCurrentIndex(index);
        emit Box(id)->activated(index);
    }
    void CheckChannel(int index) {
        Page().Selector().Item<QAbstractButton>(kFirstCheckBox + index)->click();
    }
    // Leaves the panel and comes back, as switching panels does.
    void ShowAgain() {
        panel.Hide();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        ASSERT_EQ(panel.Page(), nullptr);
        panel.Show();
    }
    // Every setting of the page chosen on channel 100, calls then forgotten.
    void ChooseEverything() {
        CheckChannel(0);
        Pick(D::kVoltageRangeList, kRangeAuto);
        Click(D::kTher);
        Pick(D::kSubTypeList, kSubType5000);
        Pick(D::kTemperatureRangeList, kRange16);
        Click(D::kFreq);
        Click(kQuar);
        Pick(D::kStrainRangeList, kRange1);
        Click(D::kExciteMax);
        Pick(D::kResistanceRangeList, kRange16);
        session->ClearCalls();
    }

    CSfuncObj panel;
};

TEST_F(SenseFunctionPanelTest, FirstShowingIsMultipleModeWithNothingChosen) {
    D& page = Page();
    EXPECT_EQ(page.Selector().Mode(), CChanSelDlg::kMultipleChannels);
    EXPECT_EQ(page.Selector().ChannelList(), std::nullopt);
    for (int id : AllControls()) {
        if (auto* box = page.Item<QComboBox>(id)) {
            EXPECT_EQ(box->currentIndex(), -1) << id;
        } else if (id != ConfigPage::kSendAllButton) {
            EXPECT_FALSE(Button(id)->isChecked()) << id;
        }
    }
    ASSERT_EQ(Box(D::kVoltageRangeList)->count(), 6);
    EXPECT_EQ(Box(D::kVoltageRangeList)->itemText(0), ".0625");
    EXPECT_EQ(Box(D::kVoltageRangeList)->itemText(5), "AUTO");
    ASSERT_EQ(Box(D::kSubTypeList)->count(), 13);
    EXPECT_EQ(Box(D::kSubTypeList)->itemText(6), "EEXT");
    EXPECT_EQ(Box(D::kSubTypeList)->itemText(12), "T");
}

TEST_F(SenseFunctionPanelTest, StrainAndResistanceAreSentOnlyOnceBothHalvesAreChosen) {
    CheckChannel(1);
    Click(kFbp);
    EXPECT_TRUE(session->Calls().empty());
    EXPECT_EQ(panel.bridgeType, kFbp);
    Pick(D::kStrainRangeList, kRange1);
    EXPECT_EQ(session->Calls(), Calls{"SetStrainFunction(101,FBP,1)"});
    Click(kQuar);
    EXPECT_EQ(session->Calls().back(), "SetStrainFunction(101,QUAR,1)");

    session->ClearCalls();
    Pick(D::kResistanceRangeList, kRange16);
    EXPECT_TRUE(session->Calls().empty());
    EXPECT_EQ(panel.resistanceRange, kRange16);
    Click(D::kExciteMin);
    EXPECT_EQ(session->Calls(), Calls{"SetResistanceFunction(101,MIN,16)"});
}

TEST_F(SenseFunctionPanelTest, TheTypeShownIsTheTypeSentAndTheListOffersItsSubTypes) {
    const auto offered = [this] {
        QStringList texts;
        const auto* view = qobject_cast<QListView*>(Box(D::kSubTypeList)->view());
        for (int row = 0; row < Box(D::kSubTypeList)->count(); ++row) {
            if (!view->isRowHidden(row)) {
                texts.append(Box(D::kSubTypeList)->itemText(row));
            }
        }
        return texts;
    };
    CheckChannel(0);
    EXPECT_EQ(offered().size(), 13) << "no type: every sub-type";
    Pick(D::kTemperatureRangeList, kRangeAuto);
    Pick(D::kSubTypeList, kSubTypeK);
    EXPECT_TRUE(Button(D::kTc)->isChecked());
    EXPECT_EQ(offered(), (QStringList{"E", "EEXT", "J", "K", "N", "R", "S", "T"}));
    EXPECT_EQ(session->Calls(), Calls{"SetTemperatureFunction(100,K,AUTO)"});
    // K is no RTD: kept, it would send a thermocouple while RTD is shown.
    Click(D::kRtd);
    EXPECT_EQ(session->Calls().size(), 1u);
    EXPECT_EQ(Box(D::kSubTypeList)->currentIndex(), -1);
    EXPECT_EQ(offered(), (QStringList{"85", "92"}));
    Pick(D::kSubTypeList, 1);
    EXPECT_EQ(session->Calls().back(), "SetTemperatureFunction(100,92,AUTO)");
    ShowAgain();
    EXPECT_EQ(offered(), (QStringList{"85", "92"}));
    EXPECT_EQ(Box(D::kSubTypeList)->currentText(), "92");
}

TEST_F(SenseFunctionPanelTest, VoltageAndDigitalFunctionsAreSentAtOnce) {
    CheckChannel(7);
    Pick(D::kVoltageRangeList, kRangeAuto);
    Click(D::kCond);
    Click(D::kTot);
    Click(D::kFreq);
    EXPECT_EQ(session->Calls(), (Calls{"SetVoltageFunction(107,AUTO)", "SetDigitalFunction(107,0)",
                                       "SetDigitalFunction(107,2)", "SetDigitalFunction(107,1)"}));
}

// A list cleared for want of channels must not leave its old range behind
// for the buttons of the same setting to send.
TEST_F(SenseFunctionPanelTest, WithoutChannelsAControlIsClearedAndItsSettingForgotten) {
    CheckChannel(2);
    Pick(D::kResistanceRangeList, kRange1);
    CheckChannel(2);
    Pick(D::kResistanceRangeList, kRange16);
    Click(D::kExciteMax);
    EXPECT_EQ(dialogs->Messages(), (QStringList{kNoChannels, kNoChannels}));
    EXPECT_EQ(Box(D::kResistanceRangeList)->currentIndex(), -1);
    EXPECT_FALSE(Button(D::kExciteMax)->isChecked());
    EXPECT_EQ(panel.resistanceRange, kUnknown);
    EXPECT_EQ(panel.excitation, kUnknown);

    CheckChannel(2);
    Click(D::kExciteMax);
    EXPECT_TRUE(session->Calls().empty());
    EXPECT_EQ(panel.excitation, D::kExciteMax);
}

TEST_F(SenseFunctionPanelTest, AFailedSendIsReportedClearsItsControlAndIsLeftOutOfSendAll) {
    CheckChannel(0);
    Click(kFbp);
    session->QueueError(-222, "Data out of range");
    session->FailOperation("SetStrainFunction", driver::kInstrumentErrorQueued, 1);
    Pick(D::kStrainRangeList, kRange1);
    ASSERT_EQ(dialogs->Messages().size(), 1);
    EXPECT_TRUE(dialogs->Messages().front().contains("Data out of range"));
    EXPECT_EQ(Box(D::kStrainRangeList)->currentIndex(), -1);
    EXPECT_EQ(panel.strainRange, kUnknown);
    EXPECT_TRUE(Button(kFbp)->isChecked());

    session->ClearCalls();
    Page().OnSendAll();
    EXPECT_EQ(session->CallCount("SetStrainFunction"), 0);
}

TEST_F(SenseFunctionPanelTest, SendAllSendsEveryCompleteSettingInItsOrder) {
    ChooseEverything();
    CheckChannel(3);
    Page().OnSendAll();
    EXPECT_EQ(session->Calls(),
              (Calls{"SetVoltageFunction(100,103,AUTO)", "SetTemperatureFunction(100,103,5000,16)",
                     "SetDigitalFunction(100,103,1)", "SetStrainFunction(100,103,QUAR,1)",
                     "SetResistanceFunction(100,103,MAX,16)"}));
    EXPECT_TRUE(dialogs->Messages().isEmpty());
}

TEST_F(SenseFunctionPanelTest, SendAllStopsAtTheFirstFailureAndChangesNothing) {
    ChooseEverything();
    session->FailOperation("SetDigitalFunction", -1, 1);
    Page().OnSendAll();
    EXPECT_EQ(session->Calls(),
              (Calls{"SetVoltageFunction(100,AUTO)", "SetTemperatureFunction(100,5000,16)",
                     "SetDigitalFunction(100,1)"}));
    EXPECT_TRUE(Button(D::kFreq)->isChecked());
    EXPECT_EQ(panel.digitalFunction, D::kFreq);
    EXPECT_EQ(Box(D::kVoltageRangeList)->currentIndex(), kRangeAuto);
}

TEST_F(SenseFunctionPanelTest, SendAllWithNothingChosenSendsAndShowsNothing) {
    CheckChannel(4);
    Click(D::kRtd);  // a temperature type alone is not a setting
    Page().OnSendAll();
    EXPECT_TRUE(session->Calls().empty());
    EXPECT_TRUE(dialogs->Messages().isEmpty());
}

TEST_F(SenseFunctionPanelTest, OneTickDisablesEveryControlWithoutChannelsAndCheckingEnablesThem) {
    Page().Tick();
    for (int id : AllControls()) {
        EXPECT_FALSE(Page().Item(id)->isEnabled()) << id;
    }
    CheckChannel(6);
    panel.Tick();
    for (int id : AllControls()) {
        EXPECT_TRUE(Page().Item(id)->isEnabled()) << id;
    }
}

TEST_F(SenseFunctionPanelTest, LeavingAndComingBackShowsEverythingAsItWasLeft) {
    ChooseEverything();
    CheckChannel(5);
    ShowAgain();
    EXPECT_EQ(Page().Selector().ChannelList(), std::optional<std::string>("100,105"));
    for (int id : {D::kTher, D::kFreq, kQuar, D::kExciteMax}) {
        EXPECT_TRUE(Button(id)->isChecked()) << id;
    }
    EXPECT_EQ(Box(D::kVoltageRangeList)->currentIndex(), kRangeAuto);
    EXPECT_EQ(Box(D::kSubTypeList)->currentIndex(), kSubType5000);
    EXPECT_EQ(Box(D::kTemperatureRangeList)->currentIndex(), kRange16);
    EXPECT_EQ(Box(D::kStrainRangeList)->currentIndex(), kRange1);
    EXPECT_EQ(Box(D::kResistanceRangeList)->currentIndex(), kRange16);

    // The single-channel mode and its channel survive as well.
    Page().Selector().Item<QAbstractButton>(kSingleChannelRadio)->click();
    Page().Selector().Item<QAbstractButton>(kFirstChannelRadio + 3)->click();
    for (int tick = 0; tick < 4; ++tick) {
        panel.Tick();
    }
    ShowAgain();
    EXPECT_EQ(Page().Selector().Mode(), CChanSelDlg::kSingleChannel);
    EXPECT_EQ(Page().Selector().ChannelList(), std::optional<std::string>("103"));
}

TEST_F(SenseFunctionPanelTest, EnterOnThePageSendsNothingAndShowsNothing) {
    Button(D::kCond)->setFocus();
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QCoreApplication::sendEvent(Button(D::kCond), &enter);
    EXPECT_TRUE(dialogs->Messages().isEmpty());
    EXPECT_TRUE(session->Calls().empty());
}

// The page's commands as the instrument receives them.
TEST(SenseFunctionPanelLiveTest, SendAllReachesTheDriverInOrder) {
    SimulatorLibraries simulator;
    ScopedRecordingDialogs dialogs;
    CSfpApp app;
    auto live = OpenLiveInstrument(SimulatorLibraries::Path(SimulatorLibraries::kDriver));
    ASSERT_TRUE(live);
    app.instrument = std::move(live);
    CSfuncObj panel;
    panel.voltageRange = kRange1;
    panel.temperatureType = D::kTher;
    panel.temperatureSubType = kSubType5000;
    panel.temperatureRange = kRangeAuto;
    panel.digitalFunction = D::kTot;
    panel.bridgeType = D::kFirstBridgeType;
    panel.strainRange = kRangeAuto;
    panel.excitation = D::kExciteMin;
    panel.resistanceRange = kRange16;
    panel.selector.checks[0] = CChanSelDlg::kChecked;
    panel.selector.checks[2] = CChanSelDlg::kChecked;
    panel.Show();
    const std::size_t mark = simulator.LogMark();
    panel.Page()->OnSendAll();
    EXPECT_EQ(simulator.DriverCalls(mark),
              (Calls{"qot7720_cmd \"FUNC:VOLT 1,(@100,102)\"",
                     "qot7720_cmd \"SENS:FUNC:TEMP THER,5000,(@100,102)\"",
                     "qot7720_cmd \"SENS:FUNC:TOT (@100,102)\"",
                     "qot7720_cmd \"SENS:FUNC:STRAIN:FBEN (@100,102)\"",
                     "qot7720_cmd \"SENS:FUNC:RES MIN,16,(@100,102)\""}));
    EXPECT_TRUE(dialogs->Messages().isEmpty());
    panel.Hide();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

}  // namespace
