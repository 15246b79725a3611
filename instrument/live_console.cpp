#include "instrument/live_instrument.h"

// The console's lines take the same guarded path as every panel's call, so
// they are refused while another call is inside the driver and recorded.

namespace {

// Room for the longest answers the instrument gives (scan lists, FIFO text).
constexpr int kConsoleAnswerSize = 16384;

}  // namespace

void LiveInstrument::ConsoleCommand(const std::string& text) {
    Command(text);
}

std::string LiveInstrument::ConsoleQuery(const std::string& text) {
    return QueryText(text, kConsoleAnswerSize);
}
