#include "windows/scpi_console.h"

#include <QFileInfo>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSettings>
#include <QTimer>
#include <QVBoxLayout>

#include "app/sfp_app.h"
#include "platform/operator_dialogs.h"
#include "windows/console_call.h"

namespace {

const char* const kHistoryKey = "scpiConsole/history";
constexpr int kHistoryLimit = 200;

QString FailureText(const ConsoleReply& reply) {
    QString text = QStringLiteral("! ") + reply.statusText;
    if (!reply.message.isEmpty()) {
        text += QStringLiteral(": ") + reply.message;
    }
    for (const QString& error : reply.queuedErrors) {
        text += QStringLiteral("\n!   ") + error;
    }
    return text;
}

}  // namespace

ScpiConsole::ScpiConsole(QWidget* parent) : QWidget(parent, Qt::Window) {
    setWindowTitle(QStringLiteral("SCPI Console"));
    BuildLayout();
    history_ = QSettings().value(kHistoryKey).toStringList();
    historyIndex_ = static_cast<int>(history_.size());
    geometry_.Restore(QSize(640, 400));
}

ScpiConsole::~ScpiConsole() = default;

void ScpiConsole::BuildLayout() {
    transcript_ = new QPlainTextEdit(this);
    transcript_->setReadOnly(true);
    transcript_->setMaximumBlockCount(10000);
    transcript_->setFont(QFont(QStringLiteral("monospace")));
    input_ = new QLineEdit(this);
    input_->setPlaceholderText(QStringLiteral("SCPI command or query, Enter sends"));
    input_->installEventFilter(this);
    runScript_ = new QPushButton(QStringLiteral("&Run Script..."), this);
    cancel_ = new QPushButton(QStringLiteral("C&ancel Script"), this);
    cancel_->setEnabled(false);
    progress_ = new QLabel(this);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(runScript_);
    buttons->addWidget(cancel_);
    buttons->addWidget(progress_, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(transcript_, 1);
    layout->addWidget(input_);
    layout->addLayout(buttons);

    connect(input_, &QLineEdit::returnPressed, this, &ScpiConsole::OnEnter);
    connect(runScript_, &QPushButton::clicked, this, &ScpiConsole::ChooseScript);
    connect(cancel_, &QPushButton::clicked, this, &ScpiConsole::CancelScript);
    setFocusProxy(input_);
}

void ScpiConsole::hideEvent(QHideEvent* event) {
    geometry_.Save();
    QWidget::hideEvent(event);
}

bool ScpiConsole::eventFilter(QObject* watched, QEvent* event) {
    if (watched == input_ && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Up || key == Qt::Key_Down) {
            WalkHistory(key == Qt::Key_Up ? -1 : 1);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void ScpiConsole::WalkHistory(int step) {
    const int size = static_cast<int>(history_.size());
    historyIndex_ = qBound(0, historyIndex_ + step, size);
    input_->setText(historyIndex_ < size ? history_[historyIndex_] : QString());
}

void ScpiConsole::Remember(const QString& line) {
    if (history_.isEmpty() || history_.constLast() != line) {
        history_.append(line);
    }
    while (history_.size() > kHistoryLimit) {
        history_.removeFirst();
    }
    historyIndex_ = static_cast<int>(history_.size());
    QSettings().setValue(kHistoryKey, history_);
}

void ScpiConsole::OnEnter() {
    const QString line = input_->text();
    if (SendLine(line) || !console::LineProblem(line).isEmpty()) {
        input_->clear();
    }
}

void ScpiConsole::Say(const QString& text) {
    transcript_->appendPlainText(text);
}

QString ScpiConsole::Transcript() const {
    return transcript_->toPlainText();
}

QString ScpiConsole::Progress() const {
    return progress_->text();
}

bool ScpiConsole::CanReachInstrument() {
    if (!HasApp() || !App().instrument) {
        Say(QStringLiteral("! There is no instrument session: nothing was sent."));
        return false;
    }
    if (App().Emulated()) {
        Say(QStringLiteral(
            "! Commands cannot reach an emulated instrument: nothing was sent. Start the "
            "program with the VISA and driver libraries to talk to a QOT7720."));
        return false;
    }
    return true;
}

// One checked line, with auto update's readings paused around the call as
// the system operations pause them, so that the call never finds the
// instrument busy and the window keeps painting while it waits.
bool ScpiConsole::Execute(const QString& line) {
    const QString problem = console::LineProblem(line);
    if (!problem.isEmpty()) {
        Say(QStringLiteral("! ") + problem);
        return false;
    }
    if (!CanReachInstrument()) {
        return false;
    }
    Say(QStringLiteral("> ") + line);
    PauseReadings();
    const ConsoleReply reply = SendConsoleLine(*App().instrument, line);
    ResumeReadings();
    if (!reply.ok) {
        Say(FailureText(reply));
        return false;
    }
    if (reply.query) {
        Say(reply.answer);
    }
    return true;
}

bool ScpiConsole::SendLine(const QString& line) {
    if (scriptRunning_) {
        Say(QStringLiteral("! A script is running: nothing was sent."));
        return false;
    }
    if (!line.trimmed().isEmpty()) {
        Remember(line.trimmed());
    }
    return Execute(line.trimmed());
}

void ScpiConsole::ChooseScript() {
    const std::optional<QString> path = platform::Dialogs().ChooseOpenFile(
        QStringLiteral("Run SCPI Script"),
        QStringLiteral("SCPI scripts (*.scpi *.txt);;All Files (*)"));
    if (path) {
        StartScript(*path);
    }
}

bool ScpiConsole::StartScript(const QString& path) {
    if (scriptRunning_ || !CanReachInstrument()) {
        return false;
    }
    const platform::TextFileContents contents = platform::ReadTextFile(path);
    const QString problem = console::ScriptFileProblem(contents.status);
    if (!problem.isEmpty()) {
        Say(QStringLiteral("! %1 (%2)").arg(problem, path));
        return false;
    }
    script_ = console::ParseScript(contents.text);
    nextLine_ = 0;
    cancelRequested_ = false;
    scriptRunning_ = true;
    input_->setEnabled(false);
    runScript_->setEnabled(false);
    cancel_->setEnabled(true);
    Say(QStringLiteral("# Running %1").arg(QFileInfo(path).fileName()));
    QTimer::singleShot(0, this, &ScpiConsole::RunNextScriptLine);
    return true;
}

void ScpiConsole::CancelScript() {
    cancelRequested_ = true;
}

void ScpiConsole::RunNextScriptLine() {
    if (!scriptRunning_) {
        return;
    }
    if (nextLine_ >= script_.lines.size()) {
        FinishScript(true, QStringLiteral("# Script finished: %1 lines sent.").arg(nextLine_));
        return;
    }
    const console::ScriptLine& line = script_.lines[nextLine_];
    if (cancelRequested_) {
        FinishScript(false, QStringLiteral("# Script cancelled before line %1.").arg(line.number));
        return;
    }
    progress_->setText(QStringLiteral("line %1 of %2").arg(line.number).arg(script_.fileLines));
    if (!Execute(line.text)) {
        FinishScript(
            false,
            QStringLiteral("! Script stopped at line %1: %2").arg(line.number).arg(line.text));
        return;
    }
    ++nextLine_;
    QTimer::singleShot(0, this, &ScpiConsole::RunNextScriptLine);
}

void ScpiConsole::FinishScript(bool completed, const QString& text) {
    Say(text);
    scriptRunning_ = false;
    input_->setEnabled(true);
    runScript_->setEnabled(true);
    cancel_->setEnabled(false);
    input_->setFocus();
    emit ScriptFinished(completed);
}
