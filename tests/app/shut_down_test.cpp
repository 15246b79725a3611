#include <QCoreApplication>

#include "app_fixture.h"
#include "resources/menu_resource.h"

namespace {

struct Release {
    bool deleted = false;
    bool pageGone = false;
    bool sessionAlive = false;
};

// Notes, as it is deleted, whether its page went first and the session is
// still there for anything it has to release.
class ReleaseProbe : public CPanel {
public:
    explicit ReleaseProbe(Release& release) : CPanel(QStringLiteral("Probe")), release_(release) {}
    ~ReleaseProbe() override {
        release_.deleted = true;
        release_.pageGone = window.isNull();
        release_.sessionAlive = HasApp() && App().instrument != nullptr;
    }
    void Show() override {
        window = new QWidget;
        App().currentPanel = this;
    }

private:
    Release& release_;
};

class ShutDownTest : public AppFixture {
protected:
    void AddProbe(Release& release) {
        app->panels.push_back(std::make_unique<ReleaseProbe>(release));
    }
};

}  // namespace

TEST_F(ShutDownTest, CloseDeletesEachPanelAfterItsPageAndBeforeTheSession) {
    ASSERT_TRUE(Start());
    Release shown;
    Release hidden;
    AddProbe(shown);
    AddProbe(hidden);
    app->currentPanel->Hide();
    app->panels[app->panels.size() - 2]->Show();
    mainWindow->OnCommand(menus::kClose);
    for (const Release* release : {&shown, &hidden}) {
        EXPECT_TRUE(release->deleted);
        EXPECT_TRUE(release->pageGone);
        EXPECT_TRUE(release->sessionAlive);
    }
    EXPECT_TRUE(app->panels.empty());
    EXPECT_EQ(app->instrument, nullptr);
}

TEST_F(ShutDownTest, DeletingTheWindowShutsDownTheSameWay) {
    ASSERT_TRUE(Start());
    Release release;
    AddProbe(release);
    app->panels.back()->Show();
    delete mainWindow.data();
    EXPECT_TRUE(release.deleted);
    EXPECT_TRUE(release.pageGone);
    EXPECT_TRUE(release.sessionAlive);
}
