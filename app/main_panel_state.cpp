#include "app/main_panel_state.h"

#include "app/reading_text.h"

std::atomic<int> stopWorker{0};

MainPanelState::MainPanelState() {
    for (auto& reading : readings) {
        reading.store(kNoReading);
    }
}
