#include "app_fixture.h"

#include <QCoreApplication>

void AppFixture::SetUp() {
    app = std::make_unique<CSfpApp>();
    auto recording = std::make_unique<RecordingSession>();
    session = recording.get();
    app->instrument = std::move(recording);
}

void AppFixture::TearDown() {
    if (app) {
        app->readingMode.store(kReadingIdle);
    }
    delete mainWindow.data();
    // Windows closed during the test were only scheduled for deletion.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    app.reset();
}

bool AppFixture::Start() {
    mainWindow = new CMainWnd;
    return mainWindow->Initialize();
}

QWidget* AppFixture::CurrentPage() const {
    return app->currentPanel != nullptr ? app->currentPanel->Window() : nullptr;
}
