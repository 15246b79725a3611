#include <QAbstractButton>
#include <QComboBox>

#include "app_fixture.h"
#include "config_page_operator.h"
#include "panels/scp/config_page.h"
#include "resources/dialog_template.h"

namespace {

constexpr int kOn = 1459;
constexpr int kOff = 1460;
constexpr int kTrig = 1479;
constexpr int kAlg = 1482;
constexpr int kVoltList = 1533;

struct Remembered {
    int state = kUnknown;
    int source = kUnknown;
    std::string voltage;
};

// A page of two groups and one list on the input/output template.
class FramePage : public ConfigPage {
public:
    FramePage(SelectorState& selector, Remembered& fields)
        : ConfigPage(templates::kInputOutputPage, selector) {
        ConfigTables tables;
        tables.groups = {
            {{{kOn, "ON"}, {kOff, "OFF"}},
             &fields.state,
             [](const std::string& channels, const std::string& value) {
                 App().instrument->SetInputFilterState(channels, value);
             }},
            {{{kTrig, "TRIG"}, {1480, "FTR"}, {1481, "SCP"}, {kAlg, "ALG"}},
             &fields.source,
             [](const std::string&, const std::string& value) {
                 App().instrument->SetTtlTriggerSource(value);
             }},
        };
        tables.groups[1].channels = ChannelUse::NotNeeded;
        tables.groups[1].neverDisabled = true;
        tables.textLists = {{kVoltList,
                             {"MIN", "MAX", "10"},
                             &fields.voltage,
                             [](const std::string& channels, const std::string& value) {
                                 App().instrument->SetExcitationVoltage(channels, value);
                             }}};
        tables.sendAll = {
            [this](const std::string& channels) {
                if (auto value = CheckedValue(kOn)) {
                    App().instrument->SetInputFilterState(channels, *value);
                }
            },
            [this](const std::string&) {
                if (auto value = CheckedValue(kTrig)) {
                    App().instrument->SetTtlTriggerSource(*value);
                }
            },
        };
        Open(std::move(tables));
    }
};

class ConfigPageTest : public AppFixture {
protected:
    void TearDown() override {
        page.reset();
        AppFixture::TearDown();
    }
    void Build() { page = std::make_unique<FramePage>(selector, fields); }
    QAbstractButton* Button(int id) { return page->Item<QAbstractButton>(id); }
    void CheckChannel(int index) { config_page_operator::CheckChannel(*page, index); }
    void Pick(int id, int index) { config_page_operator::Pick(*page, id, index); }

    SelectorState selector;
    Remembered fields;
    std::unique_ptr<FramePage> page;
};

TEST_F(ConfigPageTest, WithoutChannelsAButtonShowsMessage120AndForgetsItsGroup) {
    fields.state = kOn;
    Build();
    ASSERT_TRUE(Button(kOn)->isChecked());
    Button(kOff)->click();
    EXPECT_EQ(dialogs->Messages(),
              QStringList{"No channels have been selected.  Command not sent."});
    EXPECT_FALSE(Button(kOn)->isChecked());
    EXPECT_FALSE(Button(kOff)->isChecked());
    EXPECT_EQ(fields.state, kUnknown);
    EXPECT_EQ(session->CallCount("SetInputFilterState"), 0);
}

TEST_F(ConfigPageTest, ARowThatNeedsNoChannelsSendsWithoutASelection) {
    Build();
    Button(kAlg)->click();
    EXPECT_EQ(session->Calls(), std::vector<std::string>{"SetTtlTriggerSource(ALG)"});
    EXPECT_EQ(fields.source, kAlg);
    EXPECT_TRUE(dialogs->Messages().isEmpty());
}

TEST_F(ConfigPageTest, AFailedSendClearsTheControlAndForgetsTheSetting) {
    Build();
    CheckChannel(2);
    session->FailOperation("SetExcitationVoltage", -1, 1);
    Pick(kVoltList, 2);
    EXPECT_EQ(page->Item<QComboBox>(kVoltList)->currentIndex(), -1);
    EXPECT_TRUE(fields.voltage.empty());
    Pick(kVoltList, 2);
    EXPECT_EQ(fields.voltage, "10");
    EXPECT_EQ(session->Calls().back(), "SetExcitationVoltage(102,10)");
}

TEST_F(ConfigPageTest, SendAllStopsAtTheFirstFailureAndChangesNothing) {
    fields.state = kOff;
    fields.source = kTrig;
    Build();
    CheckChannel(0);
    session->FailOperation("SetInputFilterState", -1, 1);
    page->OnSendAll();
    EXPECT_EQ(session->Calls(), std::vector<std::string>{"SetInputFilterState(100,OFF)"});
    EXPECT_TRUE(Button(kOff)->isChecked());
    EXPECT_EQ(fields.state, kOff);
    session->ClearCalls();
    page->OnSendAll();
    EXPECT_EQ(session->Calls(), (std::vector<std::string>{"SetInputFilterState(100,OFF)",
                                                          "SetTtlTriggerSource(TRIG)"}));
}

TEST_F(ConfigPageTest, TickDisablesRowsWithoutSelectionButKeepsNeverDisabledRows) {
    Build();
    page->Tick();
    EXPECT_FALSE(Button(kOn)->isEnabled());
    EXPECT_FALSE(page->Item(kVoltList)->isEnabled());
    EXPECT_TRUE(Button(kAlg)->isEnabled());
    EXPECT_TRUE(page->Item(ConfigPage::kSendAllButton)->isEnabled());
    CheckChannel(5);
    page->Tick();
    EXPECT_TRUE(Button(kOn)->isEnabled());
}

TEST_F(ConfigPageTest, SelectorStateIsHandedBackAndRestored) {
    Build();
    CheckChannel(1);
    CheckChannel(6);
    while (page->Selector().PopEvent() != 0) {
    }
    page.reset();
    EXPECT_EQ(selector.mode, CChanSelDlg::kMultipleChannels);
    EXPECT_EQ(selector.checks[1], CChanSelDlg::kChecked);
    EXPECT_EQ(selector.checks[6], CChanSelDlg::kChecked);
    EXPECT_EQ(selector.checks[0], CChanSelDlg::kUnchecked);
    Build();
    EXPECT_EQ(page->Selector().ChannelList(), std::optional<std::string>("101,106"));
}

TEST(SelectorStateTest, EventsSetModeAndChannel) {
    SelectorState state;
    state.Apply(selection_events::kSingleChannelMode);
    EXPECT_EQ(state.mode, CChanSelDlg::kSingleChannel);
    state.Apply(selection_events::ChannelChosen(17));
    EXPECT_EQ(state.channel, 17);
    state.Apply(selection_events::kManualEnter);
    state.Apply(selection_events::kNone);
    EXPECT_EQ(state.channel, 17);
    EXPECT_EQ(state.mode, CChanSelDlg::kSingleChannel);
    state.Apply(selection_events::kManualEntryMode);
    EXPECT_EQ(state.mode, CChanSelDlg::kManualEntry);
}

}  // namespace
