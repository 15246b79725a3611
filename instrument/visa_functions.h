#pragma once
// The VISA functions that discovery calls, bound from the loaded library.

#include <optional>
#include <string>

#include "instrument/loaded_library.h"
#include "instrument/visa_api.h"

struct VisaFunctions {
    ViOpenDefaultRMFn openDefaultRM = nullptr;
    ViFindRsrcFn findRsrc = nullptr;
    ViFindNextFn findNext = nullptr;
    ViOpenFn open = nullptr;
    ViGetAttributeFn getAttribute = nullptr;
    ViWriteFn write = nullptr;
    ViReadFn read = nullptr;
    ViCloseFn close = nullptr;
    ViFlushFn flush = nullptr;  // looked up, never called
};

// Binds every function; the first missing export's name otherwise.
std::optional<std::string> BindVisaFunctions(LoadedLibrary& library, VisaFunctions& functions);
