#pragma once
// Where an operator's action came from, for the I/O record and for the
// report of a failed call: the page shown and the control used, as in
// "Input/Output · :FILT:FREQ Enter". Set once where an action starts.

#include <QString>
#include <optional>
#include <string>

#include "instrument/io_record.h"

class QWidget;

// "<page> · <action>", the page being the one the window shows.
std::string PageOrigin(const QString& action);

// "<page> · <control>[ <suffix>]": the control named by the label before it
// on its page and, for a button, its own text.
std::string ControlOrigin(const QWidget* control, const QString& suffix = {});

// An origin for an action that did not name one: the control that has the
// focus. Leaves an origin set further out in place.
class DefaultOriginScope {
public:
    DefaultOriginScope();

private:
    std::optional<iorecord::OriginScope> scope_;
};
