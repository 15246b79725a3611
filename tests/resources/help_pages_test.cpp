// The help window opens qrc:/help/index.html; every page it can reach must be
// built in, and every panel of the Panels menu must have its page.
#include <gtest/gtest.h>

#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <QString>
#include <QStringList>

#include "resources/menu_resource.h"

namespace {

QString ReadHelpPage(const QString& name) {
    QFile file(QStringLiteral(":/help/") + name);
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    return QString::fromUtf8(file.readAll());
}

QStringList LocalLinks(const QString& html) {
    QStringList links;
    static const QRegularExpression href(QStringLiteral("href=\"([^\"#:]+)"));
    for (auto match = href.globalMatch(html); match.hasNext();) {
        links << match.next().captured(1);
    }
    return links;
}

int PanelsMenuSize() {
    for (const menus::Menu& menu : menus::MainMenu()) {
        if (menu.title == "&Panels") {
            return static_cast<int>(menu.items.size());
        }
    }
    return 0;
}

}  // namespace

TEST(HelpPages, EveryLinkReachableFromTheIndexIsBuiltIn) {
    QStringList pending{QStringLiteral("index.html")};
    QSet<QString> seen;
    while (!pending.isEmpty()) {
        const QString page = pending.takeFirst();
        if (seen.contains(page)) {
            continue;
        }
        seen.insert(page);
        const QString html = ReadHelpPage(page);
        ASSERT_FALSE(html.isEmpty()) << page.toStdString() << " is linked but not built in";
        EXPECT_TRUE(html.contains(QStringLiteral("<title>"))) << page.toStdString();
        pending << LocalLinks(html);
    }
    // The index, one page per panel, the shared channel-selection page and
    // the readings chart's.
    EXPECT_EQ(seen.size(), PanelsMenuSize() + 3);
}

TEST(HelpPages, IndexLinksOnePagePerPanelAndEveryPanelPageLeadsBack) {
    const QString index = ReadHelpPage(QStringLiteral("index.html"));
    const QStringList panelPages = LocalLinks(
        index.section(QStringLiteral("<h3>Panels</h3>"), 1).section(QStringLiteral("</ul>"), 0, 0));
    EXPECT_EQ(panelPages.size(), PanelsMenuSize());
    for (const QString& page : panelPages) {
        EXPECT_TRUE(LocalLinks(ReadHelpPage(page)).contains(QStringLiteral("index.html")))
            << page.toStdString() << " has no way back to the contents";
    }
}
