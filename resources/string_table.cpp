#include "resources/string_table.h"

#include <map>

namespace strings {
namespace {

const std::map<int, const char*>& Table() {
    static const std::map<int, const char*> table = {
        {kSelfTestPassed, "Self Test Passed."},
        {kStatusPanel, "Status Panel"},
        {kMainPanel, "Main Panel"},
        {kTimeOut, "Time Out !"},
        {kInstrumentReportsError, "Instrument reports error: %s"},
        {kExpectedIdentification, "QUORVALE-ORBANT,T7720"},
        {kTriggerArmPanel, "Trigger/Arm Panel"},
        {kTrigSourceList, "TTLT#SCP#IMM#HOLD#Timer#EXT#BUS#"},
        {kTrigSourceTitle, "Trig Source"},
        {kTrigTtltList, "TTLT 0#TTLT 1#TTLT 2#TTLT 3#TTL T4#TTLT 5#TTLT 6#TTLT 7#"},
        {kTrigTtltTitle, "Trig TTLT Src"},
        {kArmSourceList, "TTLT#SCP#IMM#HOLD#EXT#BUS#"},
        {kArmSourceTitle, "Arm Source"},
        {kArmTtltTitle, "Arm TTLT src"},
        {kScpMap, "SCP map"},
        {kControllerTitle, "QOT7720 Algorithmic Closed Loop Controller"},
        {kCvtCaption, "CVT for channels %d-%d:"},
        {kFifoData, "Fifo Data"},
        {kGetProcAddressFailure,
         "GetProcAddress Failure, qot7720_32.dll is corrupt or file acess is failing.  FATAL.."},
        {kEmulated, "EMULATED"},
        {kDeviceWaitingForTrigger,
         "Device is waiting for Trigger.  This device state is bogus and you may need to reset "
         "or use other panels to get the device into a known state (you may even need to power "
         "down)."},
        {kTriggerCountOutOfRange, "Trigger count is out of range!"},
        {kTrigTimerOutOfRange, "Trig timer value is out of range and cannot be set."},
        {kBaseValueOutOfRange, "Base value out of range, must be 10 to 502."},
        {kInputOutputPanel, "INPUT/OUTPUT PANEL"},
        {kNoChannelsSelected, "No channels have been selected.  Command not sent."},
        {kSensePanelTitle, "Sense Panel"},
        {kSenseFunction, "Sense Function"},
        {kSensePanel, "Sense Panel"},
        {kSourcePanel, "Source Panel"},
        {kAlgorithmPanel, "Algorithm Panel"},
        {kCouldNotOpenFile, "Could not open file."},
        {kSelfTestQuestion, "This can take five or more minutes Continue?"},
        {kCannotExitInAutoUpdate,
         "Cannot exit while in AutoUpdate mode.  Shutdown AutoUpdate then re-exit"},
        {kDriverNotLoaded,
         "'qot7720_32.dll' could not be loaded (does not exist or not installed correctly).  "
         "Soft Front Panel will execute in emulation mode."},
        {kVisaNotFound,
         "'visa32.dll' could not be found, or is not installed.  Soft Front Panel will execute "
         "in emulation mode."},
        {kNoInstrumentFound,
         "No 'QO T7720' could be found.  Soft Front Panel executing in emulation mode."},
        {kFifoElementsCaption, "Fifo elements %d through %d :"},
        {kNotTextFile,
         "This is not a plain text file (it holds a NUL byte or is not UTF-8 text).  The editor "
         "was left unchanged."},
        {kCouldNotWriteFile,
         "Could not write the whole file.  An existing file was left as it was."},
        {kNotSavableAsText,
         "The text holds a NUL character or a broken UTF-16 pair, which a plain text file cannot "
         "keep.  Nothing was written."},
        {kNotANumber, "\"%s\" is not a number.  Command not sent."},
        {kTriggerCountNotWhole,
         "\"%s\" is not a trigger count.  Type a whole number from 0 to 65535, or INF.  "
         "Command not sent."},
        {kErrorAlreadyRead,
         "The instrument reported an error, but its error queue is empty: the error was read "
         "already."},
        {kBadChannelList,
         "\"%s\" is not a channel list item.  Use channels 100 to 163, single or as ranges "
         "n:m, separated by commas.  Command not sent."},
        {kUnknownUnit,
         "\"%s\" has a unit this field does not read.  Type a number alone or followed by one "
         "of: %s.  Command not sent."},
        {kErrorsWaiting,
         "Errors are waiting in the instrument's error queue.  Read Error Queue shows them, one "
         "per press."},
        {kCancelSelfTestQuestion,
         "Cancelling the self test clears the instrument (DCL) and resets it (*RST): every "
         "setting returns to its reset value.  Cancel the self test?"},
        {kSelfTestCancelled, "Self test cancelled; the instrument was reset."},
        {kSelfTestRunning, "Self test in progress"},
        {kCalibrationRunning, "Calibration in progress: %s"},
        {kStopAutoUpdateAndExit, "Stop Auto Update and Exit"},
        {kApplicationTitle, "QOT7720 Soft Front Panel"},
        {kFifoEmpty, "Fifo is empty."},
        {kReadFromFifo, "Read from Fifo:  %d"},
        {kRemainingInFifo, "Remaining in Fifo:  %d  "},
        {kMessageCaption, "Qot7720 SFP"},
        {kMemoryAllocationFailed, "Memory allocation failed."},
    };
    return table;
}

}  // namespace

QString LoadString(int id) {
    const auto found = Table().find(id);
    if (found == Table().end()) {
        return {};
    }
    return QString::fromLatin1(found->second);
}

QList<int> StringIds() {
    QList<int> ids;
    for (const auto& entry : Table()) {
        ids.append(entry.first);
    }
    return ids;
}

}  // namespace strings
