#pragma once
// The frame shared by the configuration pages (input/output, sense function,
// sense, source). A page derives from ConfigPage, builds nothing itself but
// its title, declares its controls as a ConfigTables and calls Open() at the
// end of its constructor. Everything below is then done by the frame.
//
// Panel object side: the panel object owns a SelectorState and every
// remembered field (ints: -1 unknown; texts: empty = nothing to send) and
// passes them to the page by reference (the rows hold pointers into the
// panel object, which outlives the page). Its Tick() calls the page's Tick().
//
// Rows (ConfigTables):
// - RadioGroupRow: the group's buttons with the value each sends, the int
//   field that remembers the checked button's identifier, and `send`. A click
//   records the identifier, then calls send(channels, value).
// - ChoiceListRow: a drop-down filled with `entries`; remembers the picked
//   index; a pick records it, then calls send(channels, index).
// - TextListRow: a drop-down (editable or not) filled with `entries`;
//   remembers the picked entry's text; a pick records it, then calls
//   send(channels, text).
// - TextFieldRow: an edit field (or an editable box) sent by Enter: the
//   frame's Enter handler (the hidden default button 1, or Return/Enter
//   pressed in any control of the page outside the channel selector) finds the
//   row whose control has the focus; an empty text forgets the remembered
//   text and sends nothing; otherwise it records the text as typed, then calls
//   send(channels, text). On a page without fields Enter does nothing.
// Every row's `send` runs inside one failure scope and may decide to send
// nothing (a setting that is not complete yet). Record-before-send means a
// send may read the other remembered fields, including its own.
//
// Handler frame, the same for every row:
// 1. channels := the selector's channel list. None (and the row needs
//    channels): string 120 in a message box; buttons and lists clear their
//    control and forget their field; Enter changes nothing. Stop.
// 2. Record the new choice in the remembered field.
// 3. send() inside one failure scope. On the user-exception the status is
//    reported (ReportInstrumentError(GetLastStatus())) and the control is
//    cleared and its field forgotten, or `onFailure` runs instead when a row
//    sets it. A row with `channels = ChannelUse::NotNeeded` gets an empty
//    channel text and never shows string 120.
//
// A send that cannot send its value (a text that is no number, or whose unit
// the field does not read) throws ValueRefused: the frame shows its message
// instead of an instrument report and otherwise treats it as a failed send.
// UnitValueText is that send's reading of a typed value with its unit.
//
// Send All (control 1535): one channel list (none: string 120, nothing
// changes), then `sendAll` steps in their order inside ONE failure scope:
// the first failing call raises out of the loop, is reported once, and the
// later steps are not sent; no control and no remembered field changes.
// Steps read the page (CheckedValue, Text) or the remembered fields, as the
// page's own order says.
//
// Tick (call from the panel object's Tick): pops one SelectionEvent into the
// SelectorState (-1/-2/-4 set mode 1/2/3, k >= 1 sets channel k - 1), then
// enables every row's control (except rows marked `neverDisabled`) and the
// `selectionControls` exactly when the selector's selection count is not
// zero; widgets are touched only when that state changes. AfterTick(count)
// is then called for page-specific per-tick work.
//
// Lifecycle: the constructor greys System / Syncronize; Open() fills the
// lists, creates the selector over placeholder 1530 from the SelectorState,
// restores every row from its remembered field (buttons checked, list index
// or text selected by the first entry that begins with it, texts written)
// and connects the handlers. The destructor makes Syncronize available
// again and hands the selector's mode, checks and (in manual mode) text back
// to the SelectorState; the channel is kept current by the tick.

#include <QString>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "app/panel_page.h"
#include "controls/channel_selector_dialog.h"

class QComboBox;

// The channel selector's state, kept by the panel object between showings.
struct SelectorState {
    int channel = 0;
    int mode = CChanSelDlg::kMultipleChannels;
    CChanSelDlg::CheckStates checks{CChanSelDlg::kUnchecked, CChanSelDlg::kUnchecked,
                                    CChanSelDlg::kUnchecked, CChanSelDlg::kUnchecked,
                                    CChanSelDlg::kUnchecked, CChanSelDlg::kUnchecked,
                                    CChanSelDlg::kUnchecked, CChanSelDlg::kUnchecked};
    QString text;

    // Applies one popped SelectionEvent; other events change nothing.
    void Apply(int event);
};

struct ValueRefused {
    QString message;
};

// String 150 for `typed`: "..." is not a number.  Command not sent.
ValueRefused NotANumber(const std::string& typed);

// String 162 for `typed` in a field of `kind`: it names the units the field
// reads.
ValueRefused UnknownUnit(const std::string& typed, int kind);

// A typed value with its unit (ParseUnitValue of `kind`) as "%g" of the value
// in base units. A text without a number throws NotANumber: sent as 0 it
// could set a valid but unwanted value; one with a rest that is no unit of
// the kind throws UnknownUnit: "2 mV" sent unscaled would be 2 volts.
std::string UnitValueText(const std::string& typed, int kind);

enum class ChannelUse { Required, NotNeeded };

constexpr int kUnknown = -1;

struct ButtonValue {
    int id;
    std::string value;
};

