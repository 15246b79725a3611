#pragma once
// Runs one user action that touches the instrument. On an instrument failure
// the status is fetched (which clears it) and shown to the operator.

#include <QString>
#include <functional>

#include "instrument/io_record.h"

class InstrumentSession;

// How a scope treats a call whose one fault is that errors wait in the
// instrument's error queue.
enum class QueuedErrors {
    Report,  // a failure: each queued error is shown in its own box
    // The call's answer counts and the errors stay queued, for a page that
    // reads the queue entry by entry; one note says that errors are waiting.
    Leave,
};

// True when `action` completed; false after a reported failure.
bool RunInFailureScope(InstrumentSession& session, const std::function<void()>& action,
                       QueuedErrors queued = QueuedErrors::Report);

// The same on the application's session.
bool RunInFailureScope(const std::function<void()>& action,
                       QueuedErrors queued = QueuedErrors::Report);
// The same, also handing back the status of a failure (0 on success).
bool RunInFailureScope(const std::function<void()>& action, int& failedStatus);

// Shows the operator what a failed operation's status means: each queued
// instrument error in its own box, "Reentrant", "Time Out !" or the driver's
// text. From a worker thread the report is shown on the user-interface thread
// and the worker waits until the operator has dismissed it. Each box adds a
// line naming the failed call and its origin: by default the calling
// thread's last failed call.
void ReportInstrumentError(int status, iorecord::FailedCall call = iorecord::TakeFailedCall());

// The report of a failed auto-update cycle: as ReportInstrumentError, but each
// box also offers "Stop Auto Update", so that the operator can end a cycle
// that fails every time from inside the flood of its reports. `call` is the
// worker's failed call, taken on the worker's thread.
void ReportAutoUpdateFailure(int status, const iorecord::FailedCall& call);

// The line a report adds: "while sending INP:GAIN 8,(@100) from
// Input/Output · :GAIN:", and the valid range of a refused argument where
// the program knows it. Empty when no call is named.
QString FailedCallText(int status, const iorecord::FailedCall& call);

// What System > Auto Update does when it switches auto update off: the check
// mark goes and a running cycle is asked to stop.
void SwitchAutoUpdateOff();
