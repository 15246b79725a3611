#pragma once
// Fixed answers a scenario puts in place of the instrument's own: a query
// whose text begins with the key (ignoring case) gets the answer without
// reaching the instrument.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace sim {

class AnswerOverrides {
public:
    void set(std::string key, std::string answer);
    void remove(const std::string& key);
    void clear() { overrides_.clear(); }
    std::optional<std::string> find(std::string_view query) const;

private:
    struct Override {
        std::string key;
        std::string answer;
    };

    std::vector<Override> overrides_;
};

}  // namespace sim
