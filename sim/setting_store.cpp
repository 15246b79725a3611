#include "sim/setting_store.h"

namespace sim {

void SettingStore::defineChannelSetting(const std::string& key, ValueSpec rule) {
    ChannelSetting setting{std::move(rule), {}};
    setting.values.fill(setting.rule.initial());
    channelSettings_.insert_or_assign(key, std::move(setting));
}

void SettingStore::defineGlobalSetting(const std::string& key, ValueSpec rule) {
    GlobalSetting setting{std::move(rule), {}};
    setting.value = setting.rule.initial();
    globalSettings_.insert_or_assign(key, std::move(setting));
}

void SettingStore::setForChannels(const std::string& key, const std::vector<int>& channels,
                                  std::string_view value) {
    ChannelSetting& setting = channelSettings_.at(key);
    const std::string stored = setting.rule.normalize(value);
    for (const int channel : channels) {
        setting.values.at(static_cast<std::size_t>(channelOffset(channel))) = stored;
    }
}

const std::string& SettingStore::channelValue(const std::string& key, int channel) const {
    return channelSettings_.at(key).values.at(static_cast<std::size_t>(channelOffset(channel)));
}

void SettingStore::setGlobal(const std::string& key, std::string_view value) {
    GlobalSetting& setting = globalSettings_.at(key);
    setting.value = setting.rule.normalize(value);
}

const std::string& SettingStore::global(const std::string& key) const {
    return globalSettings_.at(key).value;
}

void SettingStore::restoreDefaults() {
    for (auto& [key, setting] : channelSettings_) {
        setting.values.fill(setting.rule.initial());
    }
    for (auto& [key, setting] : globalSettings_) {
        setting.value = setting.rule.initial();
    }
}

}  // namespace sim
