#pragma once
// One list of exported names drives the lookup of a whole set of library
// functions: each entry names the export and the field of the function set
// that receives it.

#include <QLibrary>
#include <optional>
#include <string>

#include "instrument/loaded_library.h"

template <typename Functions>
struct SymbolEntry {
    const char* name;
    void (*bind)(Functions& functions, QFunctionPointer address);
};

namespace symbol_detail {
template <typename Member>
struct MemberTraits;
template <typename Class, typename Field>
struct MemberTraits<Field Class::*> {
    using Owner = Class;
    using Type = Field;
};
}  // namespace symbol_detail

// Stores an exported address into the function-pointer field `Slot`.
template <auto Slot>
void BindSlot(typename symbol_detail::MemberTraits<decltype(Slot)>::Owner& functions,
              QFunctionPointer address) {
    using Field = typename symbol_detail::MemberTraits<decltype(Slot)>::Type;
    functions.*Slot = reinterpret_cast<Field>(address);
}

// Looks every entry up in order; the name of the first missing export, or
// nothing when all were found.
template <typename Functions, std::size_t Count>
std::optional<std::string> ResolveSymbols(LoadedLibrary& library,
                                          const SymbolEntry<Functions> (&table)[Count],
                                          Functions& functions) {
    for (const SymbolEntry<Functions>& entry : table) {
        const QFunctionPointer address = library.Resolve(entry.name);
        if (address == nullptr) {
            return std::string(entry.name);
        }
        entry.bind(functions, address);
    }
    return std::nullopt;
}
