#include "app/main_panel_state.h"

std::atomic<int> stopWorker{0};

MainPanelState::MainPanelState() {
    for (auto& reading : readings) {
        reading.store(9.91e37);
    }
}
