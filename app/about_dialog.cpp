#include "app/about_dialog.h"

#include <QLabel>

#include "instrument/instrument_session.h"
#include "instrument/user_exception.h"
#include "platform/colour_ref.h"
#include "resources/dialog_template.h"

namespace {

QLabel* BlueLine(const CAboutDlg& dialog, int id) {
    auto* label = dialog.Item<QLabel>(id);
    if (label == nullptr) {
        return nullptr;
    }
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, ToQColor(Rgb(0, 0, 255)));
    label->setPalette(palette);
    return label;
}

}  // namespace

CAboutDlg::CAboutDlg(InstrumentSession& instrument, QWidget* parent)
    : platform::TemplateDialog(templates::kAboutDialog, parent) {
    QLabel* driverLine = BlueLine(*this, templates::kAboutDriverRevisionLine);
    QLabel* firmwareLine = BlueLine(*this, templates::kAboutFirmwareRevisionLine);
    try {
        const Revisions revisions = instrument.QueryRevision();
        if (driverLine != nullptr) {
            driverLine->setText(QStringLiteral("VXIplug&play Driver revision: %1 ")
                                    .arg(QString::fromStdString(revisions.driver)));
        }
        if (firmwareLine != nullptr) {
            firmwareLine->setText(QStringLiteral("Instrument firmware revision: %1")
                                      .arg(QString::fromStdString(revisions.firmware)));
        }
    } catch (const UserException&) {
        // Not reported: the box opens with both lines empty. The status is
        // fetched so that it does not linger for the next report.
        instrument.GetLastStatus();
    }
}

QString CAboutDlg::DriverRevisionLine() const {
    const auto* label = Item<QLabel>(templates::kAboutDriverRevisionLine);
    return label != nullptr ? label->text() : QString();
}

QString CAboutDlg::FirmwareRevisionLine() const {
    const auto* label = Item<QLabel>(templates::kAboutFirmwareRevisionLine);
    return label != nullptr ? label->text() : QString();
}
