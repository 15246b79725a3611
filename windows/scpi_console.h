#pragma once
// The SCPI Console: an input line and a transcript. Enter sends the line
// (queries with their answer shown), Up and Down walk the history kept
// between runs, and "Run Script..." sends a file line by line.

#include <QStringList>
#include <QWidget>

#include "windows/console_input.h"
#include "windows/remembered_geometry.h"

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

class ScpiConsole : public QWidget {
    Q_OBJECT

public:
    explicit ScpiConsole(QWidget* parent = nullptr);
    ~ScpiConsole() override;

    // Sends one line as typed; false when it was refused or failed.
    bool SendLine(const QString& line);
    // Starts the script file at `path`, one line per turn of the event loop;
    // false when nothing was started (the reason is in the transcript).
    bool StartScript(const QString& path);
    // Stops a running script before its next line.
    void CancelScript();
    bool ScriptRunning() const { return scriptRunning_; }

    QString Transcript() const;
    QString Progress() const;
    const QStringList& History() const { return history_; }

signals:
    void ScriptFinished(bool completed);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void BuildLayout();
    void OnEnter();
    void ChooseScript();
    void RunNextScriptLine();
    void FinishScript(bool completed, const QString& text);
    bool CanReachInstrument();
    bool Execute(const QString& line);
    void Remember(const QString& line);
    void WalkHistory(int step);
    void Say(const QString& text);

    QPlainTextEdit* transcript_ = nullptr;
    QLineEdit* input_ = nullptr;
    QPushButton* runScript_ = nullptr;
    QPushButton* cancel_ = nullptr;
    QLabel* progress_ = nullptr;
    QStringList history_;
    int historyIndex_ = 0;
    console::Script script_;
    std::size_t nextLine_ = 0;
    bool scriptRunning_ = false;
    bool cancelRequested_ = false;
    RememberedGeometry geometry_{*this, QStringLiteral("scpiConsole/geometry")};
};
