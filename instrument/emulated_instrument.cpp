#include "instrument/emulated_instrument.h"

#include <QString>
#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>
#include <cstdlib>

#include "controls/channel_list.h"
#include "instrument/io_record.h"
#include "platform/operator_dialogs.h"
#include "resources/string_table.h"

namespace {

std::string UpperCase(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return text;
}

int ChannelOffset(int number) {
    return number >= 100 ? number - 100 : number;
}

bool IsSourceName(const std::string& source, bool timerAllowed) {
    for (const char* name : {"IMM", "BUS", "EXT", "SCP"}) {
        if (source == name) {
            return true;
        }
    }
    if (timerAllowed && source == "TIM") {
        return true;
    }
    return source.rfind("TTLT", 0) == 0;
}

std::string NoteArgument(const std::string& text) {
    return text;
}
std::string NoteArgument(int value) {
    return std::to_string(value);
}
std::string NoteArgument(double value) {
    std::array<char, 32> text{};
    const auto end = std::to_chars(text.data(), text.data() + text.size(), value);
    return std::string(text.data(), end.ptr);
}

// Each operation goes into the I/O record as the live calls do, named by
// the operation and its arguments: there is no SCPI text to show.
template <typename... Arguments>
void NoteAnswered(const char* answer, const char* operation, const Arguments&... arguments) {
    if (!iorecord::Record().Recording()) {
        return;
    }
    std::string sent = operation;
    ((sent += ' ', sent += NoteArgument(arguments)), ...);
    iorecord::IoCall call;
    call.startTicks = call.endTicks = iorecord::ClockTicks();
    call.thread = iorecord::CurrentCallThread();
    call.origin = iorecord::CurrentOrigin();
    call.function = "emulated";
    call.sent = sent;
    call.answer = answer;
    iorecord::Record().Append(call);
}

template <typename... Arguments>
void Note(const char* operation, const Arguments&... arguments) {
    NoteAnswered("", operation, arguments...);
}

}  // namespace

EmulatedInstrument::EmulatedInstrument() {
    averageCount = 2;
    averageState = "OFF";
    sampleTimers_.fill(".00001");
    scanLists_ = {"(@1(0:63))", "(@1(0:63))", "(@1(0:63))", "(@1(0:63))", "1"};
    for (int position = 0; position < kScpPositions; ++position) {
        auto& descriptor = scpDescriptors[static_cast<std::size_t>(position)];
        descriptor.description = "0,No SCP at this Address,0,0";
        descriptor.firstChannel = position * kChannelsPerScp;
        descriptor.lastChannel = position * kChannelsPerScp + kChannelsPerScp - 1;
        descriptor.typeCode = -1;
        settingsBlocks_[static_cast<std::size_t>(position)] = std::make_unique<ScpSettings>();
    }
}

EmulatedInstrument::~EmulatedInstrument() = default;

// The operations the emulation leaves to the defaults still show, so that
// the operator sees each control reach the instrument as it would.
void EmulatedInstrument::NoteUnemulated(const char* operation) {
    NoteAnswered("(not emulated)", operation);
}

int EmulatedInstrument::FindPosition(int channel) const {
    const int n = ChannelOffset(channel);
    for (int position = 0; position < kScpPositions; ++position) {
        const auto& descriptor = scpDescriptors[static_cast<std::size_t>(position)];
        const int last =
            descriptor.lastChannel < 0 ? descriptor.firstChannel + 7 : descriptor.lastChannel;
        if (descriptor.firstChannel <= n && n <= last) {
            return position;
        }
    }
    return -1;
}

ScpChannelSettings* EmulatedInstrument::FindChannel(int channel) {
    const int position = FindPosition(channel);
    if (position < 0) {
        return nullptr;
    }
    auto& block = settingsBlocks_[static_cast<std::size_t>(position)];
    if (!block) {
        return nullptr;
    }
    const int index =
        ChannelOffset(channel) - scpDescriptors[static_cast<std::size_t>(position)].firstChannel;
    if (index < 0 || index >= kChannelsPerScp) {
        return nullptr;
    }
    return &block->channels[static_cast<std::size_t>(index)];
}

ScpChannelSettings* EmulatedInstrument::FindChannelText(const std::string& channel) {
    return FindChannel(std::atoi(channel.c_str()));
}

// Stores into every addressed channel, from the last number of the list to the first.
template <typename Store>
void EmulatedInstrument::ForEachChannel(const std::string& channels, Store store) {
    const ChannelSet set = ParseChannelList(channels);
    for (int i = set.lastIndex; i >= 0; --i) {
        if (ScpChannelSettings* settings = FindChannel(set.numbers[static_cast<std::size_t>(i)])) {
            store(*settings);
        }
    }
}

