#pragma once
// The driver library's functions as the front panel binds them: the three
// that open a session, and the fifteen that the live instrument calls.

#include <optional>
#include <string>

#include "instrument/driver_api.h"
#include "instrument/loaded_library.h"

struct DriverOpenFunctions {
    Qot7720InitFn init = nullptr;
    Qot7720TimeOutFn timeOut = nullptr;
    Qot7720ErrorQueryDetectFn errorQueryDetect = nullptr;
};

// In the order the live instrument looks them up.
struct DriverFunctions {
    Qot7720SelfTestFn selfTest = nullptr;
    Qot7720CmdFn cmd = nullptr;
    Qot7720CmdStringQFn cmdStringQ = nullptr;
    Qot7720CmdInt32QFn cmdInt32Q = nullptr;
    Qot7720ReadCvtQFn readCvtQ = nullptr;
    Qot7720ReadFifoFastQFn readFifoFastQ = nullptr;  // must exist; never called
    Qot7720ReadFifoQFn readFifoQ = nullptr;
    Qot7720CmdReal64QFn cmdReal64Q = nullptr;
    Qot7720ErrorMessageFn errorMessage = nullptr;
    Qot7720ErrorQueryFn errorQuery = nullptr;
    Qot7720TimeOutFn timeOut = nullptr;
    Qot7720DclFn dcl = nullptr;
    Qot7720DownloadAlgFn downloadAlg = nullptr;
    Qot7720AlgArrayFn algArray = nullptr;
    Qot7720RevisionQueryFn revisionQuery = nullptr;
};

// Binds every function of the set; the first missing export's name otherwise.
std::optional<std::string> BindDriverOpenFunctions(LoadedLibrary& library,
                                                   DriverOpenFunctions& functions);
std::optional<std::string> BindDriverFunctions(LoadedLibrary& library, DriverFunctions& functions);
