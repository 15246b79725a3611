#pragma once
// Which of the discovered instruments binding uses: the only one, the only
// VXI one, or the operator's choice in the Select Instrument dialog.

#include <QString>
#include <QStringList>

struct InstrumentChoice {
    enum Outcome { Chosen, NoCandidate, Cancelled };
    Outcome outcome = NoCandidate;
    QString name;
};

// With `alwaysAsk` (the "/n" option) the operator chooses even among one.
InstrumentChoice ChooseInstrument(const QStringList& candidates, bool alwaysAsk);
