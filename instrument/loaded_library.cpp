#include "instrument/loaded_library.h"

LoadedLibrary::LoadedLibrary(const QString& name) : library_(name) {
#ifdef SFP_SANITIZER_BUILD
    library_.setLoadHints(QLibrary::PreventUnloadHint);
#endif
}

LoadedLibrary::~LoadedLibrary() {
    library_.unload();
}

bool LoadedLibrary::Load() {
    return library_.load();
}

std::unique_ptr<LoadedLibrary> LoadedLibrary::LoadFirst(const QStringList& names,
                                                        QString* loaderMessage) {
    for (const QString& name : names) {
        std::unique_ptr<LoadedLibrary> library(new LoadedLibrary(name));
        if (library->Load()) {
            return library;
        }
        if (loaderMessage != nullptr) {
            *loaderMessage = library->library_.errorString();
        }
    }
    return nullptr;
}

QFunctionPointer LoadedLibrary::Resolve(const char* name) {
    return library_.resolve(name);
}
