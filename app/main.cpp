// The QOT7720 soft front panel.
#include <QApplication>
#include <QIcon>
#include <QPixmap>
#include <QStringList>

#include "app/main_wnd.h"
#include "app/sfp_app.h"
#include "controls/raw_bitmap.h"
#include "platform/deferred_icon_style.h"
#include "platform/template_page.h"

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QApplication::setApplicationVersion(QStringLiteral(SFP_PROGRAM_VERSION));
    // QSettings keeps what is remembered between runs under these names.
    QApplication::setOrganizationName(QStringLiteral("Quorvale Orbant"));
    QApplication::setApplicationName(QStringLiteral("qot7720-sfp"));
    QApplication::setWindowIcon(
        QIcon(QPixmap::fromImage(raw_bitmap::Read(QStringLiteral(":/bitmaps/app_icon.raw")))));
    platform::DeferExtensionIcons();
    CSfpApp app;
    app.commandLine = QApplication::arguments().mid(1).join(QLatin1Char(' '));
    platform::SetDialogColors();
    auto* mainWindow = new CMainWnd;
    if (!mainWindow->Initialize()) {
        return 1;
    }
    return QApplication::exec();
}
