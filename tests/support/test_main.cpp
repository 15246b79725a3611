// The one QApplication of each test program, on the offscreen platform.
#include <gtest/gtest.h>
#include <QApplication>
#include <QSettings>
#include <QStandardPaths>

#include "app/readings_chart_loader.h"
#include "windows/readings_chart.h"

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? QByteArray("offscreen")
                                                                    : qgetenv("QT_QPA_PLATFORM"));
    QApplication application(argc, argv);
    // What the program remembers between runs goes to a test folder, never
    // to the user's settings, and each run starts from nothing.
    QStandardPaths::setTestModeEnabled(true);
    QApplication::setOrganizationName(QStringLiteral("qot7720-sfp-tests"));
    QSettings().clear();
    // The tests link the chart in: no module is looked for beside them.
    UseLinkedReadingsChart(&ReadingsChart::Create);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
