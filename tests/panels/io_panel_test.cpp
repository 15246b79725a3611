#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>

#include "app_fixture.h"
#include "config_page_operator.h"
#include "instrument/driver_api.h"
#include "panels/scp/io_panel.h"
#include "panels/scp/scp_map_panel.h"
#include "resources/menu_resource.h"

namespace {

constexpr int kFilterFrequency = 1465;
constexpr int kGain = 1466;
constexpr int kExcitation = 1533;
constexpr int kTriggerLine = 1534;
const std::vector<int> kRadioButtons = {1459, 1460, 1461, 1462, 1463, 1464, 1467, 1468, 1469, 1470,
                                        1471, 1472, 1477, 1478, 1479, 1480, 1481, 1482, 1475, 1476};
const QString kNoChannels = QStringLiteral("No channels have been selected.  Command not sent.");

class IoPanelTest : public AppFixture {
protected:
    void ShowIo() {
        mainWindow->OnCommand(menus::kInputOutputPanel);
        page = dynamic_cast<CIoDlg*>(CurrentPage());
        ASSERT_NE(page, nullptr);
        session->ClearCalls();
    }
    void StartIo() {
        ASSERT_TRUE(Start());
        ShowIo();
    }
    CIoObj& Panel() { return *static_cast<CIoObj*>(app->currentPanel); }
    QAbstractButton* Button(int id) { return page->Item<QAbstractButton>(id); }
    QComboBox* Box(int id) { return page->Item<QComboBox>(id); }
    void CheckChannel(int index) { config_page_operator::CheckChannel(*page, index); }
    void Pick(int id, const QString& entry) {
        QComboBox* box = Box(id);
        const int index = box->findText(entry);
        ASSERT_GE(index, 0);
        box->setCurrentIndex(index);
        emit box->activated(index);
    }
    // Types into a box's edit and presses Enter there, as the operator does.
    void Enter(int id, const QString& text) {
        QComboBox* box = Box(id);
        box->setEditText(text);
        QApplication::setActiveWindow(mainWindow);
        box->lineEdit()->setFocus();
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
        QApplication::sendEvent(box->lineEdit(), &press);
    }
    bool SynchronizeEnabled() { return mainWindow->Action(menus::kSynchronize)->isEnabled(); }

