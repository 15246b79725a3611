#include "instrument/instrument_choice.h"

#include "platform/operator_dialogs.h"

namespace {

InstrumentChoice Chosen(const QString& name) {
    return {InstrumentChoice::Chosen, name};
}

}  // namespace

InstrumentChoice ChooseInstrument(const QStringList& candidates, bool alwaysAsk) {
    if (candidates.isEmpty()) {
        return {InstrumentChoice::NoCandidate, QString()};
    }
    if (!alwaysAsk) {
        if (candidates.size() == 1) {
            return Chosen(candidates.first());
        }
        const QStringList vxi = candidates.filter(QStringLiteral("VXI"), Qt::CaseSensitive);
        if (vxi.size() == 1) {
            return Chosen(vxi.first());
        }
    }
    const std::optional<QString> selected = platform::Dialogs().SelectInstrument(candidates);
    if (!selected) {
        return {InstrumentChoice::Cancelled, QString()};
    }
    return Chosen(*selected);
}
