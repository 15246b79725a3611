#include "windows/connection_dialog.h"

#include <QApplication>
#include <QClipboard>
#include <QDialogButtonBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStringList>
#include <QVBoxLayout>

namespace {

QString Hex(std::uint32_t value) {
    return QStringLiteral("0x%1").arg(value, 8, 16, QLatin1Char('0'));
}

QString OrNone(const QString& text) {
    return text.isEmpty() ? QStringLiteral("(none)") : text;
}

QString Version(const std::optional<ViUInt32>& version) {
    return version ? VisaVersionText(*version) : QStringLiteral("(not reported)");
}

void AddResourceManager(QStringList& lines, const std::optional<ResourceManagerInfo>& info) {
    if (!info) {
        return;
    }
    if (info->openStatus < 0) {
        lines << QStringLiteral("VISA resource manager: viOpenDefaultRM returned ") +
                     Hex(static_cast<std::uint32_t>(info->openStatus));
        return;
    }
    lines << QStringLiteral("VISA manufacturer: ") +
                 info->manufacturer.value_or(QStringLiteral("(not reported)"));
    lines << QStringLiteral("VISA implementation version: ") + Version(info->implementationVersion);
    lines << QStringLiteral("VISA standard version: ") + Version(info->standardVersion);
}

void AddEmulation(QStringList& lines, const BindingFacts& binding) {
    lines << QStringLiteral("Emulated because: ") + OrNone(binding.emulationReason);
    lines << QStringLiteral("VISA library names tried: ") +
                 OrNone(binding.visaNamesTried.join(QStringLiteral(", ")));
    if (!binding.driverNamesTried.isEmpty()) {
        lines << QStringLiteral("Driver library names tried: ") +
                     binding.driverNamesTried.join(QStringLiteral(", "));
    }
    lines << QStringLiteral("Loader message: ") + OrNone(binding.loaderMessage);
    lines << QStringLiteral("qot7720_init status: ") +
                 (binding.initStatus ? Hex(static_cast<std::uint32_t>(*binding.initStatus))
                                     : QStringLiteral("(not called)"));
}

}  // namespace

QString ConnectionReport(const ConnectionFacts& facts) {
    const BindingFacts& binding = facts.binding;
    QStringList lines;
    lines << QStringLiteral("Connection: ") +
                 (facts.emulated ? QStringLiteral("EMULATED") : QStringLiteral("LIVE"));
    lines << QStringLiteral("VISA library: ") + OrNone(binding.visaPath);
    AddResourceManager(lines, facts.resourceManager);
    lines << QStringLiteral("Driver library: ") + OrNone(binding.driverPath);
    if (facts.revisions) {
        lines << QStringLiteral("Driver revision: ") +
                     QString::fromStdString(facts.revisions->driver);
        lines << QStringLiteral("Firmware revision: ") +
                     QString::fromStdString(facts.revisions->firmware);
    }
    lines << QStringLiteral("Resource: ") + OrNone(binding.resource);
    if (!facts.emulated) {
        lines << QStringLiteral("Session time-out: %1 ms").arg(binding.timeoutMilliseconds);
    }
    if (facts.emulated) {
        AddEmulation(lines, binding);
    }
    return lines.join(QLatin1Char('\n')) + QLatin1Char('\n');
}

ConnectionDialog::ConnectionDialog(const ConnectionFacts& facts, QWidget* parent)
    : QDialog(parent), text_(ConnectionReport(facts)) {
    setWindowTitle(QStringLiteral("Connection"));
    auto* view = new QPlainTextEdit(text_, this);
    view->setReadOnly(true);
    view->setLineWrapMode(QPlainTextEdit::NoWrap);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    QPushButton* copy = buttons->addButton(QStringLiteral("&Copy"), QDialogButtonBox::ActionRole);
    connect(copy, &QPushButton::clicked, this, &ConnectionDialog::CopyToClipboard);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(view);
    layout->addWidget(buttons);
    resize(560, 320);
}

void ConnectionDialog::CopyToClipboard() const {
    QApplication::clipboard()->setText(text_);
}
