#include "sim/setting_store.h"

#include <stdexcept>

namespace sim {

template <typename Settings>
auto& SettingStore::find(Settings& settings, std::string_view key) {
    const auto found = settings.find(key);
    if (found == settings.end()) {
        throw std::out_of_range("no setting " + std::string(key));
    }
    return found->second;
}

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

void SettingStore::setForChannels(std::string_view key, const std::vector<int>& channels,
                                  std::string_view value) {
    ChannelSetting& setting = find(channelSettings_, key);
    const std::string stored = setting.rule.normalize(value);
    for (const int channel : channels) {
        setting.values.at(static_cast<std::size_t>(channelOffset(channel))) = stored;
    }
}

const std::string& SettingStore::channelValue(std::string_view key, int channel) const {
    return channelValues(key).at(static_cast<std::size_t>(channelOffset(channel)));
}

const SettingStore::ChannelValues& SettingStore::channelValues(std::string_view key) const {
    return find(channelSettings_, key).values;
}

void SettingStore::setGlobal(std::string_view key, std::string_view value) {
    GlobalSetting& setting = find(globalSettings_, key);
    setting.value = setting.rule.normalize(value);
}

const std::string& SettingStore::global(std::string_view key) const {
    return find(globalSettings_, key).value;
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
