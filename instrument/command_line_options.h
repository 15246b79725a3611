#pragma once
// The binding options of the command line: "/a" or "-a" followed by a
// resource name, "/n" or "-n", "/r" or "-r", in either case. An option counts
// only as a whole word, so that a host name such as "lab-rack" sets nothing.

#include <QString>
#include <optional>

struct CommandLineOptions {
    // The resource to use without discovery: VXI and GPIB names upper-cased,
    // every other name (serial device paths, host names) as typed.
    std::optional<QString> address;
    // Accept every resource without identifying it, and always ask.
    bool acceptAll = false;
    // Ask the driver to reset the instrument when it opens the session.
    bool reset = false;
    // Why an option was refused (e.g. "-a" without a resource); empty when none was.
    QString problem;
};

CommandLineOptions ParseCommandLine(const QString& commandLine);
