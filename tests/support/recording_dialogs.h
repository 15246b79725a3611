#pragma once
// Operator dialogs for tests: records every text in order and answers from a
// script. Safe to call from worker threads.

#include <QDialog>
#include <QStringList>
#include <deque>
#include <functional>
#include <mutex>
#include <ostream>
#include <vector>

#include "platform/operator_dialogs.h"

// Failed expectations show texts, not code units.
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}
inline void PrintTo(const QStringList& texts, std::ostream* out) {
    *out << '{';
    for (const QString& text : texts) {
        *out << " \"" << text.toStdString() << '"';
    }
    *out << " }";
}

struct DialogEvent {
    enum Kind { Message, Question, Beep, OpenFile, SaveFile, SelectInstrument, Modal, Help };
    Kind kind;
    QString text;               // message text, file filter, candidates joined by '|', dialog title
    QString title = QString();  // a file chooser's title
    bool onUiThread = true;     // false: shown from a worker thread (a fault)
};

class RecordingDialogs : public platform::OperatorDialogs {
public:
    void ShowMessage(const QString& text) override;
    // Recorded as a message; answered from AnswerStop (default: OK).
    bool ShowMessageOfferingStop(const QString& text, const QString& stopLabel) override;
    bool AskOkCancel(const QString& text) override;
    void Beep() override;
    std::optional<QString> ChooseOpenFile(const QString& title, const QString& filter) override;
    std::optional<QString> ChooseSaveFile(const QString& title, const QString& filter,
                                          const QString& suggestedName) override;
    std::optional<QString> SelectInstrument(const QStringList& candidates) override;
    int RunModal(QDialog& dialog) override;
    void ShowHelpIndex() override;

    // Scripted answers, used in order; when a queue is empty the defaults
    // are OK, cancel (no file, no instrument) and the modal handler.
    void AnswerQuestion(bool ok);
    void AnswerStop(bool stop);
    // Messages that offered a stop button.
    int OfferedStops() const;
    void AnswerFile(std::optional<QString> path);
    void AnswerSelection(std::optional<QString> name);
    // Runs each modal dialog; the default rejects it without showing it.
    void HandleModal(std::function<int(QDialog&)> handler);
    // Runs while each message box is "shown", as its event loop would.
    void WhileMessageShown(std::function<void()> action);

    std::vector<DialogEvent> Events() const;
    // The texts of the message boxes, in order.
    QStringList Messages() const;
    int Count(DialogEvent::Kind kind) const;
    void Clear();

private:
    void Record(DialogEvent::Kind kind, const QString& text, const QString& title = QString());

    mutable std::mutex mutex_;
    std::vector<DialogEvent> events_;
    std::deque<bool> questionAnswers_;
    std::deque<bool> stopAnswers_;
    int offeredStops_ = 0;
    // (answered, text): a pair rather than optional<QString>, which trips
    // a false maybe-uninitialized warning in g++ 12.
    using Answer = std::pair<bool, QString>;
    static std::optional<QString> Take(std::deque<Answer>& answers);
    std::deque<Answer> fileAnswers_;
    std::deque<Answer> selectionAnswers_;
    std::function<int(QDialog&)> modalHandler_;
    std::function<void()> whileMessageShown_;
};

// Installs a recorder for the lifetime of the object and restores the
// previous dialogs afterwards.
class ScopedRecordingDialogs {
public:
    ScopedRecordingDialogs();
    ~ScopedRecordingDialogs();
    ScopedRecordingDialogs(const ScopedRecordingDialogs&) = delete;
    ScopedRecordingDialogs& operator=(const ScopedRecordingDialogs&) = delete;

    RecordingDialogs& operator*() { return *recorder_; }
    RecordingDialogs* operator->() { return recorder_; }

private:
    RecordingDialogs* recorder_;
    std::unique_ptr<platform::OperatorDialogs> previous_;
};
