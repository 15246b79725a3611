#pragma once
// The channel selector embedded at the left edge of the configuration pages
// (template 134): one channel, several channels of a bank by check boxes, or
// a typed channel list. It hands the page the chosen channels as channel-list
// text and reports mode changes and channel choices through a small queue of
// SelectionEvents that the page pops once per tick.

#include <QPoint>
#include <QString>
#include <array>
#include <optional>
#include <string>

#include "controls/selection_event_queue.h"
#include "platform/template_page.h"

class CChanSelDlg : public platform::TemplatePage {
    Q_OBJECT

public:
    static constexpr int kSingleChannel = 1;
    static constexpr int kMultipleChannels = 2;
    static constexpr int kManualEntry = 3;
    static constexpr int kBankSize = 8;
    static constexpr int kFirstChannel = 100;
    static constexpr int kChecked = 1;
    static constexpr int kUnchecked = -1;
    // The typed list is what is sent, so the edit takes no more than is handed out.
    static constexpr int kMaxManualText = 255;

    using CheckStates = std::array<int, kBankSize>;

    // Creates the selector as a child of `page` with its top-left corner at
    // `position` (page coordinates), in `mode`, showing the bank of `channel`
    // (offset 0..63), the check boxes by `checks` (1 checked, -1 not) and the
    // manual text. The mode's set-up queues its event (-1, -2 or -4).
    CChanSelDlg(QWidget& page, int channel, int mode, const QPoint& position,
                const CheckStates& checks, const QString& manualText);

    // The oldest pending SelectionEvent, or 0 when none is pending.
    int PopEvent() { return events_.Pop(); }

    // The chosen channels as channel-list text ("108,110,115"), or none when
    // nothing is chosen.
    std::optional<std::string> ChannelList();

    // Manual mode: 2 for a list ("," or ":"), 1 for one channel, 0 for none;
    // multiple mode: the number of checked boxes; single mode: -1.
    int SelectionCount() const;

    // Read by the page when it closes, to be handed back at the next showing.
    const CheckStates& Checks() const { return checks_; }
    int Mode() const { return mode_; }
    const QString& ManualText() const { return manualText_; }
    int Channel() const { return channel_; }

private:
    void Connect();
    void Initialize(const QPoint& position);
    void SetUpSingle();
    void SetUpMultiple();
    void SetUpManual();
    void OnBank(int bank);
    void OnChannelRadio(int index);
    void OnCheckBox(int index, bool checked);
    void OnAllOff();
    void OnAllOn();
    void LabelChannels();
    void ShowBanks(bool show);
    void ShowChannelRadios(bool show);
    void ShowCheckBoxes(bool show);
    void ShowManualEntry(bool show);
    void ShowAllButtons(bool show);
    void ShowGroups(bool show);
    void Check(int id, bool checked = true);
    int Bank() const { return channel_ / kBankSize; }

    QString manualText_;
    int channel_;
    int mode_;
    SelectionEventQueue events_;
    std::string channelText_;  // the last channel list handed out
    QPoint position_;
    CheckStates checks_;
};
