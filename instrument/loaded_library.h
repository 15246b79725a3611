#pragma once
// One shared library loaded at run time, released when the object goes. In
// sanitizer builds the code stays mapped so that leak reports keep their stacks.

#include <QLibrary>
#include <QString>
#include <QStringList>
#include <memory>

class LoadedLibrary {
public:
    // The first of `names` that loads, or null when none does. Names are
    // full paths or plain file names for the loader's ordinary search path.
    // `loaderMessage`, when given, receives the loader's reason for the last
    // name that did not load. `hints` are the loader's (all symbols at
    // once, for one whose references must fail the load, not a later call).
    static std::unique_ptr<LoadedLibrary> LoadFirst(const QStringList& names,
                                                    QString* loaderMessage = nullptr,
                                                    QLibrary::LoadHints hints = {});

    ~LoadedLibrary();
    LoadedLibrary(const LoadedLibrary&) = delete;
    LoadedLibrary& operator=(const LoadedLibrary&) = delete;

    // The exported function `name`, or null when the library lacks it.
    QFunctionPointer Resolve(const char* name);
    QString FileName() const { return library_.fileName(); }

private:
    LoadedLibrary(const QString& name, QLibrary::LoadHints hints);
    bool Load();

    QLibrary library_;
};