    CIoDlg* page = nullptr;
};

TEST_F(IoPanelTest, FirstShowingIsEmptyAndGreysSynchronize) {
    StartIo();
    EXPECT_EQ(page->Selector().Mode(), CChanSelDlg::kMultipleChannels);
    EXPECT_FALSE(page->Selector().ChannelList());
    for (int id : kRadioButtons) {
        EXPECT_FALSE(Button(id)->isChecked()) << id;
    }
    EXPECT_TRUE(Box(kFilterFrequency)->currentText().isEmpty());
    EXPECT_EQ(Box(kExcitation)->currentIndex(), -1);
    EXPECT_EQ(Box(kExcitation)->count(), 7);
    EXPECT_FALSE(SynchronizeEnabled());
    app->currentPanel->Hide();
    EXPECT_TRUE(SynchronizeEnabled());
}

TEST_F(IoPanelTest, WithoutChannelsOneTickDisablesEverythingButSendAll) {
    StartIo();
    mainWindow->OnTick();
    for (int id : kRadioButtons) {
        EXPECT_FALSE(Button(id)->isEnabled()) << id;
    }
    for (int id : {kFilterFrequency, kGain, kExcitation, kTriggerLine}) {
        EXPECT_FALSE(page->Item(id)->isEnabled()) << id;
    }
    ASSERT_TRUE(Button(ConfigPage::kSendAllButton)->isEnabled());
    Button(ConfigPage::kSendAllButton)->click();
    EXPECT_EQ(dialogs->Messages(), QStringList{kNoChannels});
    EXPECT_TRUE(session->Calls().empty());
    CheckChannel(3);
    mainWindow->OnTick();
    EXPECT_TRUE(Button(1459)->isEnabled());
    EXPECT_TRUE(Box(kGain)->isEnabled());
}

TEST_F(IoPanelTest, ListsSendTheirValuesAndSendAllSkipsTheExcitationVoltage) {
    StartIo();
    CheckChannel(0);
    Pick(kExcitation, "10");
    Pick(kExcitation, "MIN");
    Pick(kFilterFrequency, "MAX");
    EXPECT_EQ(session->Calls(), (std::vector<std::string>{"SetExcitationVoltage(100,10)",
                                                          "SetExcitationVoltage(100,MIN)",
                                                          "SetFilterFrequency(100,MAX)"}));
    EXPECT_EQ(Panel().excitationVoltage, "MIN");
    session->ClearCalls();
    Button(ConfigPage::kSendAllButton)->click();
    EXPECT_EQ(session->Calls(), std::vector<std::string>{"SetFilterFrequency(100,MAX)"});
}

TEST_F(IoPanelTest, EnterSendsTheFocusedBoxWithItsUnitConvertedAndRefusesUnknownUnits) {
    StartIo();
    CheckChannel(1);
    Enter(kFilterFrequency, "2 MHz");
    Enter(kFilterFrequency, "50 Hz");
    Enter(kFilterFrequency, "1.5 kHz");
    Enter(kGain, "8");
    EXPECT_EQ(session->Calls(), (std::vector<std::string>{
                                    "SetFilterFrequency(101,2e+06)", "SetFilterFrequency(101,50)",
                                    "SetFilterFrequency(101,1.5e+03)", "SetInputGain(101,8)"}));
    EXPECT_EQ(Panel().gain, "8");
    EXPECT_TRUE(dialogs->Messages().isEmpty());
    session->ClearCalls();
    // Sent unscaled, each would set a frequency a thousand or a million times off.
    for (const QString typed : {"2 mhz", "50k", "2 KHZ", "1.5khz"}) {
        Enter(kFilterFrequency, typed);
        EXPECT_TRUE(Panel().filterFrequency.empty()) << typed.toStdString();
        EXPECT_TRUE(Box(kFilterFrequency)->currentText().isEmpty()) << typed.toStdString();
    }
    ASSERT_EQ(dialogs->Messages().size(), 4);
    EXPECT_EQ(dialogs->Messages()[1],
              "\"50k\" has a unit this field does not read.  Type a number "
              "alone or followed by one of: Hz, kHz, MHz, GHz.  Command "
              "not sent.");
    Button(ConfigPage::kSendAllButton)->click();
    EXPECT_EQ(session->Calls(), std::vector<std::string>{"SetInputGain(101,8)"});
}

TEST_F(IoPanelTest, AFrequencyWithoutANumberIsRefusedAndNotSent) {
    StartIo();
    CheckChannel(1);
    Enter(kFilterFrequency, "fast");
    EXPECT_TRUE(session->Calls().empty());
    ASSERT_EQ(dialogs->Messages().size(), 1);
    EXPECT_TRUE(dialogs->Messages()[0].contains("\"fast\" is not a number"));
    EXPECT_TRUE(Panel().filterFrequency.empty());
    // Too large once scaled: it would be sent as "inf".
    Enter(kFilterFrequency, "1e308GHz");
    EXPECT_TRUE(session->Calls().empty());
    ASSERT_EQ(dialogs->Messages().size(), 2);
    EXPECT_TRUE(dialogs->Messages()[1].contains("\"1e308GHz\" is not a number"));
    Enter(kFilterFrequency, "max");
    EXPECT_EQ(session->Calls(), std::vector<std::string>{"SetFilterFrequency(101,max)"});
}

TEST_F(IoPanelTest, EnterWithoutChannelsShowsMessage120AndSendsNothing) {
    StartIo();
    Enter(kGain, "MAX");
    EXPECT_EQ(dialogs->Messages(), QStringList{kNoChannels});
    EXPECT_TRUE(session->Calls().empty());
}

TEST_F(IoPanelTest, ActiveTypeIsActFromTheButtonAndActiveFromSendAll) {
    StartIo();
    CheckChannel(2);
    Button(1478)->click();
    EXPECT_EQ(session->Calls(), std::vector<std::string>{"SetOutputType(102,ACT)"});
    session->ClearCalls();
    Button(ConfigPage::kSendAllButton)->click();
    EXPECT_EQ(session->Calls(), std::vector<std::string>{"SetOutputType(102,ACTIVE)"});
}

TEST_F(IoPanelTest, ATriggerLineWithoutStateIsRememberedButNotSent) {
    StartIo();
    Pick(kTriggerLine, "5");
    EXPECT_TRUE(session->Calls().empty());
    EXPECT_EQ(Panel().triggerLine, "5");
    EXPECT_TRUE(dialogs->Messages().isEmpty()) << "the line needs no channels";
    CheckChannel(0);
    Button(1476)->click();
    Pick(kTriggerLine, "7");
    EXPECT_EQ(session->Calls(), (std::vector<std::string>{"SetTtlTriggerOutput(5,OFF)",
                                                          "SetTtlTriggerOutput(7,OFF)"}));
}

TEST_F(IoPanelTest, AFailedTriggerLineForgetsTheStateNotTheLine) {
    StartIo();
    CheckChannel(0);
    Button(1475)->click();
    session->FailOperation("SetTtlTriggerOutput", -1, 1);
    Pick(kTriggerLine, "3");
    EXPECT_FALSE(Button(1475)->isChecked());
    EXPECT_EQ(Panel().triggerState, kUnknown);
    EXPECT_EQ(Panel().triggerLine, "3");
}

TEST_F(IoPanelTest, AFailedButtonIsReportedUncheckedAndForgotten) {
    StartIo();
    CheckChannel(4);
    Button(1461)->click();
    session->FailOperation("SetInputLow", driver::kTimeout, 1);
    Button(1462)->click();
    EXPECT_EQ(dialogs->Messages().size(), 1);
    EXPECT_FALSE(Button(1461)->isChecked());
    EXPECT_FALSE(Button(1462)->isChecked());
    EXPECT_EQ(Panel().inputLow, kUnknown);
    session->ClearCalls();
    Button(ConfigPage::kSendAllButton)->click();
    EXPECT_EQ(session->CallCount("SetInputLow"), 0);
}

TEST_F(IoPanelTest, LeavingAndComingBackRestoresEveryControlAndTheSelector) {
    StartIo();
    CheckChannel(2);
    CheckChannel(6);
    Button(1460)->click();
    Button(1464)->click();
    Button(1478)->click();
    Button(1481)->click();
    Button(1475)->click();
    Pick(kTriggerLine, "4");
    Pick(kExcitation, "5");
    Enter(kFilterFrequency, "2 MHz");
    Pick(kGain, "MIN");
    mainWindow->OnTick();
    mainWindow->OnCommand(menus::kScpMapPanel);
    ShowIo();
    for (int id : {1460, 1464, 1478, 1481, 1475}) {
        EXPECT_TRUE(Button(id)->isChecked()) << id;
    }
    EXPECT_FALSE(Button(1467)->isChecked());
    EXPECT_EQ(Box(kFilterFrequency)->currentText(), "2 MHz");
    EXPECT_EQ(Box(kGain)->currentText(), "MIN");
    EXPECT_EQ(Box(kExcitation)->currentText(), "5");
    EXPECT_EQ(Box(kTriggerLine)->currentText(), "4");
    EXPECT_EQ(page->Selector().ChannelList(), std::optional<std::string>("102,106"));
    // Manual mode and its text survive as well.
    page->Selector().Item<QAbstractButton>(1443)->click();
    page->Selector().Item<QLineEdit>(1072)->setText("110:115");
    mainWindow->OnTick();
    mainWindow->OnCommand(menus::kMainPanel);
    ShowIo();
    EXPECT_EQ(page->Selector().Mode(), CChanSelDlg::kManualEntry);
    EXPECT_EQ(page->Selector().ChannelList(), std::optional<std::string>("110:115"));
}

TEST_F(IoPanelTest, ResetLeavesThePageAsItWas) {
    StartIo();
    CheckChannel(0);
    Button(1469)->click();
    mainWindow->OnCommand(menus::kReset);
    ASSERT_EQ(CurrentPage(), page);
    EXPECT_TRUE(Button(1469)->isChecked());
    EXPECT_EQ(Panel().currentState, 1469);
}

class ScpMapTest : public AppFixture {
protected:
    QStringList Rows() {
        QStringList rows;
        for (int n = 0; n < CConfDlg::kPositions; ++n) {
            rows << CurrentPage()->findChild<QLineEdit*>(QString::number(1557 + n))->text();
        }
        return rows;
    }
};

TEST_F(ScpMapTest, EveryShowingQueriesTheEightPositionsInOrder) {
    ASSERT_TRUE(Start());
    session->ClearCalls();
    mainWindow->OnCommand(menus::kScpMapPanel);
    EXPECT_EQ(Rows(), QStringList(8, "Empty"));
    const std::vector<std::string> expected = {
        "QueryScpType(100)", "QueryScpType(108)", "QueryScpType(116)", "QueryScpType(124)",
        "QueryScpType(132)", "QueryScpType(140)", "QueryScpType(148)", "QueryScpType(156)"};
    EXPECT_EQ(session->Calls(), expected);
    EXPECT_FALSE(mainWindow->Action(menus::kSynchronize)->isEnabled());
    app->currentPanel->Hide();
    EXPECT_TRUE(mainWindow->Action(menus::kSynchronize)->isEnabled());
    session->ClearCalls();
    mainWindow->OnCommand(menus::kScpMapPanel);
    EXPECT_EQ(session->Calls(), expected);
}

TEST_F(ScpMapTest, AFailedPositionIsReportedOnceAndLaterRowsStayEmpty) {
    ASSERT_TRUE(Start());
    // Positions 0 to 2 answer; the fourth query fails.
    session->FailAfter("QueryScpType", 3, driver::kTimeout);
    dialogs->Clear();
    mainWindow->OnCommand(menus::kScpMapPanel);
    EXPECT_EQ(Rows(), (QStringList{"Empty", "Empty", "Empty", "", "", "", "", ""}));
    EXPECT_EQ(session->CallCount("QueryScpType"), 4);
    EXPECT_EQ(dialogs->Count(DialogEvent::Message), 1);
}

}  // namespace

