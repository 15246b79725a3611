#include "panels/scp/config_page.h"

#include <QAbstractButton>
#include <QApplication>
#include <QButtonGroup>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <algorithm>

#include "app/action_origin.h"
#include "app/failure_scope.h"
#include "app/sfp_app.h"
#include "controls/channel_list.h"
#include "panels/scp/unit_value.h"
#include "platform/operator_dialogs.h"
#include "resources/string_table.h"

void SelectorState::Apply(int event) {
    switch (event) {
        case selection_events::kSingleChannelMode:
            mode = CChanSelDlg::kSingleChannel;
            return;
        case selection_events::kMultipleChannelMode:
            mode = CChanSelDlg::kMultipleChannels;
            return;
        case selection_events::kManualEntryMode:
            mode = CChanSelDlg::kManualEntry;
            return;
        default:
            if (event >= selection_events::ChannelChosen(0)) {
                channel = event - selection_events::ChannelChosen(0);
            }
            return;
    }
}

ValueRefused NotANumber(const std::string& typed) {
    return ValueRefused{
        strings::LoadString(strings::kNotANumber).replace("%s", QString::fromStdString(typed))};
}

ValueRefused UnknownUnit(const std::string& typed, int kind) {
    QString text = strings::LoadString(strings::kUnknownUnit);
    // Each part fills the first "%s" after the previous one, so that a "%s"
    // typed by the operator stays as typed.
    int at = 0;
    for (const std::string& part : {typed, UnitNames(kind)}) {
        at = text.indexOf(QLatin1String("%s"), at);
        if (at < 0) {
            break;
        }
        const QString filled = QString::fromStdString(part);
        text.replace(at, 2, filled);
        at += static_cast<int>(filled.size());
    }
    return ValueRefused{text};
}

std::string UnitValueText(const std::string& typed, int kind) {
    const UnitValue parsed = ParseUnitValue(typed, kind);
    if (parsed.notANumber) {
        throw NotANumber(typed);
    }
    if (parsed.unknownUnit) {
        throw UnknownUnit(typed, kind);
    }
    return FormatG(parsed.value);
}

ConfigPage::ConfigPage(int templateId, SelectorState& selector)
    : PanelPage(templateId), selectorState_(selector) {
    App().EnableSynchronize(false);
}

ConfigPage::~ConfigPage() {
    App().EnableSynchronize(true);
    if (selector_ == nullptr) {
        return;
    }
    selectorState_.mode = selector_->Mode();
    selectorState_.checks = selector_->Checks();
    if (selectorState_.mode == CChanSelDlg::kManualEntry) {
        selectorState_.text = selector_->ManualText();
    }
}

void ConfigPage::Open(ConfigTables tables) {
    tables_ = std::move(tables);
    FillLists();
    Connect();
    CreateSelector();
    Restore();
    controlsEnabled_ = true;
}

void ConfigPage::CreateSelector() {
    const QWidget* area = Item(kSelectorArea);
    const QPoint position = area != nullptr ? area->pos() : QPoint();
    selector_ = new CChanSelDlg(*this, selectorState_.channel, selectorState_.mode, position,
                                selectorState_.checks, selectorState_.text);
    selector_->show();
}

void ConfigPage::FillLists() {
    const auto fill = [this](int id, const std::vector<std::string>& entries) {
        auto* box = Item<QComboBox>(id);
        if (box == nullptr || box->count() != 0) {
            return;
        }
        for (const std::string& entry : entries) {
            box->addItem(QString::fromStdString(entry));
        }
        box->setCurrentIndex(-1);
        // Typing must not be completed into a list entry behind the
        // operator's back: the text is sent as typed.
        if (box->isEditable()) {
            box->setCompleter(nullptr);
        }
    };
    for (const ChoiceListRow& row : tables_.choiceLists) {
        fill(row.id, row.entries);
    }
    for (const TextListRow& row : tables_.textLists) {
        fill(row.id, row.entries);
    }
}

