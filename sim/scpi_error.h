#pragma once
// The instrument's SCPI error numbers and their standard texts. Command
// handlers throw ScpiError; the instrument turns it into an error-queue entry.

#include <string>

namespace sim {

namespace scpi {
constexpr int kCommandError = -100;
constexpr int kSyntaxError = -102;
constexpr int kDataTypeError = -104;
constexpr int kParameterNotAllowed = -108;
constexpr int kMissingParameter = -109;
constexpr int kUndefinedHeader = -113;
constexpr int kHeaderSuffixOutOfRange = -114;
constexpr int kTriggerIgnored = -211;
constexpr int kInitIgnored = -213;
constexpr int kDataOutOfRange = -222;
constexpr int kIllegalParameterValue = -224;
constexpr int kCalibrationFailed = -240;
constexpr int kSelfTestFailed = -330;
constexpr int kQueueOverflow = -350;
constexpr int kQueryUnterminated = -420;
}  // namespace scpi

struct ScpiError {
    int code;
};

// The standard text for a code, or "Error" for codes without one.
std::string standardErrorMessage(int code);

}  // namespace sim
