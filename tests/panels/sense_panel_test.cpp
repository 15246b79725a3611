#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLineEdit>

#include "app_fixture.h"
#include "config_page_operator.h"
#include "instrument/live_instrument.h"
#include "panels/sense/sense_panel.h"
#include "resources/menu_resource.h"
#include "resources/string_table.h"
#include "simulator_libraries.h"

namespace {

using Calls = std::vector<std::string>;

constexpr int kFirstCheckBox = 1444;
const QString kNoChannels = QStringLiteral("No channels have been selected.  Command not sent.");

class SensePanelTest : public AppFixture {
protected:
    void TearDown() override {
        page.reset();
        AppFixture::TearDown();
    }
    void Build() { page = std::make_unique<CSensDlg>(panel); }
    QAbstractButton* Button(int id) { return page->Item<QAbstractButton>(id); }
    QLineEdit* Field(int id) { return page->Item<QLineEdit>(id); }
    void CheckChannel(int index) { config_page_operator::CheckChannel(*page, index); }
    void Pick(int id, int index) { config_page_operator::Pick(*page, id, index); }
    void PressEnterIn(QWidget* control) { config_page_operator::PressEnterIn(*page, control); }
    void Enter(int fieldId, const QString& text) {
        config_page_operator::Enter(*page, fieldId, text);
    }