void ConfigPage::Restore() {
    for (const RadioGroupRow& row : tables_.groups) {
        if (!row.buttons.empty()) {
            UncheckGroup(row.buttons.front().id);
        }
        if (*row.remembered != kUnknown) {
            CheckButton(*row.remembered);
        }
    }
    for (const ChoiceListRow& row : tables_.choiceLists) {
        auto* box = Item<QComboBox>(row.id);
        const bool known = *row.remembered >= 0 && *row.remembered < box->count();
        box->setCurrentIndex(known ? *row.remembered : -1);
    }
    for (const TextListRow& row : tables_.textLists) {
        WriteBoxText(row.id, *row.remembered);
    }
    for (const TextFieldRow& row : tables_.fields) {
        SetText(row.id, *row.remembered);
    }
}

void ConfigPage::Connect() {
    for (const RadioGroupRow& row : tables_.groups) {
        for (const ButtonValue& button : row.buttons) {
            if (auto* widget = Item<QAbstractButton>(button.id)) {
                connect(widget, &QAbstractButton::clicked, this,
                        [this, &row, &button] { OnButton(row, button); });
            }
        }
    }
    for (const ChoiceListRow& row : tables_.choiceLists) {
        connect(Item<QComboBox>(row.id), qOverload<int>(&QComboBox::activated), this,
                [this, &row](int index) { OnChoice(row, index); });
    }
    for (const TextListRow& row : tables_.textLists) {
        auto* box = Item<QComboBox>(row.id);
        connect(box, qOverload<int>(&QComboBox::activated), this,
                [this, &row](int index) { OnTextPick(row, index); });
        // Qt counts finished editing whose text matches an entry as a pick;
        // typed text is sent by Enter alone, so leaving the box sends nothing.
        if (QLineEdit* edit = box->lineEdit()) {
            disconnect(edit, &QLineEdit::editingFinished, box, nullptr);
        }
    }
    if (auto* sendAll = Item<QAbstractButton>(kSendAllButton)) {
        connect(sendAll, &QAbstractButton::clicked, this, [this] { OnSendAll(); });
    }
    if (auto* enter = Item<QAbstractButton>(kDefaultButton)) {
        connect(enter, &QAbstractButton::clicked, this, [this] { OnEnter(); });
    }
    // A child page gets no default-button handling from Qt: Enter in any of
    // the page's own controls goes to the Enter handler, as the hidden
    // default button does on the home platform. The selector is created
    // later and keeps its own Enter.
    for (QWidget* child : findChildren<QWidget*>()) {
        child->installEventFilter(this);
    }
}

bool ConfigPage::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress) {
        return false;
    }
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key != Qt::Key_Return && key != Qt::Key_Enter) {
        return false;
    }
    auto* widget = qobject_cast<QWidget*>(watched);
    if (widget == nullptr || (selector_ != nullptr && selector_->isAncestorOf(widget))) {
        return false;
    }
    // Enter on a focused push button presses that button, as in a dialog.
    if (auto* button = qobject_cast<QPushButton*>(widget);
        button != nullptr && button != Item(kDefaultButton)) {
        button->click();
        return true;
    }
    OnEnter();
    return true;
}

std::optional<std::string> ConfigPage::RequireChannels() {
    std::optional<std::string> channels = selector_->ChannelList();
    if (!channels) {
        platform::Dialogs().ShowMessage(strings::LoadString(strings::kNoChannelsSelected));
        return channels;
    }
    if (selector_->Mode() != CChanSelDlg::kManualEntry) {
        return channels;
    }
    // A typed list is checked here, so that the operator learns which part is
    // wrong instead of the instrument's bare data type error.
    if (const auto fault = FindChannelListFault(*channels)) {
        platform::Dialogs().ShowMessage(strings::LoadString(strings::kBadChannelList)
                                            .replace("%s", QString::fromStdString(*fault)));
        return std::nullopt;
    }
    return channels;
}

std::optional<std::string> ConfigPage::ChannelsFor(ChannelUse use) {
    if (use == ChannelUse::NotNeeded) {
        return std::string();
    }
    return RequireChannels();
}

bool ConfigPage::Run(std::string origin, const std::function<void()>& action) {
    const iorecord::OriginScope scope(std::move(origin));
    try {
        return RunInFailureScope(action);
    } catch (const ValueRefused& refused) {
        platform::Dialogs().ShowMessage(refused.message);
        return false;
    }
}

