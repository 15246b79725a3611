#pragma once
// "About qot7720 Sfp": fixed lines plus the driver and firmware revisions.

#include "platform/template_page.h"

class InstrumentSession;

class CAboutDlg : public platform::TemplateDialog {
public:
    CAboutDlg(InstrumentSession& instrument, QWidget* parent);

    QString DriverRevisionLine() const;
    QString FirmwareRevisionLine() const;
};
