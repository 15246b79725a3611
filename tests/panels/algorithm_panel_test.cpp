// The algorithm page as the operator uses it: the editor, its files, the
// downloads and the variable dialogs, against the recording session.

#include <QCheckBox>
#include <QCoreApplication>
#include <QFile>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <cmath>

#include "app_fixture.h"
#include "instrument/driver_api.h"
#include "panels/algorithm/algorithm_dialogs.h"
#include "panels/algorithm/algorithm_panel.h"
#include "panels/algorithm/algorithm_text.h"
#include "resources/menu_resource.h"
#include "test_files.h"

namespace {

constexpr int kOpen = 1545;
constexpr int kSave = 1547;
constexpr int kScalar = 1550;
constexpr int kArray = 1554;
constexpr int kDownLoad = 1546;
constexpr int kDownLoadFile = 1073;
constexpr int kNameEdit = 1072;
constexpr int kSecondEdit = 1549;
constexpr int kValueEdit = 1551;
constexpr int kUpdateCheck = 1444;

const QString kFilter = QStringLiteral("Algorithm files (*.alg);;All Files (*)");

QLineEdit* Edit(QDialog& dialog, int id) {
    return dialog.findChild<QLineEdit*>(QString::number(id));
}

QKeyEvent ReturnKey() {
    return QKeyEvent(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
}

class AlgorithmPanelTest : public AppFixture {
protected:
    void StartOnAlgorithm() {
        ASSERT_TRUE(Start());
        mainWindow->OnCommand(menus::kAlgorithmPanel);
        panel_ = dynamic_cast<CAlgObj*>(app->currentPanel);
        ASSERT_NE(panel_, nullptr);
        ASSERT_NE(Page(), nullptr);
        session->ClearCalls();
    }

    CAlgObj& Panel() { return *panel_; }
    CAlgDlg* Page() { return panel_->Page(); }
    void Click(int id) { Page()->Item<QPushButton>(id)->click(); }
    void SetEditor(const QString& text) { Page()->Editor()->setPlainText(text); }

    // Accepts the download dialog with these fields and remembers the name it offered.
    void AnswerDownload(const QString& name, const QString& swap = QStringLiteral("0"),
                        bool update = true) {
        dialogs->HandleModal([this, name, swap, update](QDialog& dialog) {
            offeredNames.append(Edit(dialog, kNameEdit)->text());
            offeredSwap = Edit(dialog, kSecondEdit)->text();
            auto* check = dialog.findChild<QCheckBox*>(QString::number(kUpdateCheck));
            offeredUpdate = check->isChecked();
            Edit(dialog, kNameEdit)->setText(name);
            Edit(dialog, kSecondEdit)->setText(swap);
            check->setChecked(update);
            return static_cast<int>(QDialog::Accepted);
        });
    }

    // Fills the scalar or array dialog and presses its set button, then OK.
    void AnswerVariable(const QString& name, const QString& variable, const QString& value,
                        int setButton, int setPresses = 0) {
        dialogs->HandleModal([=](QDialog& dialog) {
            offeredNames.append(Edit(dialog, kNameEdit)->text());
            Edit(dialog, kNameEdit)->setText(name);
            Edit(dialog, kSecondEdit)->setText(variable);
            Edit(dialog, kValueEdit)->setText(value);
            for (int i = 0; i < setPresses; ++i) {
                dialog.findChild<QPushButton*>(QString::number(setButton))->click();
                EXPECT_FALSE(dialog.result() == QDialog::Accepted) << "Set Var keeps it open";
            }
            dialog.accept();
            return dialog.result();
        });
    }

    QString WriteFile(const QString& name, const QByteArray& bytes) {
        return WriteTestFile(files.filePath(name), bytes);
    }

    QStringList offeredNames;
    QString offeredSwap;
    bool offeredUpdate = false;
    QTemporaryDir files;

private:
    CAlgObj* panel_ = nullptr;
};

using Calls = std::vector<std::string>;

TEST_F(AlgorithmPanelTest, EmptyEditorSendsThePrefixAndOneLineFeedAfterTheUpdate) {
    StartOnAlgorithm();
    AnswerDownload(QStringLiteral("ALG1"));
    Click(kDownLoad);
    EXPECT_EQ(offeredNames, QStringList{"ALG1"});
    EXPECT_EQ(offeredSwap, "0");
    EXPECT_TRUE(offeredUpdate);
    EXPECT_EQ(session->Calls(), (Calls{"UpdateAlgorithms()", "DownloadAlgorithm(ALG1,0,/**/\n)"}));
}

TEST_F(AlgorithmPanelTest, EveryEditorLineEndsInOneLineFeed) {
    StartOnAlgorithm();
    AnswerDownload(QStringLiteral("ALG2"), QStringLiteral("512"), false);
    SetEditor(QStringLiteral("O100 = I101;\nO101 = 2;"));
    Click(kDownLoad);
    SetEditor(QStringLiteral("O100 = I101;\nO101 = 2;\n"));
    Click(kDownLoad);
    EXPECT_EQ(session->Calls(),
              (Calls{"DownloadAlgorithm(ALG2,512,/**/O100 = I101;\nO101 = 2;\n)",
                     "DownloadAlgorithm(ALG2,512,/**/O100 = I101;\nO101 = 2;\n\n)"}))
        << "no ALG:UPDATE when unchecked; a final line break gives one more line feed";
}

TEST_F(AlgorithmPanelTest, LongLinesAndLongTextsAreSentWhole) {
    StartOnAlgorithm();
    AnswerDownload(QStringLiteral("ALG1"), QStringLiteral("0"), false);
    const QString longLine = QString(1000, QLatin1Char('x')) + QStringLiteral(";");
    QString text = longLine + QLatin1Char('\n') + longLine;
    SetEditor(text);
    Click(kDownLoad);
    ASSERT_EQ(session->Calls().size(), 1u);
    EXPECT_EQ(session->Calls().front(),
              "DownloadAlgorithm(ALG1,0,/**/" + text.toStdString() + "\n)");
}

TEST_F(AlgorithmPanelTest, ClosingTheDialogOrEscapeSendsNothing) {
    StartOnAlgorithm();
    dialogs->HandleModal([](QDialog& dialog) {
        Edit(dialog, kNameEdit)->setText(QStringLiteral("ALG9"));
        QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
        QCoreApplication::sendEvent(&dialog, &escape);
        return dialog.result();
    });
    Click(kDownLoad);
    EXPECT_TRUE(session->Calls().empty());
    EXPECT_EQ(Panel().algorithmName, "ALG1");
}

TEST_F(AlgorithmPanelTest, OnlyDownLoadStoresTheNameTheDialogsOffer) {
    StartOnAlgorithm();
    AnswerDownload(QStringLiteral("ALG5"));
    Click(kDownLoad);
    dialogs->AnswerFile(WriteFile(QStringLiteral("f.alg"), "O100 = 1;\n"));
    AnswerDownload(QStringLiteral("ALG7"));
    Click(kDownLoadFile);
    AnswerDownload(QStringLiteral("ALG5"));
    Click(kDownLoad);
    AnswerVariable(QString(), QString(), QString(), 1552);
    Click(kScalar);
    AnswerVariable(QString(), QString(), QString(), 1073);
    Click(kArray);
    EXPECT_EQ(offeredNames, (QStringList{"ALG1", "ALG5", "ALG5", "ALG5", "ALG5"}));
}

TEST_F(AlgorithmPanelTest, DownLoadFileSendsThePathUnread) {
    StartOnAlgorithm();
    const QString path = WriteFile(QStringLiteral("loop.alg"), "O100 = I101;\n");
    dialogs->AnswerFile(path);
    AnswerDownload(QStringLiteral("ALG3"));
    Click(kDownLoadFile);
    EXPECT_EQ(session->Calls(), (Calls{"UpdateAlgorithms()",
                                       "DownloadAlgorithm(ALG3,0," + path.toStdString() + ")"}));
    const DialogEvent chooser = dialogs->Events().front();
    EXPECT_EQ(chooser.kind, DialogEvent::OpenFile);
    EXPECT_EQ(chooser.title, "Select Algorithm file to be downloaded");
    EXPECT_EQ(chooser.text, kFilter);

    session->ClearCalls();
    dialogs->Clear();
    Click(kDownLoadFile);  // the chooser cancelled
    EXPECT_EQ(dialogs->Count(DialogEvent::Modal), 0);
    EXPECT_TRUE(session->Calls().empty());
}

TEST_F(AlgorithmPanelTest, FailedDownloadIsReportedAndKeepsTheEditor) {
    StartOnAlgorithm();
    const QString text = QStringLiteral("O100 = I101;\n");
    SetEditor(text);
    AnswerDownload(QStringLiteral("ALG1"));
    session->FailOperation("UpdateAlgorithms", driver::kTimeout, 1);
    Click(kDownLoad);
    EXPECT_EQ(session->Calls(), Calls{"UpdateAlgorithms()"}) << "no download after a failed update";
    EXPECT_EQ(dialogs->Messages(), QStringList{"Time Out !"});

    session->ClearCalls();
    dialogs->Clear();
    session->FailOperation("DownloadAlgorithm", driver::kTimeout, 1);
    Click(kDownLoad);
    EXPECT_EQ(dialogs->Messages(), QStringList{"Time Out !"});
    EXPECT_EQ(Page()->EditorText(), text);
    mainWindow->OnCommand(menus::kMainPanel);
    mainWindow->OnCommand(menus::kAlgorithmPanel);
    EXPECT_EQ(Page()->EditorText(), text);
}

TEST_F(AlgorithmPanelTest, EditorTextSurvivesAPanelSwitchExactly) {
    StartOnAlgorithm();
    EXPECT_FALSE(mainWindow->synchronizeAllowed);
    const QString text =
        QString(700, QLatin1Char('a')) + QStringLiteral("\n\n\tx\u00a0= 1;  \n/* \u00b0C */\n");
    SetEditor(text);
    mainWindow->OnCommand(menus::kStatusPanel);
    EXPECT_TRUE(mainWindow->synchronizeAllowed) << "greyed only while the page exists";
    EXPECT_EQ(Panel().savedText.value_or(QString()), text);
    mainWindow->OnCommand(menus::kAlgorithmPanel);
    EXPECT_FALSE(mainWindow->synchronizeAllowed);
    EXPECT_EQ(Page()->EditorText(), text);
}

TEST_F(AlgorithmPanelTest, EnterStartsANewLine) {
    StartOnAlgorithm();
    SetEditor(QStringLiteral("ab"));
    Page()->Editor()->moveCursor(QTextCursor::End);
    QKeyEvent inEditor = ReturnKey();
    QCoreApplication::sendEvent(Page()->Editor(), &inEditor);
    EXPECT_EQ(Page()->EditorText(), "ab\n");
    QKeyEvent onButton = ReturnKey();
    QCoreApplication::sendEvent(Page()->Item<QPushButton>(kOpen), &onButton);
    // A focused button takes Enter as a press, as in any dialog.
    EXPECT_EQ(Page()->EditorText(), "ab\n");
    EXPECT_EQ(dialogs->Count(DialogEvent::OpenFile), 1);
    EXPECT_EQ(CurrentPage(), Page()) << "Enter never closes the page";
}

TEST_F(AlgorithmPanelTest, SaveThenOpenGivesBackTheSavedText) {
    StartOnAlgorithm();
    const QString text = QStringLiteral("O100 = I101;\n\nif (x) {\n  y = 1;\n}\n");
    SetEditor(text);
    const QString path = files.filePath(QStringLiteral("saved"));
    dialogs->AnswerFile(path);
    Click(kSave);
    const DialogEvent chooser = dialogs->Events().front();
    EXPECT_EQ(chooser.kind, DialogEvent::SaveFile);
    EXPECT_EQ(chooser.title, "Save Algorithm to:");
    EXPECT_EQ(chooser.text, kFilter);
    QFile saved(path);
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly)) << "no extension added";
    EXPECT_EQ(saved.readAll(), text.toUtf8()) << "no carriage returns";

