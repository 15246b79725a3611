#include "app/readings_chart_loader.h"

#include <QCoreApplication>
#include <QDir>
#include <memory>

#include "instrument/loaded_library.h"

namespace {

constexpr const char* kModuleName = "qot7720-sfp-chart.so";

struct ChartModule {
    std::unique_ptr<LoadedLibrary> library;  // kept loaded for the program's life
    ReadingsChartFactory factory = nullptr;
};

ChartModule& Module() {
    static ChartModule module;
    return module;
}

// Beside the program in a build folder; in its library folder once installed.
QStringList ModulePaths() {
    const QDir programFolder(QCoreApplication::applicationDirPath());
    return {programFolder.filePath(kModuleName),
            QDir::cleanPath(
                programFolder.filePath(QStringLiteral(SFP_CHART_FROM_BIN "/") + kModuleName))};
}

}  // namespace

ReadingsChartFactory ReadingsChartFactoryOrError(QString& error) {
    ChartModule& module = Module();
    if (module.factory != nullptr) {
        return module.factory;
    }
    QString loaderMessage;
    std::unique_ptr<LoadedLibrary> library =
        LoadedLibrary::LoadFirst(ModulePaths(), &loaderMessage, QLibrary::ResolveAllSymbolsHint);
    if (!library) {
        error = QStringLiteral("The Readings Chart could not be loaded: %1").arg(loaderMessage);
        return nullptr;
    }
    using Entry = ReadingsChartFactory (*)();
    const auto entry = reinterpret_cast<Entry>(library->Resolve(kReadingsChartEntry));
    if (entry == nullptr) {
        error = QStringLiteral("The Readings Chart could not be loaded: %1 has no %2.")
                    .arg(library->FileName(), QString::fromLatin1(kReadingsChartEntry));
        return nullptr;
    }
    module.library = std::move(library);
    module.factory = entry();
    return module.factory;
}

void UseLinkedReadingsChart(ReadingsChartFactory factory) {
    Module().factory = factory;
}
