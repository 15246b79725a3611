#pragma once
// The instrument's simple settings, kept as the text their queries answer:
// per channel (100..163) or instrument-wide, each with a ValueSpec.

#include <array>
#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "sim/channel_list.h"
#include "sim/value_spec.h"

namespace sim {

class SettingStore {
public:
    using ChannelValues = std::array<std::string, kChannelCount>;

    void defineChannelSetting(const std::string& key, ValueSpec rule);
    void defineGlobalSetting(const std::string& key, ValueSpec rule);

    // All or nothing: a value that is not accepted changes no channel (throws ScpiError).
    void setForChannels(std::string_view key, const std::vector<int>& channels,
                        std::string_view value);
    // Looked up without a copy of the key: a scan asks for several per channel.
    const std::string& channelValue(std::string_view key, int channel) const;
    // Every channel's value of `key`, by channel offset.
    const ChannelValues& channelValues(std::string_view key) const;

    void setGlobal(std::string_view key, std::string_view value);
    const std::string& global(std::string_view key) const;

    void restoreDefaults();

private:
    struct ChannelSetting {
        ValueSpec rule;
        ChannelValues values;
    };
    struct GlobalSetting {
        ValueSpec rule;
        std::string value;
    };

    // The setting of `key`; std::out_of_range for a key never defined, as map::at.
    template <typename Settings>
    static auto& find(Settings& settings, std::string_view key);

    std::map<std::string, ChannelSetting, std::less<>> channelSettings_;
    std::map<std::string, GlobalSetting, std::less<>> globalSettings_;
};

}  // namespace sim