namespace {

TEST_F(IoPanelTest, EmulatedSettingsLandOnTheirPositionsOnly) {
    StartIo();
    page->Selector().Item<QAbstractButton>(1443)->click();
    page->Selector().Item<QLineEdit>(1072)->setText("108,117");
    mainWindow->OnTick();
    Pick(kGain, "MAX");
    Enter(kFilterFrequency, "2 MHz");
    Button(1462)->click();
    Pick(kExcitation, "5");
    ASSERT_TRUE(dialogs->Messages().isEmpty());
    const auto first = session->GetScpSettings(1);
    const auto second = session->GetScpSettings(2);
    const auto untouched = session->GetScpSettings(0);
    ASSERT_TRUE(first && second && untouched);
    for (const ScpChannelSettings& channel : {first->channels[0], second->channels[1]}) {
        EXPECT_EQ(channel.inputGain, "MAX");
        EXPECT_EQ(channel.filterFrequency, "2e+06");
        EXPECT_EQ(channel.inputLow, "WVOL");
        EXPECT_EQ(channel.excitationVoltage, "5");
    }
    const ScpChannelSettings defaults;
    for (const ScpChannelSettings& channel :
         {first->channels[1], second->channels[0], untouched->channels[0]}) {
        EXPECT_EQ(channel.inputGain, defaults.inputGain);
        EXPECT_EQ(channel.inputLow, defaults.inputLow);
    }
}

}  // namespace

