#include "recording_dialogs.h"

#include "platform/ui_thread.h"

void RecordingDialogs::Record(DialogEvent::Kind kind, const QString& text, const QString& title) {
    const bool onUiThread = platform::OnUiThread();
    std::lock_guard<std::mutex> lock(mutex_);
    events_.push_back({kind, text, title, onUiThread});
}

void RecordingDialogs::ShowMessage(const QString& text) {
    Record(DialogEvent::Message, text);
    std::function<void()> action;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        action = whileMessageShown_;
    }
    if (action) {
        action();
    }
}

void RecordingDialogs::WhileMessageShown(std::function<void()> action) {
    std::lock_guard<std::mutex> lock(mutex_);
    whileMessageShown_ = std::move(action);
}

bool RecordingDialogs::ShowMessageOfferingStop(const QString& text, const QString&) {
    Record(DialogEvent::Message, text);
    std::lock_guard<std::mutex> lock(mutex_);
    ++offeredStops_;
    if (stopAnswers_.empty()) {
        return false;
    }
    const bool answer = stopAnswers_.front();
    stopAnswers_.pop_front();
    return answer;
}

void RecordingDialogs::AnswerStop(bool stop) {
    std::lock_guard<std::mutex> lock(mutex_);
    stopAnswers_.push_back(stop);
}

int RecordingDialogs::OfferedStops() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return offeredStops_;
}

bool RecordingDialogs::AskOkCancel(const QString& text) {
    Record(DialogEvent::Question, text);
    std::lock_guard<std::mutex> lock(mutex_);
    if (questionAnswers_.empty()) {
        return true;
    }
    const bool answer = questionAnswers_.front();
    questionAnswers_.pop_front();
    return answer;
}

std::optional<QString> RecordingDialogs::Take(std::deque<Answer>& answers) {
    if (answers.empty()) {
        return std::nullopt;
    }
    const Answer answer = answers.front();
    answers.pop_front();
    if (!answer.first) {
        return std::nullopt;
    }
    return answer.second;
}

void RecordingDialogs::Beep() {
    Record(DialogEvent::Beep, QString());
}

std::optional<QString> RecordingDialogs::ChooseOpenFile(const QString& title,
                                                        const QString& filter) {
    Record(DialogEvent::OpenFile, filter, title);
    std::lock_guard<std::mutex> lock(mutex_);
    return Take(fileAnswers_);
}

std::optional<QString> RecordingDialogs::ChooseSaveFile(const QString& title, const QString& filter,
                                                        const QString&) {
    Record(DialogEvent::SaveFile, filter, title);
    std::lock_guard<std::mutex> lock(mutex_);
    return Take(fileAnswers_);
}

std::optional<QString> RecordingDialogs::SelectInstrument(const QStringList& candidates) {
    Record(DialogEvent::SelectInstrument, candidates.join(QLatin1Char('|')));
    std::lock_guard<std::mutex> lock(mutex_);
    return Take(selectionAnswers_);
}

int RecordingDialogs::RunModal(QDialog& dialog) {
    Record(DialogEvent::Modal, dialog.windowTitle());
    std::function<int(QDialog&)> handler;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        handler = modalHandler_;
    }
    return handler ? handler(dialog) : static_cast<int>(QDialog::Rejected);
}

void RecordingDialogs::ShowHelpIndex() {
    Record(DialogEvent::Help, QString());
}

void RecordingDialogs::AnswerQuestion(bool ok) {
    std::lock_guard<std::mutex> lock(mutex_);
    questionAnswers_.push_back(ok);
}

void RecordingDialogs::AnswerFile(std::optional<QString> path) {
    std::lock_guard<std::mutex> lock(mutex_);
    fileAnswers_.emplace_back(path.has_value(), path.value_or(QString()));
}

void RecordingDialogs::AnswerSelection(std::optional<QString> name) {
    std::lock_guard<std::mutex> lock(mutex_);
    selectionAnswers_.emplace_back(name.has_value(), name.value_or(QString()));
}

void RecordingDialogs::HandleModal(std::function<int(QDialog&)> handler) {
    std::lock_guard<std::mutex> lock(mutex_);
    modalHandler_ = std::move(handler);
}

std::vector<DialogEvent> RecordingDialogs::Events() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return events_;
}

QStringList RecordingDialogs::Messages() const {
    QStringList messages;
    for (const DialogEvent& event : Events()) {
        if (event.kind == DialogEvent::Message) {
            messages.append(event.text);
        }
    }
    return messages;
}

int RecordingDialogs::Count(DialogEvent::Kind kind) const {
    int count = 0;
    for (const DialogEvent& event : Events()) {
        count += event.kind == kind ? 1 : 0;
    }
    return count;
}

void RecordingDialogs::Clear() {
    std::lock_guard<std::mutex> lock(mutex_);
    events_.clear();
}

ScopedRecordingDialogs::ScopedRecordingDialogs() {
    auto recorder = std::make_unique<RecordingDialogs>();
    recorder_ = recorder.get();
    previous_ = platform::InstallDialogs(std::move(recorder));
}

ScopedRecordingDialogs::~ScopedRecordingDialogs() {
    platform::InstallDialogs(std::move(previous_));
}
