// Pages that query the instrument while they open, against a simulated
// instrument whose first answer fails: the report box's event loop paints and
// ticks the half-built page before it is dismissed.

#include <QBasicTimer>
#include <QCoreApplication>
#include <QTimerEvent>

#include "app/panel_page.h"
#include "app_fixture.h"
#include "instrument/live_instrument.h"
#include "resources/menu_resource.h"
#include "simulator_libraries.h"

namespace {

class PageOpeningTest : public AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        ASSERT_TRUE(UseSimulatedInstrument(*app, session));
    }

    // What the box's own event loop may do to the page behind it.
    void PaintAndTickBehindTheBox() {
        ++boxesShown;
        auto* page = dynamic_cast<PanelPage*>(mainWindow->centralWidget());
        if (page == nullptr) {
            return;
        }
        incompleteWhileShown += page->Complete() ? 0 : 1;
        page->grab();
        QTimerEvent tick(QBasicTimer().timerId());
        QCoreApplication::sendEvent(page, &tick);
        mainWindow->OnTick();
    }

    SimulatorLibraries simulator;
    int boxesShown = 0;
    int incompleteWhileShown = 0;
};

}  // namespace

TEST_F(PageOpeningTest, EveryQueryingPageSurvivesAFailedFirstQuery) {
    ASSERT_TRUE(Start());
    dialogs->WhileMessageShown([this] { PaintAndTickBehindTheBox(); });
    // The FIFO page asks nothing until Read: it only has to open complete.
    const std::pair<int, bool> pages[] = {{menus::kTriggerPanel, true},
                                          {menus::kStatusPanel, true},
                                          {menus::kScpMapPanel, true},
                                          {menus::kFifoPanel, false},
                                          {menus::kMainPanel, true}};
    for (const auto& [command, queries] : pages) {
        SCOPED_TRACE(command);
        dialogs->Clear();
        boxesShown = 0;
        incompleteWhileShown = 0;
        simulator.DriverDirective("fail-next * 0xBFFF0015");
        mainWindow->OnCommand(command);
        simulator.DriverDirective("stop-failing");

        EXPECT_EQ(dialogs->Messages().isEmpty(), !queries);
        EXPECT_EQ(incompleteWhileShown > 0, queries);
        auto* page = dynamic_cast<PanelPage*>(CurrentPage());
        ASSERT_NE(page, nullptr);
        EXPECT_EQ(mainWindow->centralWidget(), page);
        EXPECT_TRUE(page->Complete());
        EXPECT_FALSE(page->grab().isNull());
    }
}
