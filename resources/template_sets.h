#pragma once
// The groups of templates that make up the table in dialog_template.cpp.

#include <vector>

#include "resources/dialog_template.h"

namespace templates {

std::vector<DialogTemplate> PageTemplates();             // the ten panel pages, from the four below
std::vector<DialogTemplate> MeasurementPageTemplates();  // main, status, trigger/arm, FIFO
std::vector<DialogTemplate> ScpPageTemplates();          // SCP map, input/output
std::vector<DialogTemplate> SensePageTemplates();        // sense function, sense, source
std::vector<DialogTemplate> AlgorithmPageTemplates();    // algorithm
std::vector<DialogTemplate>
SystemDialogTemplates();  // About, Select Instrument, Trigger wait, algorithm dialogs
std::vector<DialogTemplate> ControlDialogTemplates();  // channel selector, progress dialogs

}  // namespace templates
