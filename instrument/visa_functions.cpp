#include "instrument/visa_functions.h"

#include "instrument/symbol_table.h"

namespace {

using V = VisaFunctions;

const SymbolEntry<V> kVisaSymbols[] = {
    {"viOpenDefaultRM", &BindSlot<&V::openDefaultRM>},
    {"viFindRsrc", &BindSlot<&V::findRsrc>},
    {"viFindNext", &BindSlot<&V::findNext>},
    {"viOpen", &BindSlot<&V::open>},
    {"viGetAttribute", &BindSlot<&V::getAttribute>},
    {"viWrite", &BindSlot<&V::write>},
    {"viRead", &BindSlot<&V::read>},
    {"viClose", &BindSlot<&V::close>},
    {"viFlush", &BindSlot<&V::flush>},
};

}  // namespace

std::optional<std::string> BindVisaFunctions(LoadedLibrary& library, VisaFunctions& functions) {
    return ResolveSymbols(library, kVisaSymbols, functions);
}
