#pragma once
// The program's numbered strings. Texts are kept exactly as the operator has
// always seen them, typos included.

#include <QList>
#include <QString>

namespace strings {

constexpr int kSelfTestPassed = 3;
constexpr int kStatusPanel = 6;
constexpr int kMainPanel = 7;
constexpr int kTimeOut = 8;
constexpr int kInstrumentReportsError = 9;
constexpr int kExpectedIdentification = 12;
constexpr int kTriggerArmPanel = 14;
constexpr int kTrigSourceList = 15;
constexpr int kTrigSourceTitle = 16;
constexpr int kTrigTtltList = 17;
constexpr int kTrigTtltTitle = 18;
constexpr int kArmSourceList = 19;
constexpr int kArmSourceTitle = 20;
constexpr int kArmTtltTitle = 21;
constexpr int kScpMap = 22;
constexpr int kControllerTitle = 67;
constexpr int kCvtCaption = 68;
constexpr int kFifoData = 70;
constexpr int kGetProcAddressFailure = 71;
constexpr int kEmulated = 72;
constexpr int kDeviceWaitingForTrigger = 79;
constexpr int kTriggerCountOutOfRange = 88;
constexpr int kTrigTimerOutOfRange = 89;
constexpr int kBaseValueOutOfRange = 117;
constexpr int kInputOutputPanel = 119;
constexpr int kNoChannelsSelected = 120;
constexpr int kSensePanelTitle = 121;
constexpr int kSenseFunction = 122;
constexpr int kSensePanel = 123;
constexpr int kSourcePanel = 124;
constexpr int kAlgorithmPanel = 125;
constexpr int kCouldNotOpenFile = 126;
constexpr int kSelfTestQuestion = 127;
constexpr int kCannotExitInAutoUpdate = 128;
constexpr int kDriverNotLoaded = 130;
constexpr int kVisaNotFound = 131;
constexpr int kNoInstrumentFound = 132;
constexpr int kFifoElementsCaption = 133;
constexpr int kNotTextFile = 140;
constexpr int kCouldNotWriteFile = 141;
constexpr int kNotSavableAsText = 142;
constexpr int kNotANumber = 150;
constexpr int kTriggerCountNotWhole = 160;
constexpr int kBadChannelList = 161;
constexpr int kUnknownUnit = 162;
constexpr int kErrorsWaiting = 163;
constexpr int kCancelSelfTestQuestion = 164;
constexpr int kSelfTestCancelled = 165;
constexpr int kSelfTestRunning = 166;
constexpr int kCalibrationRunning = 167;
constexpr int kStopAutoUpdateAndExit = 168;
constexpr int kErrorAlreadyRead = 170;
constexpr int kApplicationTitle = 5006;
constexpr int kFifoEmpty = 5007;
constexpr int kReadFromFifo = 5008;
constexpr int kRemainingInFifo = 5009;
constexpr int kMessageCaption = 57344;
constexpr int kMemoryAllocationFailed = 59142;

// The text of string `id`; an unknown number gives the empty text.
QString LoadString(int id);

// Every number the table holds, in ascending order.
QList<int> StringIds();

}  // namespace strings