using SendValue = std::function<void(const std::string& channels, const std::string& value)>;
using SendIndex = std::function<void(const std::string& channels, int index)>;

// Rows are built from their required members, {buttons or id (and entries),
// &field, send}; the optional members after them are set by name.
struct RadioGroupRow {
    RadioGroupRow(std::vector<ButtonValue> buttons_, int* remembered_, SendValue send_)
        : buttons(std::move(buttons_)), remembered(remembered_), send(std::move(send_)) {}

    std::vector<ButtonValue> buttons;
    int* remembered = nullptr;
    SendValue send;
    ChannelUse channels = ChannelUse::Required;
    std::function<void()> onFailure;  // replaces "uncheck and forget"
    bool neverDisabled = false;
};

struct ChoiceListRow {
    ChoiceListRow(int id_, std::vector<std::string> entries_, int* remembered_, SendIndex send_)
        : id(id_), entries(std::move(entries_)), remembered(remembered_), send(std::move(send_)) {}

    int id = 0;
    std::vector<std::string> entries;
    int* remembered = nullptr;
    SendIndex send;
    ChannelUse channels = ChannelUse::Required;
    std::function<void()> onFailure;  // replaces "no selection and forget"
    bool neverDisabled = false;
};

struct TextListRow {
    TextListRow(int id_, std::vector<std::string> entries_, std::string* remembered_,
                SendValue send_)
        : id(id_), entries(std::move(entries_)), remembered(remembered_), send(std::move(send_)) {}

    int id = 0;
    std::vector<std::string> entries;
    std::string* remembered = nullptr;
    SendValue send;
    ChannelUse channels = ChannelUse::Required;
    std::function<void()> onFailure;  // replaces "no selection and forget"
    bool neverDisabled = false;
};

struct TextFieldRow {
    TextFieldRow(int id_, std::string* remembered_, SendValue send_)
        : id(id_), remembered(remembered_), send(std::move(send_)) {}

    int id = 0;
    std::string* remembered = nullptr;
    SendValue send;
    ChannelUse channels = ChannelUse::Required;
    bool neverDisabled = false;
};

using SendAllStep = std::function<void(const std::string& channels)>;

struct ConfigTables {
    std::vector<RadioGroupRow> groups;
    std::vector<ChoiceListRow> choiceLists;
    std::vector<TextListRow> textLists;
    std::vector<TextFieldRow> fields;
    std::vector<SendAllStep> sendAll;
    // Further controls enabled only while channels are selected ("Send All"
    // on the sense pages, "CAL:TARE", ...).
    std::vector<int> selectionControls;
    // Enter while the page's controls are disabled sends only NotNeeded fields
    // and shows no message.
    bool enterSilentWhileDisabled = false;
};

class ConfigPage : public PanelPage {
public:
    static constexpr int kSendAllButton = 1535;
    static constexpr int kDefaultButton = 1;
    static constexpr int kSelectorArea = 1530;

    ConfigPage(int templateId, SelectorState& selector);
    ~ConfigPage() override;

    // One step of the main window's panel timer.
    void Tick();
    // The default button's action: sends the focused field.
    void OnEnter();
    void OnSendAll();

    CChanSelDlg& Selector() const { return *selector_; }
    bool ControlsEnabled() const { return controlsEnabled_; }

protected:
    // Fills, restores and connects the page from `tables`; call once, last.
    void Open(ConfigTables tables);
    virtual void AfterTick(int /*selectionCount*/) {}

    // The selector's channel list; string 120 when there is none.
    std::optional<std::string> RequireChannels();
    // The value of the group's checked button (any button id of the group).
    std::optional<std::string> CheckedValue(int buttonId) const;
    // The checked button's id, or kUnknown.
    int CheckedButton(int buttonId) const;
    void UncheckGroup(int buttonId);
    void CheckButton(int buttonId);
    // The text a control shows (edit field or box).
    std::string Text(int id) const;
    void SetText(int id, const std::string& text);
    // Writes a text into a box: the first entry that begins with it
    // (case-insensitive) is selected; otherwise an editable box shows the
    // text, a list-only box keeps its selection; an empty text clears an
    // editable box.
    void WriteBoxText(int id, const std::string& text);
    void ClearSelection(int id);

private:
    void CreateSelector();
    void FillLists();
    void Restore();
    void Connect();
    void OnButton(const RadioGroupRow& row, const ButtonValue& button);
    void OnChoice(const ChoiceListRow& row, int index);
    void OnTextPick(const TextListRow& row, int index);
    void SendField(const TextFieldRow& row, const std::string& channels);
    const TextFieldRow* FocusedField() const;
    const RadioGroupRow* GroupOf(int buttonId) const;
    // The channel text for a row, or none after string 120.
    std::optional<std::string> ChannelsFor(ChannelUse use);
    // RunInFailureScope that also shows a ValueRefused, with `origin` as
    // the origin of the action's calls; true when done.
    static bool Run(std::string origin, const std::function<void()>& action);
    std::vector<int> ToggledControls() const;
    void EnableControls(bool enabled);
    bool eventFilter(QObject* watched, QEvent* event) override;

    SelectorState& selectorState_;
    CChanSelDlg* selector_ = nullptr;
    ConfigTables tables_;
    bool controlsEnabled_ = true;
};
