#pragma once
// Menu 102 of the main window and its command identifiers.

#include <string>
#include <vector>

namespace menus {

constexpr int kMainMenu = 102;

enum Command : int {
    kSelfTest = 32771,
    kSynchronize = 32772,
    kAutoUpdate = 32773,
    kReset = 32774,
    kHelpContents = 32775,
    kAbout = 32776,
    kMainPanel = 32777,
    kStatusPanel = 32778,
    kTriggerPanel = 32779,
    kScpMapPanel = 32780,
    kFifoPanel = 32786,
    kClose = 32788,
    kInputOutputPanel = 32789,
    kSenseFunctionPanel = 32790,
    kSensePanel = 32791,
    kSourcePanel = 32792,
    kAlgorithmPanel = 32793,
};

constexpr int kSeparator = 0;

struct MenuItem {
    std::string text;  // '&' marks the mnemonic
    int command = kSeparator;
    int panelNameString = 0;  // Panels items: string number of the panel's name
};

struct Menu {
    std::string title;
    std::vector<MenuItem> items;
};

// System, Panels and Help, in menu-bar order.
const std::vector<Menu>& MainMenu();

}  // namespace menus
