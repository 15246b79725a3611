#pragma once
// Merges the instrument's two answers about a scan list, one channel number
// and one module number per entry, into the module-grouped list the panels
// show: "(@1(0:63))", "(@2(105))", "(@1(100:101),1(105))".

#include <string>

// An empty channel answer gives "(@)".
std::string FormatModuleGroups(const std::string& channelAnswer, const std::string& moduleAnswer);
