#pragma once
// A started front panel for shell and panel tests: one application object,
// dialogs recorded, and a recording session given before start-up so that
// binding leaves it in place.

#include <gtest/gtest.h>

#include <QPointer>
#include <memory>

#include "app/main_wnd.h"
#include "app/sfp_app.h"
#include "recording_dialogs.h"
#include "recording_session.h"

class AppFixture : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Creates the main window and runs its start-up; false when it ended the program.
    bool Start();

    // The current panel's page, or null.
    QWidget* CurrentPage() const;

    ScopedRecordingDialogs dialogs;
    std::unique_ptr<CSfpApp> app;
    RecordingSession* session = nullptr;  // owned by the application
    QPointer<CMainWnd> mainWindow;
};
