#include "instrument/loaded_library.h"

LoadedLibrary::LoadedLibrary(const QString& name, QLibrary::LoadHints hints) : library_(name) {
#ifdef SFP_SANITIZER_BUILD
    hints |= QLibrary::PreventUnloadHint;
#endif
    library_.setLoadHints(hints);
}

LoadedLibrary::~LoadedLibrary() {
    library_.unload();
}

bool LoadedLibrary::Load() {
    return library_.load();
}

std::unique_ptr<LoadedLibrary> LoadedLibrary::LoadFirst(const QStringList& names,
                                                        QString* loaderMessage,
                                                        QLibrary::LoadHints hints) {
    for (const QString& name : names) {
        std::unique_ptr<LoadedLibrary> library(new LoadedLibrary(name, hints));
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
