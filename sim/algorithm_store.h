#pragma once
// Downloaded control algorithms ALG1..ALG32 with their arrays and scalars.
// The simulator keeps them so that tests can see what arrived; it does not run them.

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace sim {

struct Algorithm {
    std::string source;
    int swapSize = 0;
    std::map<std::string, std::vector<double>> arrays;
    std::map<std::string, double> scalars;
};

class AlgorithmStore {
public:
    static constexpr int kHighestAlgorithm = 32;

    // ALG1..ALG32 in any case; the stored name is upper-cased.
    static bool validName(std::string_view name);

    void download(std::string_view name, int swapSize, std::string source);
    void setArray(std::string_view name, std::string_view array, std::vector<double> values);
    void setScalar(std::string_view name, std::string_view variable, double value);
    const Algorithm* find(std::string_view name) const;
    std::optional<double> scalar(std::string_view name, std::string_view variable) const;
    void update() { ++updates_; }
    int updates() const { return updates_; }
    void clear();

private:
    std::map<std::string, Algorithm> algorithms_;
    int updates_ = 0;
};

}  // namespace sim
