#include "resources/menu_resource.h"

#include "resources/string_table.h"

namespace menus {

const std::vector<Menu>& MainMenu() {
    static const std::vector<Menu> menu = {
        {"&System",
         {
             {"Self &Test", kSelfTest},
             {"&Syncronize", kSynchronize},
             {"&Auto Update", kAutoUpdate},
             {"&Reset", kReset},
             {"", kSeparator},
             {"&Close", kClose},
         }},
        {"&Panels",
         {
             {"&Main Panel", kMainPanel, strings::kMainPanel},
             {"&Status ", kStatusPanel, strings::kStatusPanel},
             {"&Trigger", kTriggerPanel, strings::kTriggerArmPanel},
             {"S&CP map", kScpMapPanel, strings::kScpMap},
             {"&Input/Output", kInputOutputPanel, strings::kInputOutputPanel},
             {"Sense &Func", kSenseFunctionPanel, strings::kSenseFunction},
             {"&Sense", kSensePanel, strings::kSensePanel},
             {"S&ource/Cal/Misc", kSourcePanel, strings::kSourcePanel},
             {"&Algorithm", kAlgorithmPanel, strings::kAlgorithmPanel},
             {"&Fifo", kFifoPanel, strings::kFifoData},
         }},
        {"&Help",
         {
             {"&Help Contents", kHelpContents},
             {"", kSeparator},
             {"&About...", kAbout},
         }},
    };
    return menu;
}

}  // namespace menus
