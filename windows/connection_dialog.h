#pragma once
// The Connection dialog: which VISA and driver libraries were loaded, what
// the VISA resource manager reports of itself, the driver and firmware
// revisions, the resource and its time-out, and why the program emulates.
// "Copy" puts it all on the clipboard for a support request.

#include <QDialog>
#include <optional>

#include "instrument/binding.h"
#include "instrument/resource_manager_info.h"
#include "instrument/scp_types.h"

struct ConnectionFacts {
    BindingFacts binding;
    bool emulated = false;
    std::optional<ResourceManagerInfo> resourceManager;  // null when VISA did not load
    std::optional<Revisions> revisions;                  // null when they could not be read
};

// The dialog's text, one "name: value" line each.
QString ConnectionReport(const ConnectionFacts& facts);

class ConnectionDialog : public QDialog {
    Q_OBJECT

public:
    explicit ConnectionDialog(const ConnectionFacts& facts, QWidget* parent = nullptr);

    QString Text() const { return text_; }
    void CopyToClipboard() const;

private:
    QString text_;
};
