#include "sim/answer_overrides.h"

#include <algorithm>

#include "sim/text_util.h"

namespace sim {

void AnswerOverrides::set(std::string key, std::string answer) {
    remove(key);
    overrides_.push_back(Override{std::move(key), std::move(answer)});
}

void AnswerOverrides::remove(const std::string& key) {
    overrides_.erase(
        std::remove_if(overrides_.begin(), overrides_.end(),
                       [&](const Override& o) { return equalsIgnoreCase(o.key, key); }),
        overrides_.end());
}

// The longest matching key wins, so "INP:GAIN? (@105)" can stand beside "INP:GAIN?".
std::optional<std::string> AnswerOverrides::find(std::string_view query) const {
    const std::string text = trim(query);
    const Override* best = nullptr;
    for (const auto& candidate : overrides_) {
        const bool better = best == nullptr || candidate.key.size() > best->key.size();
        if (startsWithIgnoreCase(text, candidate.key) && better) {
            best = &candidate;
        }
    }
    return best ? std::optional<std::string>(best->answer) : std::nullopt;
}

}  // namespace sim
