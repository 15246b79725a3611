#include "panels/algorithm/algorithm_panel.h"

#include <QFile>
#include <QFontDatabase>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextDocument>

#include "app/failure_scope.h"
#include "app/sfp_app.h"
#include "instrument/instrument_session.h"
#include "panels/algorithm/algorithm_dialogs.h"
#include "panels/algorithm/algorithm_text.h"
#include "platform/file_filter.h"
#include "platform/operator_dialogs.h"
#include "platform/text_file.h"
#include "resources/dialog_template.h"
#include "resources/string_table.h"

namespace {

constexpr int kTitle = 1530;
constexpr int kEditor = 1072;
constexpr int kOpenButton = 1545;
constexpr int kSaveButton = 1547;
constexpr int kScalarButton = 1550;
constexpr int kArrayButton = 1554;
constexpr int kDownLoadButton = 1546;
constexpr int kDownLoadFileButton = 1073;
constexpr int kDefaultButton = 1;

const char kAlgorithmFilter[] = "Algorithm files (*.alg)|*.alg|All Files (*.*)|*.*||";

QString AlgorithmFilter() {
    return platform::QtFileFilter(QString::fromLatin1(kAlgorithmFilter));
}

void ShowString(int id) {
    platform::Dialogs().ShowMessage(strings::LoadString(id));
}

InstrumentSession& Instrument() {
    return *App().instrument;
}

}  // namespace

// ---- CAlgObj ----

const RuntimeClass CAlgObj::kRuntimeClass{"CAlgObj", &CPanel::kRuntimeClass};

CAlgObj::CAlgObj() : CPanel(strings::LoadString(strings::kAlgorithmPanel)) {}

CAlgObj::~CAlgObj() {
    Hide();  // the page keeps its text here while this object still exists
}

const RuntimeClass& CAlgObj::GetRuntimeClass() const {
    return kRuntimeClass;
}

void CAlgObj::Show() {
    window = PanelPage::Open<CAlgDlg>(*this);
    App().currentPanel = this;
}

CAlgDlg* CAlgObj::Page() const {
    return static_cast<CAlgDlg*>(window.data());
}

// ---- CAlgDlg ----

CAlgDlg::CAlgDlg(CAlgObj& panel) : PanelPage(templates::kAlgorithmPage), panel_(panel) {
    App().EnableSynchronize(false);
    SetTitle(kTitle, strings::kAlgorithmPanel);
    QPlainTextEdit* editor = Editor();
    // Algorithm code lines up in columns.
    QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    fixed.setPointSize(font().pointSize());
    editor->setFont(fixed);
    editor->setTabChangesFocus(false);
    if (panel_.savedText) {
        editor->setPlainText(*panel_.savedText);
    }
    const auto connectButton = [this](int id, void (CAlgDlg::*action)()) {
        connect(Item<QPushButton>(id), &QPushButton::clicked, this,
                [this, action] { (this->*action)(); });
    };
    connectButton(kOpenButton, &CAlgDlg::OpenAlgorithm);
    connectButton(kSaveButton, &CAlgDlg::SaveAlgorithm);
    connectButton(kScalarButton, &CAlgDlg::ScalarVariables);
    connectButton(kArrayButton, &CAlgDlg::ArrayVariables);
    connectButton(kDownLoadButton, &CAlgDlg::DownLoad);
    connectButton(kDownLoadFileButton, &CAlgDlg::DownLoadFile);
    connectButton(kDefaultButton, &CAlgDlg::InsertLineBreak);
    editor->setFocus();
}

CAlgDlg::~CAlgDlg() {
    // Kept whole, however long its lines.
    panel_.savedText = EditorText();
    if (HasApp()) {
        App().EnableSynchronize(true);
    }
}

QPlainTextEdit* CAlgDlg::Editor() const {
    return Item<QPlainTextEdit>(kEditor);
}

// The raw text, not toPlainText(), which would turn no-break spaces into
// blanks; blocks are separated by U+2029 there.
QString CAlgDlg::EditorText() const {
    QString text = Editor()->document()->toRawText();
    text.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    return text;
}

void CAlgDlg::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        InsertLineBreak();
        return;
    }
    PanelPage::keyPressEvent(event);
}

void CAlgDlg::InsertLineBreak() {
    Editor()->insertPlainText(QStringLiteral("\n"));
    Editor()->setFocus();
}

