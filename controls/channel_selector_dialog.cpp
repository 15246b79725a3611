#include "controls/channel_selector_dialog.h"

#include <QAbstractButton>
#include <QLineEdit>
#include <algorithm>

#include "resources/dialog_template.h"

namespace {

constexpr int kFirstBankRadio = 1423;
constexpr int kFirstChannelRadio = 1432;
constexpr int kFirstCheckBox = 1444;
constexpr int kSingleChannelRadio = 1441;
constexpr int kMultipleChannelsRadio = 1442;
constexpr int kManualEntryRadio = 1443;
constexpr int kAllOff = 1126;
constexpr int kAllOn = 1127;
constexpr int kManualHint = 1457;
constexpr int kManualEdit = 1072;
constexpr int kBankGroup = 1455;
constexpr int kChannelGroup = 1452;
constexpr int kLastChannelOffset = 63;
const char* const kAllChannels = "100:163";

}  // namespace

CChanSelDlg::CChanSelDlg(QWidget& page, int channel, int mode, const QPoint& position,
                         const CheckStates& checks, const QString& manualText)
    : platform::TemplatePage(templates::kChannelSelector, &page),
      manualText_(manualText.left(kMaxManualText)),
      // A remembered channel outside the instrument's range would name a bank
      // radio that does not exist; so would an unknown mode name a set-up.
      channel_(std::clamp(channel, 0, kLastChannelOffset)),
      mode_(mode >= kSingleChannel && mode <= kManualEntry ? mode : kMultipleChannels),
      position_(position) {
    // A state of 0 checks the box as 1 does; keep the two in step.
    std::transform(checks.begin(), checks.end(), checks_.begin(),
                   [](int state) { return state < 0 ? kUnchecked : kChecked; });
    Connect();
    Initialize(position);
}

void CChanSelDlg::Connect() {
    for (int i = 0; i < kBankSize; ++i) {
        if (auto* bank = Item<QAbstractButton>(kFirstBankRadio + i)) {
            connect(bank, &QAbstractButton::clicked, this, [this, i] { OnBank(i); });
        }
        if (auto* radio = Item<QAbstractButton>(kFirstChannelRadio + i)) {
            connect(radio, &QAbstractButton::clicked, this, [this, i] { OnChannelRadio(i); });
        }
        if (auto* box = Item<QAbstractButton>(kFirstCheckBox + i)) {
            connect(box, &QAbstractButton::clicked, this,
                    [this, i](bool checked) { OnCheckBox(i, checked); });
        }
    }
    const std::pair<int, void (CChanSelDlg::*)()> buttons[] = {
        {kSingleChannelRadio, &CChanSelDlg::SetUpSingle},
        {kMultipleChannelsRadio, &CChanSelDlg::SetUpMultiple},
        {kManualEntryRadio, &CChanSelDlg::SetUpManual},
        {kAllOff, &CChanSelDlg::OnAllOff},
        {kAllOn, &CChanSelDlg::OnAllOn},
    };
    for (const auto& [id, handler] : buttons) {
        if (auto* button = Item<QAbstractButton>(id)) {
            connect(button, &QAbstractButton::clicked, this, handler);
        }
    }
    if (auto* edit = Item<QLineEdit>(kManualEdit)) {
        edit->setMaxLength(kMaxManualText);
        edit->setText(manualText_);
        connect(edit, &QLineEdit::textChanged, this,
                [this](const QString& text) { manualText_ = text; });
        connect(edit, &QLineEdit::returnPressed, this,
                [this] { events_.Push(selection_events::kManualEnter); });
    }
}

void CChanSelDlg::Initialize(const QPoint& position) {
    move(position);
    switch (mode_) {
        case kSingleChannel:
            SetUpSingle();
            Check(kSingleChannelRadio);
            Check(kFirstChannelRadio + channel_ % kBankSize);
            Check(kFirstBankRadio + Bank());
            break;
        case kMultipleChannels:
            SetUpMultiple();
            Check(kMultipleChannelsRadio);
            Check(kFirstBankRadio + Bank());
            for (int i = 0; i < kBankSize; ++i) {
                Check(kFirstCheckBox + i, checks_[static_cast<std::size_t>(i)] >= 0);
            }
            break;
        default:
            SetUpManual();
            Check(kManualEntryRadio);
            Check(kFirstBankRadio + Bank());
            break;
    }
}

void CChanSelDlg::SetUpSingle() {
    events_.Push(selection_events::kSingleChannelMode);
    mode_ = kSingleChannel;
    ShowManualEntry(false);
    ShowBanks(true);
    ShowChannelRadios(true);
    LabelChannels();
    ShowGroups(true);
    ShowCheckBoxes(false);
    ShowAllButtons(false);
}

// The check boxes keep their states across banks: they stand for the eight
// positions of a bank, not for channel numbers.
void CChanSelDlg::SetUpMultiple() {
    events_.Push(selection_events::kMultipleChannelMode);
    mode_ = kMultipleChannels;
    ShowManualEntry(false);
    ShowChannelRadios(false);
    ShowBanks(true);
    ShowGroups(true);
    LabelChannels();
    ShowCheckBoxes(true);
    ShowAllButtons(true);
}