void ConfigPage::OnButton(const RadioGroupRow& row, const ButtonValue& button) {
    const auto forget = [this, &row, &button] {
        UncheckGroup(button.id);
        *row.remembered = kUnknown;
    };
    const std::optional<std::string> channels = ChannelsFor(row.channels);
    if (!channels) {
        forget();
        return;
    }
    *row.remembered = button.id;
    if (!Run(ControlOrigin(Item(button.id)), [&] { row.send(*channels, button.value); })) {
        row.onFailure ? row.onFailure() : forget();
    }
}

void ConfigPage::OnChoice(const ChoiceListRow& row, int index) {
    const auto forget = [this, &row] {
        ClearSelection(row.id);
        *row.remembered = kUnknown;
    };
    const std::optional<std::string> channels = ChannelsFor(row.channels);
    if (!channels) {
        forget();
        return;
    }
    *row.remembered = index;
    if (!Run(ControlOrigin(Item(row.id)), [&] { row.send(*channels, index); })) {
        row.onFailure ? row.onFailure() : forget();
    }
}

void ConfigPage::OnTextPick(const TextListRow& row, int index) {
    if (index < 0 || index >= static_cast<int>(row.entries.size())) {
        return;
    }
    const std::string& text = row.entries[static_cast<std::size_t>(index)];
    const auto forget = [this, &row] {
        ClearSelection(row.id);
        row.remembered->clear();
    };
    const std::optional<std::string> channels = ChannelsFor(row.channels);
    if (!channels) {
        forget();
        return;
    }
    *row.remembered = text;
    if (!Run(ControlOrigin(Item(row.id)), [&] { row.send(*channels, text); })) {
        row.onFailure ? row.onFailure() : forget();
    }
}

const TextFieldRow* ConfigPage::FocusedField() const {
    const QWidget* focus = QApplication::focusWidget();
    if (focus == nullptr) {
        return nullptr;
    }
    for (const TextFieldRow& row : tables_.fields) {
        const QWidget* control = Item(row.id);
        if (control != nullptr && (control == focus || control->isAncestorOf(focus))) {
            return &row;
        }
    }
    return nullptr;
}

void ConfigPage::OnEnter() {
    // A page without text fields has nothing that Enter sends, and no reason
    // to complain about the channels.
    if (tables_.fields.empty()) {
        return;
    }
    const TextFieldRow* row = FocusedField();
    if (row != nullptr && row->channels == ChannelUse::NotNeeded) {
        SendField(*row, std::string());
        return;
    }
    if (!controlsEnabled_ && tables_.enterSilentWhileDisabled) {
        return;
    }
    const std::optional<std::string> channels = RequireChannels();
    if (!channels || row == nullptr) {
        return;
    }
    SendField(*row, *channels);
}

// An empty field has nothing to send: an empty value is not a setting, and
// the instrument would only refuse the command it makes.
void ConfigPage::SendField(const TextFieldRow& row, const std::string& channels) {
    const std::string text = Text(row.id);
    *row.remembered = text;
    if (text.empty()) {
        return;
    }
    if (!Run(ControlOrigin(Item(row.id), QStringLiteral("Enter")),
             [&] { row.send(channels, text); })) {
        row.remembered->clear();
        SetText(row.id, std::string());
    }
}

void ConfigPage::OnSendAll() {
    const std::optional<std::string> channels = RequireChannels();
    if (!channels) {
        return;
    }
    Run(PageOrigin(QStringLiteral("Send All")), [&] {
        for (const SendAllStep& step : tables_.sendAll) {
            step(*channels);
        }
    });
}

void ConfigPage::Tick() {
    const int event = selector_->PopEvent();
    const int count = selector_->SelectionCount();
    const bool enable = count != 0;
    if (enable != controlsEnabled_) {
        EnableControls(enable);
        controlsEnabled_ = enable;
    }
    selectorState_.Apply(event);
    AfterTick(count);
}

