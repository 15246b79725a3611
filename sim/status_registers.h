#pragma once
// The IEEE 488.2 and SCPI status model: standard event register, operation and
// questionable condition/event/enable registers, and the status byte built
// from them.

namespace sim {

class StatusRegisters {
public:
    static constexpr int kOperationMeasuring = 16;        // operation bit 4
    static constexpr int kQuestionableCalibration = 256;  // questionable bit 8
    static constexpr int kStandardOperationComplete = 1;

    void setOperationCondition(int bits);
    int operationCondition() const { return operationCondition_; }
    int takeOperationEvent();
    void setOperationEnable(int bits) { operationEnable_ = bits; }
    int operationEnable() const { return operationEnable_; }

    void setQuestionable(int bits, bool on);
    int questionableCondition() const { return questionableCondition_; }
    int takeQuestionableEvent();
    void setQuestionableEnable(int bits) { questionableEnable_ = bits; }
    int questionableEnable() const { return questionableEnable_; }

    // Sets the standard event bit that belongs to an SCPI error number's class.
    void noteError(int code);
    void noteOperationComplete() { standardEvent_ |= kStandardOperationComplete; }
    int takeStandardEvent();
    void setStandardEventEnable(int bits) { standardEventEnable_ = bits; }
    int standardEventEnable() const { return standardEventEnable_; }

    int statusByte(bool errorQueued) const;

    void clearEvents();  // *CLS
    void reset();        // power-on state

private:
    int operationCondition_ = 0;
    int operationEvent_ = 0;
    int operationEnable_ = 0;
    int questionableCondition_ = 0;
    int questionableEvent_ = 0;
    int questionableEnable_ = 0;
    int standardEvent_ = 0;
    int standardEventEnable_ = 0;
};

}  // namespace sim
