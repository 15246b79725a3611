#pragma once
// The binding options of the command line: "/a" or "-a" followed by a
// resource name, "/n" or "-n", "/r" or "-r", found anywhere and in either case.

#include <QString>
#include <optional>

struct CommandLineOptions {
    // The resource to use without discovery, upper-cased.
    std::optional<QString> address;
    // Accept every resource without identifying it, and always ask.
    bool acceptAll = false;
    // Ask the driver to reset the instrument when it opens the session.
    bool reset = false;
};

CommandLineOptions ParseCommandLine(const QString& commandLine);