std::vector<int> ConfigPage::ToggledControls() const {
    std::vector<int> ids = tables_.selectionControls;
    for (const RadioGroupRow& row : tables_.groups) {
        if (!row.neverDisabled) {
            for (const ButtonValue& button : row.buttons) {
                ids.push_back(button.id);
            }
        }
    }
    const auto add = [&ids](const auto& rows) {
        for (const auto& row : rows) {
            if (!row.neverDisabled) {
                ids.push_back(row.id);
            }
        }
    };
    add(tables_.choiceLists);
    add(tables_.textLists);
    add(tables_.fields);
    return ids;
}

void ConfigPage::EnableControls(bool enabled) {
    for (int id : ToggledControls()) {
        if (auto* control = Item(id)) {
            control->setEnabled(enabled);
        }
    }
}

const RadioGroupRow* ConfigPage::GroupOf(int buttonId) const {
    for (const RadioGroupRow& row : tables_.groups) {
        for (const ButtonValue& button : row.buttons) {
            if (button.id == buttonId) {
                return &row;
            }
        }
    }
    return nullptr;
}

int ConfigPage::CheckedButton(int buttonId) const {
    const RadioGroupRow* row = GroupOf(buttonId);
    if (row == nullptr) {
        return kUnknown;
    }
    for (const ButtonValue& button : row->buttons) {
        const auto* widget = Item<QAbstractButton>(button.id);
        if (widget != nullptr && widget->isChecked()) {
            return button.id;
        }
    }
    return kUnknown;
}

std::optional<std::string> ConfigPage::CheckedValue(int buttonId) const {
    const RadioGroupRow* row = GroupOf(buttonId);
    const int checked = CheckedButton(buttonId);
    if (row == nullptr || checked == kUnknown) {
        return std::nullopt;
    }
    for (const ButtonValue& button : row->buttons) {
        if (button.id == checked) {
            return button.value;
        }
    }
    return std::nullopt;
}

void ConfigPage::UncheckGroup(int buttonId) {
    auto* widget = Item<QAbstractButton>(buttonId);
    QButtonGroup* group = widget != nullptr ? widget->group() : nullptr;
    if (group == nullptr) {
        if (widget != nullptr) {
            widget->setChecked(false);
        }
        return;
    }
    // An exclusive group keeps one button checked unless told otherwise.
    group->setExclusive(false);
    for (QAbstractButton* button : group->buttons()) {
        const bool autoExclusive = button->autoExclusive();
        button->setAutoExclusive(false);
        button->setChecked(false);
        button->setAutoExclusive(autoExclusive);
    }
    group->setExclusive(true);
}

void ConfigPage::CheckButton(int buttonId) {
    if (auto* widget = Item<QAbstractButton>(buttonId)) {
        widget->setChecked(true);
    }
}

std::string ConfigPage::Text(int id) const {
    if (const auto* box = Item<QComboBox>(id)) {
        return box->currentText().toStdString();
    }
    if (const auto* edit = Item<QLineEdit>(id)) {
        return edit->text().toStdString();
    }
    return std::string();
}

void ConfigPage::SetText(int id, const std::string& text) {
    if (Item<QComboBox>(id) != nullptr) {
        WriteBoxText(id, text);
        return;
    }
    if (auto* edit = Item<QLineEdit>(id)) {
        edit->setText(QString::fromStdString(text));
    }
}

void ConfigPage::WriteBoxText(int id, const std::string& text) {
    auto* box = Item<QComboBox>(id);
    if (box == nullptr) {
        return;
    }
    const QString wanted = QString::fromStdString(text);
    if (!wanted.isEmpty()) {
        for (int index = 0; index < box->count(); ++index) {
            if (box->itemText(index).startsWith(wanted, Qt::CaseInsensitive)) {
                box->setCurrentIndex(index);
                return;
            }
        }
    }
    if (box->isEditable()) {
        box->setCurrentIndex(-1);
        box->setEditText(wanted);
    }
}

void ConfigPage::ClearSelection(int id) {
    if (auto* box = Item<QComboBox>(id)) {
        box->setCurrentIndex(-1);
        if (box->isEditable()) {
            box->setEditText(QString());
        }
    }
}