    SetEditor(QStringLiteral("other"));
    dialogs->AnswerFile(path);
    Click(kOpen);
    EXPECT_EQ(Page()->EditorText(), text);
    EXPECT_TRUE(dialogs->Messages().isEmpty());
    EXPECT_EQ(dialogs->Events().back().title, "Open Algorithm file:");
}

TEST_F(AlgorithmPanelTest, OpenShowsWindowsLineEndsAsLineBreaks) {
    StartOnAlgorithm();
    dialogs->AnswerFile(WriteFile(QStringLiteral("dos.alg"), "a\r\nb\r\n"));
    Click(kOpen);
    EXPECT_EQ(Page()->EditorText(), "a\nb\n");
}

TEST_F(AlgorithmPanelTest, FilesThatCannotBeShownLeaveTheEditorAlone) {
    StartOnAlgorithm();
    const QString text = QStringLiteral("keep me\n");
    SetEditor(text);
    struct Case {
        QString path;
        QStringList messages;
    };
    const QString notText = QStringLiteral(
        "This is not a plain text file (it holds a NUL byte or is not UTF-8 text).  The editor "
        "was left unchanged.");
    const std::vector<Case> cases = {
        {WriteFile(QStringLiteral("empty.alg"), QByteArray()), {}},
        {files.filePath(QStringLiteral("missing.alg")), {"Could not open file."}},
        {WriteFile(QStringLiteral("binary.alg"), QByteArray("O1\0\x01\x02", 5)), {notText}},
        {WriteFile(QStringLiteral("latin1.alg"),
                   "/* 20\xb0"
                   "C */"),
         {notText}},
    };
    for (const Case& c : cases) {
        dialogs->Clear();
        dialogs->AnswerFile(c.path);
        Click(kOpen);
        EXPECT_EQ(dialogs->Messages(), c.messages) << c.path.toStdString();
        EXPECT_EQ(Page()->EditorText(), text) << c.path.toStdString();
    }
}

