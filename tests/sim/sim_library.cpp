#include "tests/sim/sim_library.h"

#include <dlfcn.h>

#include <stdexcept>

namespace simtest {

std::string libraryPath(const std::string& fileName) {
    return std::string(SIM_LIBRARY_DIR) + "/" + fileName;
}

SimLibrary::SimLibrary(const std::string& path)
    : handle_(dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL)) {
    if (handle_ == nullptr) {
        throw std::runtime_error(std::string("cannot load ") + path + ": " + dlerror());
    }
}

SimLibrary::~SimLibrary() {
    dlclose(handle_);
}

bool SimLibrary::exports(const char* name) const {
    return dlsym(handle_, name) != nullptr;
}

void* SimLibrary::symbol(const char* name) const {
    void* found = dlsym(handle_, name);
    if (found == nullptr) {
        throw std::runtime_error(std::string("missing export ") + name);
    }
    return found;
}

int SimLibrary::control(const std::string& directive) const {
    using Control = int (*)(const char*);
    return function<Control>("qot7720_sim_control")(directive.c_str());
}

DriverApi::DriverApi(const SimLibrary& library)
    : init(library.function<Qot7720InitFn>("qot7720_init")),
      timeOut(library.function<Qot7720TimeOutFn>("qot7720_timeOut")),
      errorQueryDetect(library.function<Qot7720ErrorQueryDetectFn>("qot7720_errorQueryDetect")),
      cmd(library.function<Qot7720CmdFn>("qot7720_cmd")),
      cmdStringQ(library.function<Qot7720CmdStringQFn>("qot7720_cmdString_Q")),
      cmdInt32Q(library.function<Qot7720CmdInt32QFn>("qot7720_cmdInt32_Q")),
      cmdReal64Q(library.function<Qot7720CmdReal64QFn>("qot7720_cmdReal64_Q")),
      readCvtQ(library.function<Qot7720ReadCvtQFn>("qot7720_readCVT_Q")),
      readFifoQ(library.function<Qot7720ReadFifoQFn>("qot7720_readFifo_Q")),
      readFifoFastQ(library.function<Qot7720ReadFifoFastQFn>("qot7720_readFifoFast_Q")),
      selfTest(library.function<Qot7720SelfTestFn>("qot7720_self_test")),
      errorQuery(library.function<Qot7720ErrorQueryFn>("qot7720_error_query")),
      errorMessage(library.function<Qot7720ErrorMessageFn>("qot7720_error_message")),
      dcl(library.function<Qot7720DclFn>("qot7720_dcl")),
      downloadAlg(library.function<Qot7720DownloadAlgFn>("qot7720_downloadAlg")),
      algArray(library.function<Qot7720AlgArrayFn>("qot7720_algArray")),
      revisionQuery(library.function<Qot7720RevisionQueryFn>("qot7720_revision_query")) {}

VisaApi::VisaApi(const SimLibrary& library)
    : openDefaultRm(library.function<ViOpenDefaultRMFn>("viOpenDefaultRM")),
      findRsrc(library.function<ViFindRsrcFn>("viFindRsrc")),
      findNext(library.function<ViFindNextFn>("viFindNext")),
      open(library.function<ViOpenFn>("viOpen")),
      getAttribute(library.function<ViGetAttributeFn>("viGetAttribute")),
      write(library.function<ViWriteFn>("viWrite")),
      read(library.function<ViReadFn>("viRead")),
      close(library.function<ViCloseFn>("viClose")),
      flush(library.function<ViFlushFn>("viFlush")) {}

const SimLibrary& driverLibrary() {
    static const SimLibrary library(libraryPath("libqot7720_32.so"));
    return library;
}

const SimLibrary& visaLibrary() {
    static const SimLibrary library(libraryPath("libvisa.so"));
    return library;
}

const DriverApi& driverApi() {
    static const DriverApi api(driverLibrary());
    return api;
}

const VisaApi& visaApi() {
    static const VisaApi api(visaLibrary());
    return api;
}

}  // namespace simtest
