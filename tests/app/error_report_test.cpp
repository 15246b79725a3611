// ReportInstrumentError: what the operator is shown for each kind of status,
// in order with the tick timer's stop and restart, and the hand-over from a
// worker thread to the user-interface thread.

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>
#include <atomic>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>

#include "app/failure_scope.h"
#include "app/sfp_app.h"
#include "instrument/driver_api.h"
#include "instrument/instrument_session.h"
#include "instrument/user_exception.h"
#include "platform/operator_dialogs.h"
#include "resources/string_table.h"

namespace {

using std::string;

// Everything the report does, in order, with the thread that did it.
class EventLog {
public:
    void Add(const QString& event) {
        std::lock_guard<std::mutex> lock(mutex_);
        events_.append(event);
        onUiThread_ = onUiThread_ && QThread::currentThread() == qApp->thread();
    }
    QStringList Events() const {
        std::lock_guard<std::mutex> lock(mutex_);
        return events_;
    }
    void Clear() {
        std::lock_guard<std::mutex> lock(mutex_);
        events_.clear();
    }
    bool AllOnUiThread() const {
        std::lock_guard<std::mutex> lock(mutex_);
        return onUiThread_;
    }

private:
    mutable std::mutex mutex_;
    QStringList events_;
    bool onUiThread_ = true;
};

class LoggingDialogs : public platform::OperatorDialogs {
public:
    explicit LoggingDialogs(EventLog& log) : log_(log) {}
    void ShowMessage(const QString& text) override {
        log_.Add(QStringLiteral("box: ") + text);
        if (whileShown) {
            whileShown();
        }
    }
    bool ShowMessageOfferingStop(const QString& text, const QString& stopLabel) override {
        log_.Add(QStringLiteral("box [%1]: ").arg(stopLabel) + text);
        return stopAnswer;
    }
    bool AskOkCancel(const QString&) override { return true; }
    void Beep() override { log_.Add(QStringLiteral("beep")); }
    std::optional<QString> ChooseOpenFile(const QString&, const QString&) override {
        return std::nullopt;
    }
    std::optional<QString> ChooseSaveFile(const QString&, const QString&, const QString&) override {
        return std::nullopt;
    }
    std::optional<QString> SelectInstrument(const QStringList&) override { return std::nullopt; }
    int RunModal(QDialog&) override { return 0; }
    void ShowHelpIndex() override {}

    // Runs while a box is "open", as the operator reads it.
    std::function<void()> whileShown;
    // The operator's answer to every box that offers a stop.
    bool stopAnswer = false;

private:
    EventLog& log_;
};

class LoggingHooks : public MainWindowHooks {
public:
    explicit LoggingHooks(EventLog& log) : log_(log) {}
    QWidget* Widget() override { return nullptr; }
    void AttachPage(QWidget&) override {}
    void SetSynchronizeAllowed(bool) override {}
    void StopTickTimer() override { log_.Add(QStringLiteral("stop timer")); }
    void StartTickTimer(int period) override {
        log_.Add(QStringLiteral("start timer %1").arg(period));
    }
    bool TickInProgress() const override { return false; }
    void SetAutoUpdateChecked(bool) override {}
    void Destroy() override {}

private:
    EventLog& log_;
};

// A session with an error queue and driver texts, as the live instrument has.
class ErrorSession : public InstrumentSession {
public:
    explicit ErrorSession(EventLog& log) : log_(log) {}
    void PrepareErrorReport() override { log_.Add(QStringLiteral("prepare")); }
    Text QueryErrorQueue(int& code) override {
        log_.Add(QStringLiteral("error query"));
        std::lock_guard<std::mutex> lock(mutex_);
        if (queue_.empty()) {
            code = 0;
            return string("+0,\"No error\"");
        }
        code = queue_.front().first;
        const string message = queue_.front().second;
        queue_.pop_front();
        return message;
    }
    Text GetErrorMessage(int) override {
        log_.Add(QStringLiteral("error message"));
        return driverText;
    }
    int GetLastStatus() override { return lastStatus.exchange(0); }
    void Queue(int code, const string& message) {
        std::lock_guard<std::mutex> lock(mutex_);
        queue_.emplace_back(code, message);
    }

    Text driverText;
    std::atomic<int> lastStatus{0};

private:
    EventLog& log_;
    std::mutex mutex_;
    std::deque<std::pair<int, string>> queue_;
};

class ErrorReportTest : public ::testing::Test {
protected:
    void SetUp() override {
        auto installed = std::make_unique<LoggingDialogs>(log);
        dialogs = installed.get();
        previousDialogs = platform::InstallDialogs(std::move(installed));
        auto owned = std::make_unique<ErrorSession>(log);
        session = owned.get();
        app.instrument = std::move(owned);
        app.mainWindow = &hooks;
    }
    void TearDown() override {
        app.mainWindow = nullptr;
        platform::InstallDialogs(std::move(previousDialogs));
    }

    void QueueThreeErrors() {
        session->Queue(-100, "-100,\"Command error\"");
        session->Queue(-222, "-222,\"Data out of range\"");
        session->Queue(-350, "-350,\"Queue overflow\"");
    }

    const QStringList threeErrorReport = {
        QStringLiteral("stop timer"),
        QStringLiteral("prepare"),
        QStringLiteral("error query"),
        QStringLiteral("beep"),
        QStringLiteral("box: Instrument reports error: -100,\"Command error\""),
        QStringLiteral("error query"),
        QStringLiteral("beep"),
        QStringLiteral("box: Instrument reports error: -222,\"Data out of range\""),
        QStringLiteral("error query"),
        QStringLiteral("beep"),
        QStringLiteral("box: Instrument reports error: -350,\"Queue overflow\""),
        QStringLiteral("error query"),
        QStringLiteral("start timer 300"),
    };