TEST_F(AlgorithmPanelTest, SaveWhereNoFileCanBeMadeSaysSo) {
    StartOnAlgorithm();
    dialogs->AnswerFile(files.filePath(QStringLiteral("no/folder/x.alg")));
    Click(kSave);
    EXPECT_EQ(dialogs->Messages(), QStringList{"Could not open file."});
}

TEST_F(AlgorithmPanelTest, ScalarIsSetThenUpdatedFromSetVarAndOk) {
    StartOnAlgorithm();
    AnswerVariable(QStringLiteral("ALG2"), QStringLiteral("gain"), QStringLiteral("1.5"), 1552, 1);
    Click(kScalar);
    EXPECT_EQ(session->Calls(), (Calls{"SetAlgorithmScalar(ALG2,gain,1.5)", "UpdateAlgorithms()",
                                       "SetAlgorithmScalar(ALG2,gain,1.5)", "UpdateAlgorithms()"}));
    EXPECT_EQ(Panel().algorithmName, "ALG1") << "the dialogs do not store the name";

    session->ClearCalls();
    AnswerVariable(QStringLiteral("ALG2"), QStringLiteral("gain"), QString(), 1552, 1);
    Click(kScalar);
    EXPECT_TRUE(session->Calls().empty()) << "an empty field sends nothing";
    EXPECT_TRUE(dialogs->Messages().isEmpty());

    session->FailOperation("SetAlgorithmScalar", driver::kTimeout, 1);
    AnswerVariable(QStringLiteral("ALG2"), QStringLiteral("gain"), QStringLiteral("2"), 1552);
    Click(kScalar);
    EXPECT_EQ(session->Calls(), Calls{"SetAlgorithmScalar(ALG2,gain,2)"});
    EXPECT_EQ(dialogs->Messages(), QStringList{"Time Out !"});
}

