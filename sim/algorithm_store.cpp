#include "sim/algorithm_store.h"

#include <algorithm>

#include "sim/text_util.h"

namespace sim {

bool AlgorithmStore::validName(std::string_view name) {
    if (name.size() < 4 || !startsWithIgnoreCase(name, "ALG")) {
        return false;
    }
    const std::string_view digits = name.substr(3);
    const bool decimal =
        std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; });
    if (!decimal || digits.front() == '0') {
        return false;
    }
    const auto number = parseInteger(digits);
    return number && *number >= 1 && *number <= kHighestAlgorithm;
}

void AlgorithmStore::download(std::string_view name, int swapSize, std::string source) {
    Algorithm& algorithm = algorithms_[toUpper(name)];
    algorithm.source = std::move(source);
    algorithm.swapSize = swapSize;
}

void AlgorithmStore::setArray(std::string_view name, std::string_view array,
                              std::vector<double> values) {
    algorithms_[toUpper(name)].arrays[toUpper(array)] = std::move(values);
}

void AlgorithmStore::setScalar(std::string_view name, std::string_view variable, double value) {
    algorithms_[toUpper(name)].scalars[toUpper(variable)] = value;
}

const Algorithm* AlgorithmStore::find(std::string_view name) const {
    const auto found = algorithms_.find(toUpper(name));
    return found == algorithms_.end() ? nullptr : &found->second;
}

std::optional<double> AlgorithmStore::scalar(std::string_view name,
                                             std::string_view variable) const {
    const Algorithm* algorithm = find(name);
    if (algorithm == nullptr) {
        return std::nullopt;
    }
    const auto found = algorithm->scalars.find(toUpper(variable));
    if (found == algorithm->scalars.end()) {
        return std::nullopt;
    }
    return found->second;
}

void AlgorithmStore::clear() {
    algorithms_.clear();
    updates_ = 0;
}

}  // namespace sim
