#include "sim/scpi_error.h"

#include <map>

namespace sim {

std::string standardErrorMessage(int code) {
    static const std::map<int, std::string> messages = {
        {scpi::kCommandError, "Command error"},
        {scpi::kSyntaxError, "Syntax error"},
        {scpi::kDataTypeError, "Data type error"},
        {scpi::kParameterNotAllowed, "Parameter not allowed"},
        {scpi::kMissingParameter, "Missing parameter"},
        {scpi::kUndefinedHeader, "Undefined header"},
        {scpi::kHeaderSuffixOutOfRange, "Header suffix out of range"},
        {scpi::kTriggerIgnored, "Trigger ignored"},
        {scpi::kInitIgnored, "Init ignored"},
        {scpi::kDataOutOfRange, "Data out of range"},
        {scpi::kIllegalParameterValue, "Illegal parameter value"},
        {scpi::kCalibrationFailed, "Calibration failed"},
        {scpi::kSelfTestFailed, "Self-test failed"},
        {scpi::kQueueOverflow, "Queue overflow"},
        {scpi::kQueryUnterminated, "Query UNTERMINATED"},
    };
    const auto found = messages.find(code);
    return found == messages.end() ? std::string("Error") : found->second;
}

}  // namespace sim