TEST_F(AlgorithmPanelTest, ArrayValuesAreSplitAtCommas) {
    StartOnAlgorithm();
    struct Case {
        const char* typed;
        std::string sent;
    };
    const std::vector<Case> cases = {
        {"1,2,", "3:1 2 0"},          {"1,,3", "3:1 0 3"},  {"7", "1:7"},
        {" -2.5e1x, abc", "2:-25 0"}, {"1,2,3", "3:1 2 3"},
    };
    for (const Case& c : cases) {
        session->ClearCalls();
        AnswerVariable(QStringLiteral("ALG1"), QStringLiteral("coef"), QString::fromLatin1(c.typed),
                       1073);
        Click(kArray);
        EXPECT_EQ(session->Calls(),
                  (Calls{"SetAlgorithmArray(ALG1,coef," + c.sent + ")", "UpdateAlgorithms()"}))
            << c.typed;
    }
}

TEST_F(AlgorithmPanelTest, MoreThan256ValuesAreAllSent) {
    StartOnAlgorithm();
    QStringList typed;
    std::string expected = "300:";
    for (int i = 0; i < 300; ++i) {
        typed.append(QString::number(i));
        expected += (i == 0 ? "" : " ") + std::to_string(i);
    }
    AnswerVariable(QStringLiteral("ALG1"), QStringLiteral("big"), typed.join(QLatin1Char(',')),
                   1073);
    Click(kArray);
    ASSERT_FALSE(session->Calls().empty());
    EXPECT_EQ(session->Calls().front(), "SetAlgorithmArray(ALG1,big," + expected + ")");
}