    EventLog log;
    LoggingHooks hooks{log};
    CSfpApp app;
    LoggingDialogs* dialogs = nullptr;
    ErrorSession* session = nullptr;
    std::unique_ptr<platform::OperatorDialogs> previousDialogs;
};

TEST_F(ErrorReportTest, EveryQueuedErrorGetsABeepAndABox) {
    QueueThreeErrors();
    ReportInstrumentError(driver::kInstrumentErrorQueued);
    EXPECT_EQ(log.Events(), threeErrorReport);
}

TEST_F(ErrorReportTest, BusyStatusShowsReentrant) {
    ReportInstrumentError(driver::kBusy);
    EXPECT_EQ(log.Events(),
              (QStringList{QStringLiteral("stop timer"), QStringLiteral("box: Reentrant"),
                           QStringLiteral("start timer 300")}));
}

TEST_F(ErrorReportTest, TimeOutIsShownOnce) {
    ReportInstrumentError(driver::kTimeout);
    EXPECT_EQ(log.Events(),
              (QStringList{QStringLiteral("stop timer"), QStringLiteral("prepare"),
                           QStringLiteral("box: Time Out !"), QStringLiteral("start timer 300")}));
}

TEST_F(ErrorReportTest, OtherStatusShowsTheDriverText) {
    session->driverText = string("Resource not present in the system");
    ReportInstrumentError(static_cast<int>(0xBFFF0011u));
    EXPECT_EQ(log.Events(),
              (QStringList{QStringLiteral("stop timer"), QStringLiteral("error message"),
                           QStringLiteral("box: Resource not present in the system"),
                           QStringLiteral("start timer 300")}));
}

TEST_F(ErrorReportTest, StatusWithoutDriverTextShowsNothing) {
    ReportInstrumentError(static_cast<int>(0xBFFC0999u));
    EXPECT_EQ(log.Events(),
              (QStringList{QStringLiteral("stop timer"), QStringLiteral("error message"),
                           QStringLiteral("start timer 300")}));
}

TEST_F(ErrorReportTest, QueuedStatusWithAnEmptyQueueStillSaysTheCallFailed) {
    session->driverText = string("The instrument reports an error; read its error queue");
    ReportInstrumentError(driver::kInstrumentErrorQueued,
                          {"qot7720_cmd", "INP:GAIN 8,(@100)", "Input/Output \u00b7 :GAIN:"});
    EXPECT_EQ(log.Events(),
              (QStringList{QStringLiteral("stop timer"), QStringLiteral("prepare"),
                           QStringLiteral("error query"),
                           "box: " + strings::LoadString(strings::kErrorAlreadyRead) +
                               "\nwhile sending INP:GAIN 8,(@100) from Input/Output \u00b7 :GAIN:",
                           QStringLiteral("start timer 300")}))
        << "the driver's text would send the operator to an empty queue";
}

// A failed auto-update cycle's boxes offer the stop; taking it switches auto
// update off as the menu does, and the rest of that report is shown plainly.
TEST_F(ErrorReportTest, AutoUpdateFailureOffersTheStopOnItsBoxes) {
    QueueThreeErrors();
    app.autoUpdate = true;
    app.readingMode.store(kAutoUpdateRunning);
    ReportAutoUpdateFailure(driver::kInstrumentErrorQueued, {});
    EXPECT_EQ(log.Events().filter(QStringLiteral("[Stop Auto Update]")).size(), 3);
    EXPECT_TRUE(app.autoUpdate) << "OK alone changes nothing";
    EXPECT_EQ(app.readingMode.load(), kAutoUpdateRunning);

    log.Clear();
    QueueThreeErrors();
    dialogs->stopAnswer = true;
    ReportAutoUpdateFailure(driver::kInstrumentErrorQueued, {});
    EXPECT_FALSE(app.autoUpdate);
    EXPECT_EQ(app.readingMode.load(), kAutoUpdateStopping);
    EXPECT_EQ(log.Events().filter(QStringLiteral("[Stop Auto Update]")).size(), 1);
    EXPECT_EQ(log.Events().filter(QStringLiteral("box: Instrument reports error")).size(), 2)
        << "the other errors are still shown";
}

// A worker's failure is shown on the user-interface thread, and the worker
// goes on only after the operator has dismissed the last box.
TEST_F(ErrorReportTest, WorkerThreadReportIsShownOnTheUiThreadAndWaitedFor) {
    QueueThreeErrors();
    std::atomic<bool> workerReturned{false};
    std::atomic<bool> returnedWhileShown{false};
    dialogs->whileShown = [&] {
        // The operator reads the box for a moment; the worker must still be waiting.
        QElapsedTimer reading;
        reading.start();
        while (reading.elapsed() < 30) {
            QCoreApplication::processEvents();
            returnedWhileShown = returnedWhileShown || workerReturned;
        }
    };
    bool completed = true;
    std::thread worker([&] {
        completed = RunInFailureScope(*session, [&] {
            session->lastStatus = driver::kInstrumentErrorQueued;
            throw UserException{};
        });
        workerReturned = true;
    });
    QElapsedTimer deadline;
    deadline.start();
    while (!workerReturned && deadline.elapsed() < 10000) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    worker.join();
    EXPECT_FALSE(completed);
    EXPECT_FALSE(returnedWhileShown);
    EXPECT_EQ(log.Events(), threeErrorReport);
    EXPECT_TRUE(log.AllOnUiThread());
}

}  // namespace