void CAlgDlg::OpenAlgorithm() {
    const std::optional<QString> path = platform::Dialogs().ChooseOpenFile(
        QStringLiteral("Open Algorithm file:"), AlgorithmFilter());
    if (!path) {
        return;
    }
    const platform::TextFileContents contents = platform::ReadTextFile(*path);
    switch (contents.status) {
        case platform::TextFileContents::kRead:
            Editor()->setPlainText(contents.text);
            break;
        case platform::TextFileContents::kEmpty:
            break;
        case platform::TextFileContents::kCannotOpen:
            ShowString(strings::kCouldNotOpenFile);
            break;
        case platform::TextFileContents::kNotText:
            ShowString(strings::kNotTextFile);
            break;
        case platform::TextFileContents::kOutOfMemory:
            ShowString(strings::kMemoryAllocationFailed);
            break;
    }
}

void CAlgDlg::SaveAlgorithm() {
    const std::optional<QString> path = platform::Dialogs().ChooseSaveFile(
        QStringLiteral("Save Algorithm to:"), AlgorithmFilter(), QString());
    if (!path) {
        return;
    }
    switch (platform::WriteTextFile(*path, EditorText())) {
        case platform::TextFileWrite::kWritten:
            break;
        case platform::TextFileWrite::kCannotOpen:
            ShowString(strings::kCouldNotOpenFile);
            break;
        case platform::TextFileWrite::kWriteFailed:
            ShowString(strings::kCouldNotWriteFile);
            break;
        case platform::TextFileWrite::kNotText:
            ShowString(strings::kNotSavableAsText);
            break;
    }
}

std::optional<CAlgDlg::DownloadChoice> CAlgDlg::AskDownload() {
    panel_.updateDefault = 1;
    CAlgDownloadDlg dialog(this, panel_.algorithmName, panel_.updateDefault);
    if (platform::Dialogs().RunModal(dialog) != QDialog::Accepted) {
        return std::nullopt;
    }
    return DownloadChoice{dialog.AlgorithmName().toStdString(), dialog.SwapSize().toStdString(),
                          dialog.DoUpdate()};
}

void CAlgDlg::Download(const DownloadChoice& choice, const std::string& source) {
    RunInFailureScope([&choice, &source] {
        InstrumentSession& instrument = Instrument();
        if (choice.doUpdate) {
            instrument.UpdateAlgorithms();
        }
        instrument.DownloadAlgorithm(choice.algorithmName, choice.swapSize, source);
    });
}

void CAlgDlg::DownLoad() {
    const std::optional<DownloadChoice> choice = AskDownload();
    if (!choice) {
        return;
    }
    panel_.algorithmName = QString::fromStdString(choice->algorithmName);
    Download(*choice, BuildDownloadText(EditorText()));
}

// The file is not read here: its path goes to the driver in place of a text.
void CAlgDlg::DownLoadFile() {
    const std::optional<QString> path = platform::Dialogs().ChooseOpenFile(
        QStringLiteral("Select Algorithm file to be downloaded"), AlgorithmFilter());
    if (!path) {
        return;
    }
    const std::optional<DownloadChoice> choice = AskDownload();
    if (!choice) {
        return;
    }
    Download(*choice, QFile::encodeName(*path).toStdString());
}

void CAlgDlg::SetScalar(const AlgorithmVariable& fields) {
    if (fields.algorithmName.isEmpty() || fields.variableName.isEmpty() || fields.value.isEmpty()) {
        return;
    }
    RunInFailureScope([&fields] {
        InstrumentSession& instrument = Instrument();
        instrument.SetAlgorithmScalar(fields.algorithmName.toStdString(),
                                      fields.variableName.toStdString(),
                                      fields.value.toStdString());
        instrument.UpdateAlgorithms();
    });
}

void CAlgDlg::SetArray(const AlgorithmVariable& fields) {
    if (fields.algorithmName.isEmpty() || fields.variableName.isEmpty() || fields.value.isEmpty()) {
        return;
    }
    const std::vector<double> values = SplitArrayValues(fields.value.toStdString());
    RunInFailureScope([&fields, &values] {
        InstrumentSession& instrument = Instrument();
        instrument.SetAlgorithmArray(fields.algorithmName.toStdString(),
                                     fields.variableName.toStdString(), values,
                                     static_cast<int>(values.size()));
        instrument.UpdateAlgorithms();
    });
}

void CAlgDlg::ScalarVariables() {
    CAlgScalarDlg dialog(this, panel_.algorithmName, &CAlgDlg::SetScalar);
    platform::Dialogs().RunModal(dialog);
}

void CAlgDlg::ArrayVariables() {
    CAlgArrayDlg dialog(this, panel_.algorithmName, &CAlgDlg::SetArray);
    platform::Dialogs().RunModal(dialog);
}
