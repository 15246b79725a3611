// The live instrument's way into the driver: the busy guard, the per-thread
// last status, the I/O record of every driver call, and the four call shapes
// (command, text, integer and real query) that the operations build on.

#include <array>
#include <cstdio>
#include <vector>

#include "instrument/io_record.h"
#include "instrument/live_instrument.h"
#include "instrument/queued_errors.h"
#include "instrument/user_exception.h"

using std::string;

namespace {

// The calling thread's last status, and the instrument it belongs to.
struct ThreadStatus {
    const void* owner = nullptr;
    int status = 0;
};
thread_local ThreadStatus threadStatus;

std::int64_t NowTicks() {
    return iorecord::ClockTicks();
}

void RecordCall(const char* function, std::string_view sent, std::int64_t startTicks,
                std::int64_t endTicks, ViStatus status, const iorecord::IoAnswer& answer) {
    iorecord::IoCall call;
    call.startTicks = startTicks;
    call.endTicks = endTicks;
    call.thread = iorecord::CurrentCallThread();
    call.origin = iorecord::CurrentOrigin();
    call.function = function;
    call.sent = sent;
    call.answer = answer.text;
    call.numbers = answer.numbers;
    call.status = status;
    iorecord::Record().Append(call);
}

// Kept whether or not the record is on: the failure's report names the call.
void NoteFailure(const char* function, std::string_view sent) {
    iorecord::NoteFailedCall({function, string(sent), iorecord::CurrentOrigin()});
}

string StatusText(int status) {
    std::array<char, 16> text{};
    std::snprintf(text.data(), text.size(), "0x%08X", static_cast<unsigned>(status));
    return string(text.data());
}

}  // namespace

std::int64_t LiveInstrument::EnterDriver(const char* function, std::string_view sent) {
    int idle = 0;
    // Test and set in one step: two threads never both pass.
    if (!busyFlag.compare_exchange_strong(idle, 1)) {
        Refuse(function, sent, driver::kBusy);
    }
    SetLastStatus(0);
    return iorecord::Record().Recording() ? NowTicks() : 0;
}

void LiveInstrument::LeaveDriver(const char* function, std::string_view sent,
                                 std::int64_t startTicks, ViStatus status,
                                 iorecord::IoAnswer answer) {
    const std::int64_t endTicks = startTicks != 0 ? NowTicks() : 0;
    SetLastStatus(status);
    busyFlag.store(0);
    if (startTicks != 0) {
        RecordCall(function, sent, startTicks, endTicks, status, answer);
    }
    // A page that reads the error queue itself takes the answer of a call
    // whose one fault is that errors wait there.
    if (status < 0 &&
        !(status == driver::kInstrumentErrorQueued && LeaveQueuedErrors::LetThrough())) {
        NoteFailure(function, sent);
        throw UserException{};
    }
}

void LiveInstrument::Refuse(const char* function, std::string_view sent, ViStatus status) {
    SetLastStatus(status);
    if (iorecord::Record().Recording()) {
        const std::int64_t now = NowTicks();
        RecordCall(function, sent, now, now, status, {});
    }
    NoteFailure(function, sent);
    throw UserException{};
}

void LiveInstrument::SetLastStatus(int status) {
    threadStatus = ThreadStatus{this, status};
}

int LiveInstrument::GetLastStatus() {
    const int status = threadStatus.owner == this ? threadStatus.status : 0;
    threadStatus.status = 0;
    return status;
}

void LiveInstrument::Command(const string& command) {
    Guarded("qot7720_cmd", command, [&] { return driver_.cmd(Session(), command.c_str()); });
}

string LiveInstrument::QueryText(const string& query, int answerSize) {
    std::vector<ViChar> answer(static_cast<std::size_t>(answerSize) + 1, '\0');
    Guarded(
        "qot7720_cmdString_Q", query,
        [&] { return driver_.cmdStringQ(Session(), query.c_str(), answerSize, answer.data()); },
        [&] {
            answer.back() = '\0';
            return string(answer.data());
        });
    answer.back() = '\0';
    return string(answer.data());
}

int LiveInstrument::QueryInteger(const string& query) {
    ViInt32 answer = 0;
    Guarded(
        "qot7720_cmdInt32_Q", query,
        [&] { return driver_.cmdInt32Q(Session(), query.c_str(), &answer); },
        [&] { return iorecord::AnswerNumbers::Integer(answer); });
    return answer;
}

double LiveInstrument::QueryReal(const string& query) {
    ViReal64 answer = 0.0;
    Guarded(
        "qot7720_cmdReal64_Q", query,
        [&] { return driver_.cmdReal64Q(Session(), query.c_str(), &answer); },
        [&] { return iorecord::AnswerNumbers::Real(answer); });
    return answer;
}

// Not guarded: a report reads the queue while the failed call's caller waits,
// and must not be refused as busy. Recorded all the same.
Text LiveInstrument::QueryErrorQueue(int& code) {
    ViInt32 queued = 0;
    std::array<ViChar, driver::kErrorQueryMessageLength + 1> message{};
    const std::int64_t startTicks = iorecord::Record().Recording() ? NowTicks() : 0;
    const ViStatus status = driver_.errorQuery(Session(), &queued, message.data());
    message.back() = '\0';
    SetLastStatus(status);
    string text(message.data());
    if (startTicks != 0) {
        RecordCall("qot7720_error_query", {}, startTicks, NowTicks(), status,
                   std::to_string(queued) + ", " + text);
    }
    // A failed query reports an empty queue, so that a report never loops.
    code = status < 0 ? 0 : queued;
    return text;
}

Text LiveInstrument::GetErrorMessage(int status) {
    std::array<ViChar, driver::kErrorMessageLength + 1> message{};
    const std::int64_t startTicks = iorecord::Record().Recording() ? NowTicks() : 0;
    const ViStatus result = driver_.errorMessage(Session(), status, message.data());
    message.back() = '\0';
    if (startTicks != 0) {
        RecordCall("qot7720_error_message", StatusText(status), startTicks, NowTicks(), result,
                   result < 0 ? string() : string(message.data()));
    }
    if (result < 0) {
        return std::nullopt;
    }
    return string(message.data());
}

Text LiveInstrument::LookUpErrorMessage(int status) {
    std::array<ViChar, driver::kErrorMessageLength + 1> message{};
    const auto text = [&message] {
        message.back() = '\0';
        return string(message.data());
    };
    Guarded(
        "qot7720_error_message", StatusText(status),
        [&] { return driver_.errorMessage(Session(), status, message.data()); }, text);
    return text();
}