void EmulatedInstrument::Reset() {
    Note("Reset");
    platform::Dialogs().ShowMessage(QStringLiteral("This is my NON LIVE RESET"));
    timeout_ = kDefaultTimeout;
}

Text EmulatedInstrument::SelfTest() {
    Note("SelfTest");
    return strings::LoadString(strings::kSelfTestPassed).toStdString();
}

void EmulatedInstrument::SetTimeout(int milliseconds) {
    Note("SetTimeout", milliseconds);
    timeout_ = milliseconds;
}
int EmulatedInstrument::QueryTimeout() {
    return timeout_;
}
Text EmulatedInstrument::QueryTriggerSource() {
    Note("QueryTriggerSource");
    return triggerSource_;
}
Text EmulatedInstrument::QueryArmSource() {
    Note("QueryArmSource");
    return armSource_;
}

void EmulatedInstrument::SetTriggerSource(const std::string& source) {
    Note("SetTriggerSource", source);
    const std::string upper = UpperCase(source);
    if (IsSourceName(upper, true)) {
        triggerSource_ = upper;
    }
}

void EmulatedInstrument::SetArmSource(const std::string& source) {
    Note("SetArmSource", source);
    const std::string upper = UpperCase(source);
    if (IsSourceName(upper, false)) {
        armSource_ = upper;
    }
}

std::optional<ScpDescriptor> EmulatedInstrument::GetScpDescriptor(int channel) {
    const int position = FindPosition(channel);
    if (position < 0) {
        return std::nullopt;
    }
    return scpDescriptors[static_cast<std::size_t>(position)];
}

void EmulatedInstrument::SetFilterFrequency(const std::string& channels, const std::string& value) {
    Note("SetFilterFrequency", channels, value);
    ForEachChannel(channels, [&](auto& c) { c.filterFrequency = value; });
}

void EmulatedInstrument::SetExcitationVoltage(const std::string& channels,
                                              const std::string& value) {
    Note("SetExcitationVoltage", channels, value);
    ForEachChannel(channels, [&](auto& c) { c.excitationVoltage = value; });
}

void EmulatedInstrument::SetInputGain(const std::string& channels, const std::string& value) {
    Note("SetInputGain", channels, value);
    ForEachChannel(channels, [&](auto& c) { c.inputGain = value; });
}

void EmulatedInstrument::SetInputLow(const std::string& channels, const std::string& value) {
    Note("SetInputLow", channels, value);
    const std::string upper = UpperCase(value);
    ForEachChannel(channels, [&](auto& c) { c.inputLow = upper; });
}

void EmulatedInstrument::SetCurrentAmplitude(const std::string& channels,
                                             const std::string& value) {
    Note("SetCurrentAmplitude", channels, value);
    const int flag = value == "MIN" ? 0 : 1;
    ForEachChannel(channels, [&](auto& c) { c.currentAmplitude = flag; });
}

void EmulatedInstrument::SetCurrentState(const std::string& channels, const std::string& value) {
    Note("SetCurrentState", channels, value);
    const int flag = value == "ON" ? 0 : 1;
    ForEachChannel(channels, [&](auto& c) { c.currentState = flag; });
}

void EmulatedInstrument::SetStrainGageFactor(const std::string& channels,
                                             const std::string& value) {
    Note("SetStrainGageFactor", channels, value);
    ForEachChannel(channels, [&](auto& c) { c.strainGageFactor = value; });
}

void EmulatedInstrument::SetStrainExcitation(const std::string& channels,
                                             const std::string& value) {
    Note("SetStrainExcitation", channels, value);
    ForEachChannel(channels, [&](auto& c) { c.strainExcitation = value; });
}

void EmulatedInstrument::SetStrainPoisson(const std::string& channels, const std::string& value) {
    Note("SetStrainPoisson", channels, value);
    ForEachChannel(channels, [&](auto& c) { c.strainPoisson = value; });
}

void EmulatedInstrument::SetResistanceFunction(const std::string& channels, const std::string&,
                                               const std::string& range) {
    Note("SetResistanceFunction", channels, range);
    ForEachChannel(channels, [&](auto& c) { c.resistanceRange = range; });
}

namespace {

template <typename Field>
Text TextOf(const ScpChannelSettings* settings, Field field) {
    return settings == nullptr ? std::string() : settings->*field;
}

}  // namespace

Text EmulatedInstrument::QueryFilterFrequency(const std::string& channel) {
    Note("QueryFilterFrequency", channel);
    return TextOf(FindChannelText(channel), &ScpChannelSettings::filterFrequency);
}

Text EmulatedInstrument::QueryExcitationVoltage(const std::string& channel) {
    Note("QueryExcitationVoltage", channel);
    return TextOf(FindChannelText(channel), &ScpChannelSettings::excitationVoltage);
}

Text EmulatedInstrument::QueryInputGain(const std::string& channel) {
    Note("QueryInputGain", channel);
    return TextOf(FindChannelText(channel), &ScpChannelSettings::inputGain);
}

