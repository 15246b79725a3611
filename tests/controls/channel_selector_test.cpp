#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLineEdit>

#include "controls/channel_selector_dialog.h"
#include "controls/selection_event_queue.h"

namespace {

constexpr int kBankRadio = 1423;
constexpr int kChannelRadio = 1432;
constexpr int kCheckBox = 1444;
constexpr int kMultiple = 1442;
constexpr int kManual = 1443;
constexpr int kAllOff = 1126;
constexpr int kAllOn = 1127;
constexpr int kEdit = 1072;
constexpr int kHint = 1457;

const CChanSelDlg::CheckStates kNoneChecked = {-1, -1, -1, -1, -1, -1, -1, -1};

std::vector<int> PopAll(CChanSelDlg& selector) {
    std::vector<int> events;
    for (int event = selector.PopEvent(); event != 0; event = selector.PopEvent()) {
        events.push_back(event);
    }
    return events;
}

class ChannelSelectorTest : public ::testing::Test {
protected:
    std::unique_ptr<CChanSelDlg> Open(int channel, int mode,
                                      const CChanSelDlg::CheckStates& checks = kNoneChecked,
                                      const QString& text = QString()) {
        return std::make_unique<CChanSelDlg>(page, channel, mode, QPoint(7, 30), checks, text);
    }

    static void Click(CChanSelDlg& selector, int id) {
        auto* button = selector.Item<QAbstractButton>(id);
        ASSERT_NE(button, nullptr) << id;
        button->click();
    }

    static void Type(CChanSelDlg& selector, const QString& text) {
        selector.Item<QLineEdit>(kEdit)->setText(text);
    }