void CChanSelDlg::SetUpManual() {
    events_.Push(selection_events::kManualEntryMode);
    mode_ = kManualEntry;
    ShowChannelRadios(false);
    ShowGroups(false);
    ShowCheckBoxes(false);
    ShowBanks(false);
    ShowManualEntry(true);
    ShowAllButtons(true);
}

void CChanSelDlg::OnBank(int bank) {
    channel_ = bank * kBankSize;
    events_.Push(selection_events::ChannelChosen(channel_));
    if (mode_ == kSingleChannel) {
        SetUpSingle();
        Check(kFirstChannelRadio);
    } else if (mode_ == kMultipleChannels) {
        SetUpMultiple();
    }
}

void CChanSelDlg::OnChannelRadio(int index) {
    events_.Push(selection_events::ChannelChosen(Bank() * kBankSize + index));
}

void CChanSelDlg::OnCheckBox(int index, bool checked) {
    checks_[static_cast<std::size_t>(index)] = checked ? kChecked : kUnchecked;
}

void CChanSelDlg::OnAllOff() {
    if (mode_ == kMultipleChannels) {
        for (int i = 0; i < kBankSize; ++i) {
            Check(kFirstCheckBox + i, false);
        }
        checks_.fill(kUnchecked);
    } else if (mode_ == kManualEntry) {
        if (auto* edit = Item<QLineEdit>(kManualEdit)) {
            edit->clear();
        }
    }
}

void CChanSelDlg::OnAllOn() {
    if (mode_ == kMultipleChannels) {
        for (int i = 0; i < kBankSize; ++i) {
            Check(kFirstCheckBox + i, true);
        }
        checks_.fill(kChecked);
    } else if (mode_ == kManualEntry) {
        if (auto* edit = Item<QLineEdit>(kManualEdit)) {
            edit->setText(QString::fromLatin1(kAllChannels));
        }
    }
}

std::optional<std::string> CChanSelDlg::ChannelList() {
    const int bankStart = kFirstChannel + Bank() * kBankSize;
    std::string list;
    if (mode_ == kSingleChannel) {
        for (int i = 0; i < kBankSize && list.empty(); ++i) {
            const auto* radio = Item<QAbstractButton>(kFirstChannelRadio + i);
            if (radio != nullptr && radio->isChecked()) {
                list = std::to_string(bankStart + i);
            }
        }
    } else if (mode_ == kMultipleChannels) {
        for (int i = 0; i < kBankSize; ++i) {
            const auto* box = Item<QAbstractButton>(kFirstCheckBox + i);
            if (box != nullptr && box->isChecked()) {
                list += (list.empty() ? "" : ",") + std::to_string(bankStart + i);
            }
        }
    } else {
        list = manualText_.toStdString();
    }
    if (list.empty()) {
        return std::nullopt;
    }
    channelText_ = list;
    return channelText_;
}

int CChanSelDlg::SelectionCount() const {
    if (mode_ == kManualEntry) {
        if (manualText_.contains(QLatin1Char(',')) || manualText_.contains(QLatin1Char(':'))) {
            return 2;
        }
        return manualText_.isEmpty() ? 0 : 1;
    }
    if (mode_ == kMultipleChannels) {
        return static_cast<int>(std::count(checks_.begin(), checks_.end(), kChecked));
    }
    return -1;
}

void CChanSelDlg::LabelChannels() {
    const int bankStart = kFirstChannel + Bank() * kBankSize;
    for (int i = 0; i < kBankSize; ++i) {
        const QString label = QString::asprintf("Ch: %d", bankStart + i);
        for (const int first : {kFirstChannelRadio, kFirstCheckBox}) {
            if (auto* button = Item<QAbstractButton>(first + i)) {
                button->setText(label);
            }
        }
    }
}

void CChanSelDlg::ShowBanks(bool show) {
    for (int i = 0; i < kBankSize; ++i) {
        if (auto* radio = Item(kFirstBankRadio + i)) {
            radio->setVisible(show);
        }
    }
}

void CChanSelDlg::ShowChannelRadios(bool show) {
    for (int i = 0; i < kBankSize; ++i) {
        if (auto* radio = Item(kFirstChannelRadio + i)) {
            radio->setVisible(show);
        }
    }
}

void CChanSelDlg::ShowCheckBoxes(bool show) {
    for (int i = 0; i < kBankSize; ++i) {
        if (auto* box = Item(kFirstCheckBox + i)) {
            box->setVisible(show);
        }
    }
}

void CChanSelDlg::ShowManualEntry(bool show) {
    for (const int id : {kManualHint, kManualEdit}) {
        if (auto* control = Item(id)) {
            control->setVisible(show);
        }
    }
}

void CChanSelDlg::ShowAllButtons(bool show) {
    for (const int id : {kAllOff, kAllOn}) {
        if (auto* button = Item(id)) {
            button->setVisible(show);
        }
    }
}

void CChanSelDlg::ShowGroups(bool show) {
    for (const int id : {kBankGroup, kChannelGroup}) {
        if (auto* group = Item(id)) {
            group->setVisible(show);
        }
    }
}

void CChanSelDlg::Check(int id, bool checked) {
    if (auto* button = Item<QAbstractButton>(id)) {
        button->setChecked(checked);
    }
}
