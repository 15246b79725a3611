#include "sim/status_registers.h"

namespace sim {

namespace {

constexpr int kQueryErrorBit = 4;
constexpr int kDeviceErrorBit = 8;
constexpr int kExecutionErrorBit = 16;
constexpr int kCommandErrorBit = 32;

constexpr int kByteErrorQueued = 4;
constexpr int kByteQuestionable = 8;
constexpr int kByteStandardEvent = 32;
constexpr int kByteOperation = 128;

int standardEventBitFor(int code) {
    if (code <= -100 && code > -200) {
        return kCommandErrorBit;
    }
    if (code <= -200 && code > -300) {
        return kExecutionErrorBit;
    }
    if (code <= -400 && code > -500) {
        return kQueryErrorBit;
    }
    return kDeviceErrorBit;
}

int take(int& reg) {
    const int value = reg;
    reg = 0;
    return value;
}

}  // namespace

void StatusRegisters::setOperationCondition(int bits) {
    operationEvent_ |= bits & ~operationCondition_;
    operationCondition_ = bits;
}

int StatusRegisters::takeOperationEvent() {
    return take(operationEvent_);
}

void StatusRegisters::setQuestionable(int bits, bool on) {
    const int condition = on ? (questionableCondition_ | bits) : (questionableCondition_ & ~bits);
    questionableEvent_ |= condition & ~questionableCondition_;
    questionableCondition_ = condition;
}

int StatusRegisters::takeQuestionableEvent() {
    return take(questionableEvent_);
}

void StatusRegisters::noteError(int code) {
    if (code != 0) {
        standardEvent_ |= standardEventBitFor(code);
    }
}

int StatusRegisters::takeStandardEvent() {
    return take(standardEvent_);
}

int StatusRegisters::statusByte(bool errorQueued) const {
    int byte = errorQueued ? kByteErrorQueued : 0;
    if ((questionableEvent_ & questionableEnable_) != 0) {
        byte |= kByteQuestionable;
    }
    if ((standardEvent_ & standardEventEnable_) != 0) {
        byte |= kByteStandardEvent;
    }
    if ((operationEvent_ & operationEnable_) != 0) {
        byte |= kByteOperation;
    }
    return byte;
}

void StatusRegisters::clearEvents() {
    operationEvent_ = 0;
    questionableEvent_ = 0;
    standardEvent_ = 0;
}

void StatusRegisters::reset() {
    *this = StatusRegisters();
}

}  // namespace sim