TEST_F(IoPanelTest, AManualListIsCheckedBeforeAnythingIsSent) {
    StartIo();
    page->Selector().Item<QAbstractButton>(1443)->click();
    mainWindow->OnTick();
    const std::vector<std::pair<QString, QString>> refused = {
        {"abc", "abc"},         {"200", "200"},   {"100, abc", "abc"},
        {"110:170", "110:170"}, {"100,,101", ""}, {"99:105", "99:105"}};
    for (const auto& [typed, quoted] : refused) {
        dialogs->Clear();
        page->Selector().Item<QLineEdit>(1072)->setText(typed);
        Enter(kGain, "MAX");
        EXPECT_EQ(dialogs->Messages(),
                  QStringList{QString("\"%1\" is not a channel list item.  Use channels 100 to "
                                      "163, single or as ranges n:m, separated by commas.  "
                                      "Command not sent.")
                                  .arg(quoted)})
            << typed.toStdString();
    }
    EXPECT_TRUE(session->Calls().empty());
    dialogs->Clear();
    page->Selector().Item<QLineEdit>(1072)->setText("100, 102:104,163");
    mainWindow->OnTick();
    Enter(kGain, "MAX");
    EXPECT_TRUE(dialogs->Messages().isEmpty()) << dialogs->Messages().join("|").toStdString();
    EXPECT_EQ(session->Calls(), std::vector<std::string>{"SetInputGain(100, 102:104,163,MAX)"});
}

TEST_F(IoPanelTest, TypedListWordsAreSentOnlyByEnter) {
    StartIo();
    CheckChannel(0);
    for (const int id : {kFilterFrequency, kGain}) {
        Box(id)->setEditText("MIN");
        QApplication::setActiveWindow(mainWindow);
        Box(id)->lineEdit()->setFocus();
        Button(ConfigPage::kSendAllButton)->setFocus();
        emit Box(id)->lineEdit()->editingFinished();
    }
    EXPECT_TRUE(session->Calls().empty());
    Enter(kGain, "MAX");
    Button(ConfigPage::kSendAllButton)->setFocus();
    emit Box(kGain)->lineEdit()->editingFinished();
    EXPECT_EQ(session->Calls(), std::vector<std::string>{"SetInputGain(100,MAX)"});
}
