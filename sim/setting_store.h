#pragma once
// The instrument's simple settings, kept as the text their queries answer:
// per channel (100..163) or instrument-wide, each with a ValueSpec.

#include <array>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "sim/channel_list.h"
#include "sim/value_spec.h"

namespace sim {

class SettingStore {
public:
    void defineChannelSetting(const std::string& key, ValueSpec rule);
    void defineGlobalSetting(const std::string& key, ValueSpec rule);

    // All or nothing: a value that is not accepted changes no channel (throws ScpiError).
    void setForChannels(const std::string& key, const std::vector<int>& channels,
                        std::string_view value);
    const std::string& channelValue(const std::string& key, int channel) const;

    void setGlobal(const std::string& key, std::string_view value);
    const std::string& global(const std::string& key) const;

    void restoreDefaults();

private:
    struct ChannelSetting {
        ValueSpec rule;
        std::array<std::string, kChannelCount> values;
    };
    struct GlobalSetting {
        ValueSpec rule;
        std::string value;
    };

    std::map<std::string, ChannelSetting> channelSettings_;
    std::map<std::string, GlobalSetting> globalSettings_;
};

}  // namespace sim
