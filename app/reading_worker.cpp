#include "app/reading_worker.h"

#include <algorithm>
#include <chrono>
#include <thread>

#include "app/main_panel_state.h"
#include "app/reading_text.h"
#include "instrument/instrument_session.h"
#include "instrument/io_record.h"
#include "instrument/user_exception.h"
#include "platform/tick_count.h"

void CopyReadings(MainPanelState& state, const std::optional<std::vector<double>>& values) {
    if (!values) {
        return;
    }
    const std::size_t count = std::min(values->size(), state.readings.size());
    for (std::size_t i = 0; i < count; ++i) {
        state.readings[i].store((*values)[i]);
    }
}

void RunReadingWorker(MainPanelState& state, InstrumentSession& instrument) {
    iorecord::SetCallThread(iorecord::CallThread::ReadingWorker);
    static const std::string kOrigin = "Main \u00b7 Auto Update";
    const iorecord::OriginScope origin(&kOrigin);
    state.workerState.store(kWorkerRunning);
    try {
        while (stopWorker.load() == 0) {
            {
                std::lock_guard<std::mutex> lock(state.instrumentLock);
                if ((instrument.QueryOperationCondition() & kMeasuringBit) == 0) {
                    const int base = state.baseChannel.load();
                    CopyReadings(state, instrument.ReadCvt(base, kReadingsShown));
                    state.readingsTimeMs.store(UtcNowMs());
                    state.readingsBase.store(base);
                    instrument.Initiate();
                    state.cycleTick.store(platform::TickCount());
                    state.workerState.store(kWorkerValuesReady);
                    return;
                }
            }
            // A short sleep rather than a bare yield keeps a fast instrument
            // from pinning a processor while it measures.
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        instrument.AbortMeasurement();
        state.workerState.store(kWorkerIdle);
    } catch (const UserException&) {
        state.failedCall = iorecord::TakeFailedCall();
        state.failedStatus.store(instrument.GetLastStatus());
        state.workerState.store(kWorkerFailed);
    }
}
