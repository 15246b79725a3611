#pragma once
// The algorithm panel: an editor for a control algorithm's text, opened from
// and saved to plain text files, downloaded into the instrument from the
// editor or from a file, and the algorithm's scalar and array variables set.

#include <QString>
#include <optional>
#include <string>

#include "app/panel.h"
#include "app/panel_page.h"

class CAlgDlg;
class QKeyEvent;
class QPlainTextEdit;
struct AlgorithmVariable;

class CAlgObj : public CPanel {
public:
    CAlgObj();
    ~CAlgObj() override;

    static const RuntimeClass kRuntimeClass;
    const RuntimeClass& GetRuntimeClass() const override;

    void Show() override;
    CAlgDlg* Page() const;

    // Pre-fills the three dialogs; only "Down Load..." changes it.
    QString algorithmName = QStringLiteral("ALG1");
    // The download dialog's "Do ALG:UPDATE"; set to 1 before each showing.
    int updateDefault = 0;
    // The editor's text while the page does not exist; none before the first
    // page closed.
    std::optional<QString> savedText;
};

class CAlgDlg : public PanelPage {
public:
    explicit CAlgDlg(CAlgObj& panel);
    ~CAlgDlg() override;

    QPlainTextEdit* Editor() const;
    // The editor's text exactly as typed, lines separated by line feeds.
    QString EditorText() const;

    // The buttons' actions.
    void OpenAlgorithm();
    void SaveAlgorithm();
    void DownLoad();
    void DownLoadFile();
    void ScalarVariables();
    void ArrayVariables();

protected:
    // Enter anywhere on the page starts a new editor line.
    void keyPressEvent(QKeyEvent* event) override;

private:
    struct DownloadChoice {
        std::string algorithmName;
        std::string swapSize;
        bool doUpdate = false;
    };

    std::optional<DownloadChoice> AskDownload();
    static void Download(const DownloadChoice& choice, const std::string& source);
    static void SetScalar(const AlgorithmVariable& fields);
    static void SetArray(const AlgorithmVariable& fields);
    void InsertLineBreak();

    CAlgObj& panel_;
};
