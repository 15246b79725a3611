#pragma once
// One simulated library loaded with dlopen, as the front panel loads it, and
// the typed entry points of the driver and VISA contracts.

#include <string>

#include "instrument/driver_api.h"
#include "instrument/visa_api.h"

namespace simtest {

// Full path of a library built into the build folder's sim/.
std::string libraryPath(const std::string& fileName);

class SimLibrary {
public:
    explicit SimLibrary(const std::string& path);  // throws std::runtime_error
    ~SimLibrary();
    SimLibrary(const SimLibrary&) = delete;
    SimLibrary& operator=(const SimLibrary&) = delete;

    bool exports(const char* name) const;
    // Throws std::runtime_error when the name is not exported.
    template <typename Function>
    Function function(const char* name) const {
        return reinterpret_cast<Function>(symbol(name));
    }
    // qot7720_sim_control of this library.
    int control(const std::string& directive) const;

private:
    void* symbol(const char* name) const;

    void* handle_;
};

struct DriverApi {
    explicit DriverApi(const SimLibrary& library);

    Qot7720InitFn init;
    Qot7720TimeOutFn timeOut;
    Qot7720ErrorQueryDetectFn errorQueryDetect;
    Qot7720CmdFn cmd;
    Qot7720CmdStringQFn cmdStringQ;
    Qot7720CmdInt32QFn cmdInt32Q;
    Qot7720CmdReal64QFn cmdReal64Q;
    Qot7720ReadCvtQFn readCvtQ;
    Qot7720ReadFifoQFn readFifoQ;
    Qot7720ReadFifoFastQFn readFifoFastQ;
    Qot7720SelfTestFn selfTest;
    Qot7720ErrorQueryFn errorQuery;
    Qot7720ErrorMessageFn errorMessage;
    Qot7720DclFn dcl;
    Qot7720DownloadAlgFn downloadAlg;
    Qot7720AlgArrayFn algArray;
    Qot7720RevisionQueryFn revisionQuery;
};

struct VisaApi {
    explicit VisaApi(const SimLibrary& library);

    ViOpenDefaultRMFn openDefaultRm;
    ViFindRsrcFn findRsrc;
    ViFindNextFn findNext;
    ViOpenFn open;
    ViGetAttributeFn getAttribute;
    ViWriteFn write;
    ViReadFn read;
    ViCloseFn close;
    ViFlushFn flush;
};

// The libraries of the build, loaded once for the whole test program.
const SimLibrary& driverLibrary();
const SimLibrary& visaLibrary();
const DriverApi& driverApi();
const VisaApi& visaApi();

}  // namespace simtest
