#include "instrument/driver_functions.h"

#include "instrument/symbol_table.h"

namespace {

using D = DriverFunctions;
using O = DriverOpenFunctions;

const SymbolEntry<O> kOpenSymbols[] = {
    {"qot7720_init", &BindSlot<&O::init>},
    {"qot7720_timeOut", &BindSlot<&O::timeOut>},
    {"qot7720_errorQueryDetect", &BindSlot<&O::errorQueryDetect>},
};

const SymbolEntry<D> kDriverSymbols[] = {
    {"qot7720_self_test", &BindSlot<&D::selfTest>},
    {"qot7720_cmd", &BindSlot<&D::cmd>},
    {"qot7720_cmdString_Q", &BindSlot<&D::cmdStringQ>},
    {"qot7720_cmdInt32_Q", &BindSlot<&D::cmdInt32Q>},
    {"qot7720_readCVT_Q", &BindSlot<&D::readCvtQ>},
    {"qot7720_readFifoFast_Q", &BindSlot<&D::readFifoFastQ>},
    {"qot7720_readFifo_Q", &BindSlot<&D::readFifoQ>},
    {"qot7720_cmdReal64_Q", &BindSlot<&D::cmdReal64Q>},
    {"qot7720_error_message", &BindSlot<&D::errorMessage>},
    {"qot7720_error_query", &BindSlot<&D::errorQuery>},
    {"qot7720_timeOut", &BindSlot<&D::timeOut>},
    {"qot7720_dcl", &BindSlot<&D::dcl>},
    {"qot7720_downloadAlg", &BindSlot<&D::downloadAlg>},
    {"qot7720_algArray", &BindSlot<&D::algArray>},
    {"qot7720_revision_query", &BindSlot<&D::revisionQuery>},
};

}  // namespace

std::optional<std::string> BindDriverOpenFunctions(LoadedLibrary& library,
                                                   DriverOpenFunctions& functions) {
    return ResolveSymbols(library, kOpenSymbols, functions);
}

std::optional<std::string> BindDriverFunctions(LoadedLibrary& library, DriverFunctions& functions) {
    return ResolveSymbols(library, kDriverSymbols, functions);
}