TEST_F(AlgorithmPanelTest, FailedArrayIsNotUpdated) {
    StartOnAlgorithm();
    session->FailOperation("SetAlgorithmArray", driver::kTimeout, 1);
    AnswerVariable(QStringLiteral("ALG1"), QStringLiteral("coef"), QStringLiteral("1"), 1073);
    Click(kArray);
    EXPECT_EQ(session->Calls(), Calls{"SetAlgorithmArray(ALG1,coef,1:1)"});
    EXPECT_EQ(dialogs->Messages(), QStringList{"Time Out !"});
}

TEST(AlgorithmTextTest, NumbersReadAsTheStandardConversionDoes) {
    EXPECT_EQ(LeadingNumber("  \t42"), 42.0);
    EXPECT_EQ(LeadingNumber("+3.5V"), 3.5);
    EXPECT_EQ(LeadingNumber("1e3"), 1000.0);
    EXPECT_EQ(LeadingNumber(""), 0.0);
    EXPECT_EQ(LeadingNumber("--5"), 0.0);
    EXPECT_EQ(LeadingNumber("."), 0.0);
    EXPECT_TRUE(std::isinf(LeadingNumber("-1e999")) && LeadingNumber("-1e999") < 0);
    EXPECT_EQ(LeadingNumber("1e-999"), 0.0);
    // Out of range by magnitude, whatever the exponent's sign says.
    EXPECT_EQ(LeadingNumber("0." + std::string(400, '0') + "1"), 0.0);
    EXPECT_EQ(LeadingNumber("-0." + std::string(400, '0') + "1e5"), 0.0);
    EXPECT_EQ(LeadingNumber("1" + std::string(400, '0') + "e-10"), HUGE_VAL);
    EXPECT_EQ(LeadingNumber("-1" + std::string(400, '0') + "e-10"), -HUGE_VAL);
    EXPECT_EQ(LeadingNumber("0x10"), 16.0);
    EXPECT_EQ(LeadingNumber(" -0x1.8p1,"), -3.0);
    EXPECT_EQ(SplitArrayValues(","), (std::vector<double>{0, 0}));
}

}  // namespace