Text EmulatedInstrument::QueryInputLow(const std::string& channel) {
    Note("QueryInputLow", channel);
    return TextOf(FindChannelText(channel), &ScpChannelSettings::inputLow);
}

Text EmulatedInstrument::QueryStrainGageFactor(const std::string& channels) {
    Note("QueryStrainGageFactor", channels);
    return TextOf(FindChannelText(channels), &ScpChannelSettings::strainGageFactor);
}

Text EmulatedInstrument::QueryStrainExcitation(const std::string& channels) {
    Note("QueryStrainExcitation", channels);
    return TextOf(FindChannelText(channels), &ScpChannelSettings::strainExcitation);
}

Text EmulatedInstrument::QueryStrainPoisson(const std::string& channels) {
    Note("QueryStrainPoisson", channels);
    return TextOf(FindChannelText(channels), &ScpChannelSettings::strainPoisson);
}

int EmulatedInstrument::QueryCurrentAmplitude(const std::string& channel) {
    Note("QueryCurrentAmplitude", channel);
    const ScpChannelSettings* settings = FindChannelText(channel);
    return settings == nullptr ? 0 : settings->currentAmplitude;
}

int EmulatedInstrument::QueryCurrentState(const std::string& channel) {
    Note("QueryCurrentState", channel);
    const ScpChannelSettings* settings = FindChannelText(channel);
    return settings == nullptr ? 1 : settings->currentState;
}

void EmulatedInstrument::SetSampleTimer(const std::string&) {
    Note("SetSampleTimer");
}

// Indices outside the lists are clamped to the first list rather than read
// past the end: callers never pass them, but a slip must not corrupt memory.
Text EmulatedInstrument::QuerySampleTimer(int listIndex) {
    Note("QuerySampleTimer", listIndex);
    if (listIndex < 0 || listIndex >= static_cast<int>(sampleTimers_.size())) {
        listIndex = 0;
    }
    return sampleTimers_[static_cast<std::size_t>(listIndex)];
}

void EmulatedInstrument::DefineScanList(int listIndex, const std::string& list) {
    Note("DefineScanList", listIndex, list);
    if (listIndex < 0 || listIndex >= static_cast<int>(scanLists_.size())) {
        listIndex = 0;
    }
    scanLists_[static_cast<std::size_t>(listIndex)] = list;
}

Text EmulatedInstrument::QueryScanList(int listIndex) {
    Note("QueryScanList", listIndex);
    if (listIndex < 0 || listIndex >= static_cast<int>(scanLists_.size())) {
        listIndex = 0;
    }
    return scanLists_[static_cast<std::size_t>(listIndex)];
}

std::optional<std::vector<double>> EmulatedInstrument::ReadCvt(int firstElement, int count) {
    Note("ReadCvt", firstElement, count);
    if (firstElement < 0 || count < 0 || firstElement + count > kValueTableSize) {
        return std::nullopt;  // outside the table: nothing to read
    }
    const auto first = valueTable_.begin() + firstElement;
    std::fill(first, first + count, kNotANumber);
    return std::vector<double>(first, first + count);
}

void EmulatedInstrument::ClearScpSettings(int position) {
    if (position >= 0 && position < kScpPositions) {
        settingsBlocks_[static_cast<std::size_t>(position)].reset();
    }
}

double EmulatedInstrument::QueryTriggerTimer() {
    Note("QueryTriggerTimer");
    return triggerTimer_;
}
void EmulatedInstrument::SetTriggerTimer(double seconds) {
    Note("SetTriggerTimer", seconds);
    triggerTimer_ = seconds;
}
void EmulatedInstrument::SetTriggerTimerMode(const std::string& mode) {
    Note("SetTriggerTimerMode", mode);
    triggerTimerMode_ = mode;
}
Text EmulatedInstrument::QueryTriggerTimerMode() {
    Note("QueryTriggerTimerMode");
    return triggerTimerMode_;
}
Text EmulatedInstrument::QueryTriggerCount() {
    Note("QueryTriggerCount");
    return triggerCount_;
}
void EmulatedInstrument::SetTriggerCount(const std::string& count) {
    Note("SetTriggerCount", count);
    triggerCount_ = count;
}
void EmulatedInstrument::SetFilterState(const std::string& state) {
    Note("SetFilterState", state);
    filterState_ = state;
}
Text EmulatedInstrument::QueryFilterState() {
    Note("QueryFilterState");
    return filterState_;
}

std::optional<ScpSettings> EmulatedInstrument::GetScpSettings(int position) {
    if (position < 0 || position >= kScpPositions) {
        return std::nullopt;
    }
    const auto& block = settingsBlocks_[static_cast<std::size_t>(position)];
    if (!block) {
        return std::nullopt;
    }
    return *block;
}
