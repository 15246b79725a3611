#pragma once
// What one setting accepts and how it is answered: the instrument keeps every
// setting as the text its query returns.

#include <string>
#include <string_view>
#include <vector>

namespace sim {

class ValueSpec {
public:
    // Any text; kept trimmed, unquoted and upper-cased.
    static ValueSpec text(std::string_view initial);
    // One of the keywords (SCPI notation, "TTLTrg#" takes a suffix 0..7); answered in short form.
    static ValueSpec choice(std::vector<std::string> keywords, std::string_view initial);
    // ON, OFF, 1 or 0; answered as 1 or 0.
    static ValueSpec boolean(bool initial);
    // A number with an optional unit suffix, or MIN, MAX, DEF.
    static ValueSpec real(double initial, double minimum, double maximum);
    // A whole number, or MIN, MAX, DEF.
    static ValueSpec integer(long initial, long minimum, long maximum);

    // The stored form of a sent value; throws ScpiError when the value is not accepted.
    std::string normalize(std::string_view sent) const;
    const std::string& initial() const { return initial_; }

private:
    enum class Kind { Text, Choice, Boolean, Real, Integer };

    explicit ValueSpec(Kind kind) : kind_(kind) {}

    std::string normalizeChoice(const std::string& value) const;
    std::string normalizeBoolean(const std::string& value) const;
    std::string normalizeNumber(const std::string& value) const;
    double namedNumber(const std::string& value) const;

    Kind kind_;
    std::vector<std::string> keywords_;
    double minimum_ = 0.0;
    double maximum_ = 0.0;
    double default_ = 0.0;
    std::string initial_;
};

// A number with an optional SCPI unit suffix ("10MS", "1.5KHZ"), in base units;
// throws ScpiError (data type error) for anything else.
double parseScpiNumber(std::string_view text);

}  // namespace sim