    CSensObj panel;
    std::unique_ptr<CSensDlg> page;
};

TEST_F(SensePanelTest, TheReferenceIsSentOnlyOnceTypeSubTypeAndRangeAreAllKnown) {
    Build();
    CheckChannel(0);
    Button(CSensDlg::kTher)->click();
    Pick(CSensDlg::kSubTypeList, 1);
    EXPECT_TRUE(session->Calls().empty());
    EXPECT_EQ(panel.referenceType, CSensDlg::kTher);
    EXPECT_EQ(panel.referenceSubType, 1);
    Pick(CSensDlg::kRangeList, 5);
    EXPECT_EQ(session->Calls(), Calls{"SetReference(100,THER,85,AUTO)"});
    Button(CSensDlg::kRtd)->click();
    Pick(CSensDlg::kSubTypeList, 3);
    EXPECT_EQ(session->Calls(),
              (Calls{"SetReference(100,THER,85,AUTO)", "SetReference(100,RTD,85,AUTO)",
                     "SetReference(100,RTD,1,AUTO)"}));
}

TEST_F(SensePanelTest, AFailedRangeForgetsOnlyTheRange) {
    panel.referenceType = CSensDlg::kRtd;
    panel.referenceSubType = 0;
    Build();
    CheckChannel(4);
    session->FailOperation("SetReference", -1, 1);
    Pick(CSensDlg::kRangeList, 0);
    EXPECT_EQ(session->Calls().front(), "SetReference(104,RTD,5000,.0625)");
    EXPECT_EQ(panel.referenceRange, kUnknown);
    EXPECT_EQ(page->Item<QComboBox>(CSensDlg::kRangeList)->currentIndex(), -1);
    EXPECT_EQ(panel.referenceSubType, 0);
    EXPECT_TRUE(Button(CSensDlg::kRtd)->isChecked());
}

TEST_F(SensePanelTest, UnitTextsAreSentInBaseUnitsAndKeptAsTyped) {
    Build();
    CheckChannel(1);
    Enter(CSensDlg::kExcitation, "2mv");
    Enter(CSensDlg::kUnstrained, "-5 uv");
    Enter(CSensDlg::kAperture, "10ms");
    Enter(CSensDlg::kGageFactor, "2.10");
    Enter(CSensDlg::kPoissonRatio, ".3");
    EXPECT_EQ(session->Calls(),
              (Calls{"SetStrainExcitation(101,0.002)", "SetStrainUnstrained(101,-5e-06)",
                     "SetFrequencyAperture(101,0.01)", "SetStrainGageFactor(101,2.10)",
                     "SetStrainPoisson(101,.3)"}));
    EXPECT_EQ(Field(CSensDlg::kExcitation)->text(), "2mv");
    EXPECT_EQ(panel.excitation, "2mv");
    EXPECT_EQ(panel.unstrained, "-5 uv");
    EXPECT_EQ(panel.aperture, "10ms");
}

TEST_F(SensePanelTest, UnknownUnitsAndTextsWithoutANumberAreRefusedAndForgotten) {
    Build();
    CheckChannel(0);
    Enter(CSensDlg::kExcitation, "2 v");
    Enter(CSensDlg::kUnstrained, "2mV");  // sent unscaled it would be 2 volts
    Enter(CSensDlg::kAperture, "5 sec");
    EXPECT_EQ(session->Calls(), Calls{"SetStrainExcitation(100,2)"});
    ASSERT_EQ(dialogs->Messages().size(), 2);
    EXPECT_TRUE(dialogs->Messages()[0].startsWith("\"2mV\" has a unit"));
    EXPECT_TRUE(dialogs->Messages()[1].contains("one of: s, ms, us, ns."));
    EXPECT_EQ(Field(CSensDlg::kUnstrained)->text(), "");
    EXPECT_EQ(panel.unstrained, "");
    EXPECT_EQ(panel.aperture, "");
    Enter(CSensDlg::kAperture, "fast");
    EXPECT_TRUE(dialogs->Messages().back().contains("\"fast\" is not a number"));
    session->ClearCalls();
    Button(ConfigPage::kSendAllButton)->click();
    EXPECT_EQ(session->Calls(), Calls{"SetStrainExcitation(100,2)"})
        << "refused texts are forgotten";
}

TEST_F(SensePanelTest, TheReferenceTemperatureIsSentWithoutChannelsWhileTheRestIsDisabled) {
    Build();
    page->Tick();
    ASSERT_FALSE(Field(CSensDlg::kExcitation)->isEnabled());
    ASSERT_FALSE(Button(ConfigPage::kSendAllButton)->isEnabled());
    ASSERT_TRUE(Field(CSensDlg::kReferenceTemperature)->isEnabled());
    Enter(CSensDlg::kReferenceTemperature, "25.5");
    EXPECT_EQ(session->Calls(), Calls{"SetReferenceTemperature(25.5)"});
    EXPECT_EQ(panel.referenceTemperature, "25.5");
    EXPECT_TRUE(dialogs->Messages().isEmpty());
}

TEST_F(SensePanelTest, EnterOnAButtonSendsNothingButStillAsksForChannels) {
    Build();
    PressEnterIn(Button(CSensDlg::kInit));
    EXPECT_EQ(dialogs->Messages(), QStringList{kNoChannels});
    EXPECT_FALSE(Button(CSensDlg::kInit)->isChecked());
    CheckChannel(2);
    PressEnterIn(page->Item(CSensDlg::kRangeList));
    EXPECT_EQ(dialogs->Messages().size(), 1);
    EXPECT_TRUE(session->Calls().empty());
}

// An empty reference channel is no setting: it would only make the
// instrument refuse "(@)".
TEST_F(SensePanelTest, AnEmptyReferenceChannelSendsNothing) {
    panel.referenceChannel = "120";
    Build();
    CheckChannel(3);
    Enter(CSensDlg::kReferenceChannel, "");
    EXPECT_EQ(session->CallCount("SetReferenceChannel"), 0);
    EXPECT_TRUE(panel.referenceChannel.empty());
    page->OnSendAll();
    EXPECT_EQ(session->CallCount("SetReferenceChannel"), 0);
    Enter(CSensDlg::kReferenceChannel, "121");
    EXPECT_EQ(session->Calls(), Calls{"SetReferenceChannel(103,121)"});
}

TEST_F(SensePanelTest, AFailedEnterEmptiesTheFieldAndSendAllSkipsIt) {
    panel.poissonRatio = ".3";
    Build();
    CheckChannel(0);
    session->FailOperation("SetStrainGageFactor", -1, 1);
    session->SetErrorMessage(-1, "Gage factor refused");
    Enter(CSensDlg::kGageFactor, "2.1");
    EXPECT_EQ(dialogs->Messages(), QStringList{"Gage factor refused"});
    EXPECT_TRUE(Field(CSensDlg::kGageFactor)->text().isEmpty());
    EXPECT_TRUE(panel.gageFactor.empty());
    session->ClearCalls();
    page->OnSendAll();
    EXPECT_EQ(session->Calls(), Calls{"SetStrainPoisson(100,.3)"});
}

TEST_F(SensePanelTest, SendAllSendsTheRememberedTextsNotWhatTheFieldsShow) {
    panel.excitation = "2mv";
    Build();
    CheckChannel(0);
    Field(CSensDlg::kExcitation)->setText("7");
    page->OnSendAll();
    EXPECT_EQ(session->Calls(), Calls{"SetStrainExcitation(100,0.002)"});
}

TEST_F(SensePanelTest, TheMenuShowsThePageRestoredAndTheTickEnablesIt) {
    ASSERT_TRUE(Start());
    CSensObj* panelObject = nullptr;
    for (const auto& candidate : app->panels) {
        if (auto* found = dynamic_cast<CSensObj*>(candidate.get())) {
            panelObject = found;
        }
    }
    ASSERT_NE(panelObject, nullptr);
    panelObject->referenceType = CSensDlg::kTher;
    panelObject->referenceRange = 2;
    panelObject->totalizerResetMode = CSensDlg::kTrig;
    panelObject->aperture = "5 ms";
    panelObject->selector.checks[6] = CChanSelDlg::kChecked;
    mainWindow->OnCommand(menus::kSensePanel);
    auto* shown = dynamic_cast<CSensDlg*>(CurrentPage());
    ASSERT_NE(shown, nullptr);
    EXPECT_TRUE(shown->Item<QAbstractButton>(CSensDlg::kTher)->isChecked());
    EXPECT_TRUE(shown->Item<QAbstractButton>(CSensDlg::kTrig)->isChecked());
    EXPECT_EQ(shown->Item<QComboBox>(CSensDlg::kRangeList)->currentText(), "1");
    EXPECT_EQ(shown->Item<QComboBox>(CSensDlg::kSubTypeList)->currentIndex(), -1);
    EXPECT_EQ(shown->Item<QLineEdit>(CSensDlg::kAperture)->text(), "5 ms");
    mainWindow->OnTick();
    EXPECT_TRUE(shown->Item(CSensDlg::kExcitation)->isEnabled());
    shown->Selector().Item<QAbstractButton>(kFirstCheckBox + 6)->click();
    mainWindow->OnTick();
    EXPECT_FALSE(shown->Item(CSensDlg::kExcitation)->isEnabled());
    EXPECT_FALSE(shown->Item(CSensDlg::kTher)->isEnabled());
    EXPECT_FALSE(shown->Item(ConfigPage::kSendAllButton)->isEnabled());
    EXPECT_TRUE(shown->Item(CSensDlg::kReferenceTemperature)->isEnabled());
}

// ---- against the simulated instrument ----------------------------------

TEST_F(SensePanelTest, SendAllReachesTheDriverInItsOrderAndStopsAtTheFirstFailure) {
    SimulatorLibraries simulator;
    app->instrument = OpenLiveInstrument(SimulatorLibraries::Path(SimulatorLibraries::kDriver));
    ASSERT_TRUE(app->instrument);
    panel.referenceType = CSensDlg::kRtd;
    panel.referenceSubType = 2;
    panel.referenceRange = 3;
    panel.totalizerResetMode = CSensDlg::kInit;
    panel.aperture = "100us";
    panel.gageFactor = "2.05";
    panel.excitation = "250 mv";
    panel.poissonRatio = ".28";
    panel.unstrained = "-1.5";
    panel.referenceTemperature = "23";
    panel.referenceChannel = "163";
    Build();
    CheckChannel(0);
    CheckChannel(1);
    const std::size_t mark = simulator.LogMark();
    page->OnSendAll();
    EXPECT_EQ(
        simulator.DriverCalls(mark),
        (Calls{"qot7720_cmd \"SENS:REF RTD,92,4,(@100,101)\"",
               "qot7720_cmd \"SENS:TOT:RES:MODE INIT,(@100,101)\"",
               "qot7720_cmd \"SENS:FREQ:APER 0.0001,(@100,101)\"",
               "qot7720_cmd \"SENS:STR:GFAC 2.05,(@100,101)\"",
               "qot7720_cmd \"SENS:STR:EXC 0.25,(@100,101)\"",
               "qot7720_cmd \"SENS:STR:POIS .28,(@100,101)\"",
               "qot7720_cmd \"SENS:STR:UNST -1.5,(@100,101)\"", "qot7720_cmd \"SENS:REF:TEMP 23\"",
               "qot7720_cmd \"SENS:REF:CHAN (@163),(@100,101)\""}));
    EXPECT_TRUE(dialogs->Messages().isEmpty());

    simulator.DriverDirective("timeout-next \"SENS:STR:EXC\"");
    const std::size_t second = simulator.LogMark();
    page->OnSendAll();
    const Calls sent = simulator.DriverCalls(second);
    EXPECT_TRUE(HasLineStarting(sent, "qot7720_cmd \"SENS:STR:EXC"));
    EXPECT_FALSE(HasLineStarting(sent, "qot7720_cmd \"SENS:STR:POIS"));
    EXPECT_FALSE(HasLineStarting(sent, "qot7720_cmd \"SENS:REF:TEMP"));
    ASSERT_EQ(dialogs->Messages().size(), 1);
    EXPECT_EQ(dialogs->Messages().front(),
              strings::LoadString(strings::kTimeOut) +
                  "\nwhile sending SENS:STR:EXC 0.25,(@100,101) from Send All");
    EXPECT_EQ(panel.excitation, "250 mv");
    EXPECT_EQ(Field(CSensDlg::kExcitation)->text(), "250 mv");
    page.reset();
    app->instrument.reset();
}

}  // namespace