    QWidget page;
};

TEST_F(ChannelSelectorTest, OpensAtItsPositionAndQueuesItsMode) {
    auto selector = Open(0, CChanSelDlg::kMultipleChannels);
    EXPECT_EQ(selector->pos(), QPoint(7, 30));
    EXPECT_EQ(selector->parentWidget(), &page);
    EXPECT_EQ(PopAll(*selector), std::vector<int>{selection_events::kMultipleChannelMode});
    EXPECT_EQ(PopAll(*Open(0, CChanSelDlg::kManualEntry)),
              std::vector<int>{selection_events::kManualEntryMode});
    EXPECT_EQ(PopAll(*Open(0, CChanSelDlg::kSingleChannel)),
              std::vector<int>{selection_events::kSingleChannelMode});
}

TEST_F(ChannelSelectorTest, CheckedBoxesOfABankMakeTheList) {
    auto selector = Open(8, CChanSelDlg::kMultipleChannels);  // bank 108-115
    for (const int box : {0, 2, 7}) {
        Click(*selector, kCheckBox + box);
    }
    EXPECT_EQ(selector->ChannelList(), std::optional<std::string>("108,110,115"));
    EXPECT_EQ(selector->SelectionCount(), 3);
    EXPECT_EQ(selector->Checks(), (CChanSelDlg::CheckStates{1, -1, 1, -1, -1, -1, -1, 1}));
    for (const int box : {0, 2, 7}) {
        Click(*selector, kCheckBox + box);
    }
    EXPECT_EQ(selector->ChannelList(), std::nullopt);
    EXPECT_EQ(selector->SelectionCount(), 0);
}

TEST_F(ChannelSelectorTest, BoxesKeepTheirPositionsAcrossBanks) {
    auto selector = Open(0, CChanSelDlg::kMultipleChannels, {1, -1, -1, 1, -1, -1, -1, -1});
    EXPECT_EQ(selector->ChannelList(), std::optional<std::string>("100,103"));
    Click(*selector, kBankRadio + 5);
    EXPECT_EQ(selector->ChannelList(), std::optional<std::string>("140,143"));
    EXPECT_EQ(selector->Item<QAbstractButton>(kCheckBox + 3)->text(), "Ch: 143");
    EXPECT_EQ(selector->Channel(), 40);
}

TEST_F(ChannelSelectorTest, ChoosingBank140QueuesItsFirstChannelAndTheMode) {
    auto selector = Open(0, CChanSelDlg::kMultipleChannels);
    PopAll(*selector);
    Click(*selector, kBankRadio + 5);
    EXPECT_EQ(PopAll(*selector), (std::vector<int>{41, selection_events::kMultipleChannelMode}));
}

TEST_F(ChannelSelectorTest, AFourthEventIsLost) {
    auto selector = Open(0, CChanSelDlg::kMultipleChannels);  // -2
    Click(*selector, kBankRadio + 5);                         // 41, -2
    Click(*selector, kManual);                                // -4: no room
    EXPECT_EQ(selector->Mode(), CChanSelDlg::kManualEntry);
    EXPECT_EQ(PopAll(*selector), (std::vector<int>{-2, 41, -2}));
}

TEST(SelectionEventQueue, WrapsRoundItsThreeSlots) {
    SelectionEventQueue queue;
    for (int round = 0; round < 4; ++round) {
        EXPECT_TRUE(queue.Push(round * 10 + 1));
        EXPECT_TRUE(queue.Push(round * 10 + 2));
        EXPECT_EQ(queue.Pop(), round * 10 + 1);
        EXPECT_TRUE(queue.Push(round * 10 + 3));
        EXPECT_TRUE(queue.Push(round * 10 + 4));
        EXPECT_FALSE(queue.Push(round * 10 + 5));
        EXPECT_EQ(queue.Pop(), round * 10 + 2);
        EXPECT_EQ(queue.Pop(), round * 10 + 3);
        EXPECT_EQ(queue.Pop(), round * 10 + 4);
        EXPECT_EQ(queue.Pop(), 0);
    }
}

TEST_F(ChannelSelectorTest, ManualEntryCountsItsText) {
    auto selector = Open(0, CChanSelDlg::kMultipleChannels);
    Click(*selector, kManual);
    EXPECT_FALSE(selector->Item(kEdit)->isHidden());
    EXPECT_FALSE(selector->Item(kHint)->isHidden());
    EXPECT_TRUE(selector->Item(kBankRadio)->isHidden());
    Type(*selector, "100,106,115:127");
    EXPECT_EQ(selector->SelectionCount(), 2);
    EXPECT_EQ(selector->ChannelList(), std::optional<std::string>("100,106,115:127"));
    Type(*selector, "105");
    EXPECT_EQ(selector->SelectionCount(), 1);
    Type(*selector, "");
    EXPECT_EQ(selector->SelectionCount(), 0);
    EXPECT_EQ(selector->ChannelList(), std::nullopt);
}

TEST_F(ChannelSelectorTest, AllOnAndAllOffInManualMode) {
    auto selector = Open(0, CChanSelDlg::kManualEntry, kNoneChecked, "101");
    EXPECT_EQ(selector->ChannelList(), std::optional<std::string>("101"));
    Click(*selector, kAllOn);
    EXPECT_EQ(selector->ManualText(), "100:163");
    EXPECT_EQ(selector->ChannelList(), std::optional<std::string>("100:163"));
    Click(*selector, kAllOff);
    EXPECT_EQ(selector->ManualText(), "");
    EXPECT_EQ(selector->ChannelList(), std::nullopt);
}

TEST_F(ChannelSelectorTest, AllOnAndAllOffInMultipleMode) {
    auto selector = Open(16, CChanSelDlg::kMultipleChannels);
    Click(*selector, kAllOn);
    EXPECT_EQ(selector->ChannelList(),
              std::optional<std::string>("116,117,118,119,120,121,122,123"));
    EXPECT_EQ(selector->SelectionCount(), 8);
    Click(*selector, kAllOff);
    EXPECT_EQ(selector->Checks(), kNoneChecked);
    EXPECT_EQ(selector->ChannelList(), std::nullopt);
}

TEST_F(ChannelSelectorTest, EnterInTheManualEditQueuesMinusThree) {
    auto selector = Open(0, CChanSelDlg::kManualEntry);
    PopAll(*selector);
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QCoreApplication::sendEvent(selector->Item(kEdit), &enter);
    EXPECT_EQ(PopAll(*selector), std::vector<int>{selection_events::kManualEnter});
}

TEST_F(ChannelSelectorTest, ManualTextIsLimitedToWhatCanBeSent) {
    const QString longList = QString("100,").repeated(80);
    auto selector = Open(0, CChanSelDlg::kManualEntry, kNoneChecked, longList);
    EXPECT_EQ(selector->ManualText().size(), CChanSelDlg::kMaxManualText);
    Type(*selector, longList);
    EXPECT_EQ(selector->ChannelList()->size(),
              static_cast<std::size_t>(CChanSelDlg::kMaxManualText));
}

TEST_F(ChannelSelectorTest, SingleModeNamesTheCheckedChannelRadio) {
    auto selector = Open(13, CChanSelDlg::kSingleChannel);  // 113
    EXPECT_EQ(selector->ChannelList(), std::optional<std::string>("113"));
    EXPECT_EQ(selector->SelectionCount(), -1);
    EXPECT_TRUE(selector->Item(kCheckBox)->isHidden());
    EXPECT_TRUE(selector->Item(kAllOn)->isHidden());
    PopAll(*selector);
    Click(*selector, kChannelRadio + 6);
    EXPECT_EQ(PopAll(*selector), std::vector<int>{15});  // 114 is offset 14
    EXPECT_EQ(selector->ChannelList(), std::optional<std::string>("114"));
    EXPECT_EQ(selector->Channel(), 13);  // a channel radio leaves the field alone
    Click(*selector, kBankRadio + 7);
    EXPECT_EQ(PopAll(*selector), (std::vector<int>{57, selection_events::kSingleChannelMode}));
    EXPECT_EQ(selector->ChannelList(), std::optional<std::string>("156"));
    EXPECT_EQ(selector->Item<QAbstractButton>(kChannelRadio + 7)->text(), "Ch: 163");
}

TEST_F(ChannelSelectorTest, ModeRadiosSwitchWhatIsShown) {
    auto selector = Open(0, CChanSelDlg::kManualEntry);
    Click(*selector, kMultiple);
    EXPECT_EQ(selector->Mode(), CChanSelDlg::kMultipleChannels);
    EXPECT_FALSE(selector->Item(kCheckBox)->isHidden());
    EXPECT_FALSE(selector->Item(kAllOff)->isHidden());
    EXPECT_TRUE(selector->Item(kChannelRadio)->isHidden());
    EXPECT_TRUE(selector->Item(kEdit)->isHidden());
    EXPECT_EQ(PopAll(*selector), (std::vector<int>{-4, -2}));
}

// A remembered state from elsewhere must not name a bank radio that does not
// exist, nor leave a box checked that the count does not see.
TEST_F(ChannelSelectorTest, OutOfRangeStateIsBroughtIntoRange) {
    auto selector = Open(99, 7, {0, -1, -1, -1, -1, -1, -1, -1});
    EXPECT_EQ(selector->Mode(), CChanSelDlg::kMultipleChannels);
    EXPECT_EQ(selector->Channel(), 63);
    EXPECT_EQ(selector->ChannelList(), std::optional<std::string>("156"));
    EXPECT_EQ(selector->SelectionCount(), 1);
}

}  // namespace
