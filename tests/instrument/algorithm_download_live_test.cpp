// The algorithm page against the simulated driver: what the operator typed
// reaches the driver byte for byte.

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <cstdio>

#include "app/sfp_app.h"
#include "instrument/live_instrument.h"
#include "panels/algorithm/algorithm_panel.h"
#include "recording_dialogs.h"
#include "simulator_libraries.h"

namespace {

// A text as the call log writes it: double-quoted, C escapes, other
// non-printable bytes as \xNN.
std::string Quoted(const std::string& text) {
    std::string quoted = "\"";
    for (const char c : text) {
        const auto code = static_cast<unsigned char>(c);
        switch (c) {
            case '"':
                quoted += "\\\"";
                continue;
            case '\\':
                quoted += "\\\\";
                continue;
            case '\n':
                quoted += "\\n";
                continue;
            case '\r':
                quoted += "\\r";
                continue;
            case '\t':
                quoted += "\\t";
                continue;
            default:
                break;
        }
        if (code >= 0x20 && code < 0x7F) {
            quoted += c;
            continue;
        }
        char hex[8];
        std::snprintf(hex, sizeof hex, "\\x%02X", static_cast<unsigned>(code));
        quoted += hex;
    }
    return quoted + "\"";
}

class AlgorithmDownloadLiveTest : public ::testing::Test {
protected:
    void SetUp() override {
        auto live = OpenLiveInstrument(SimulatorLibraries::Path(SimulatorLibraries::kDriver));
        ASSERT_TRUE(live);
        app.instrument = std::move(live);
        panel.Show();
        ASSERT_NE(panel.Page(), nullptr);
        mark = simulator.LogMark();
    }

    void Answer(const QString& name, const QString& second, const QString& value = QString()) {
        dialogs->HandleModal([name, second, value](QDialog& dialog) {
            dialog.findChild<QLineEdit*>(QStringLiteral("1072"))->setText(name);
            dialog.findChild<QLineEdit*>(QStringLiteral("1549"))->setText(second);
            if (auto* values = dialog.findChild<QLineEdit*>(QStringLiteral("1551"))) {
                values->setText(value);
            }
            dialog.accept();
            return dialog.result();
        });
    }

    void Click(int id) { panel.Page()->Item<QPushButton>(id)->click(); }

    SimulatorLibraries simulator;
    ScopedRecordingDialogs dialogs;
    CSfpApp app;
    CAlgObj panel;
    std::size_t mark = 0;
};

TEST_F(AlgorithmDownloadLiveTest, EditorTextArrivesByteForByte) {
    const QString text = QStringLiteral("/* \"gain\" \\ 20 \u00b0C */\n\tO100 = I101 * 2;\n") +
                         QString(600, QLatin1Char('x')) + QStringLiteral("\n");
    panel.Page()->Editor()->setPlainText(text);
    Answer(QStringLiteral("ALG4"), QStringLiteral("0"));
    Click(1546);
    const std::string sent = "/**/" + text.toStdString() + "\n";
    EXPECT_EQ(simulator.DriverCalls(mark),
              (std::vector<std::string>{"qot7720_cmd \"ALG:UPDATE\"",
                                        "qot7720_downloadAlg \"ALG4\" 0 " + Quoted(sent)}));
    EXPECT_TRUE(dialogs->Messages().isEmpty());
}

TEST_F(AlgorithmDownloadLiveTest, ArrayWithATrailingCommaEndsInZero) {
    Answer(QStringLiteral("ALG1"), QStringLiteral("coef"), QStringLiteral("1,2.5,"));
    Click(1554);
    EXPECT_EQ(simulator.DriverCalls(mark),
              (std::vector<std::string>{"qot7720_algArray \"ALG1\" \"coef\" 3 1 2.5 0",
                                        "qot7720_cmd \"ALG:UPDATE\""}));
}

TEST_F(AlgorithmDownloadLiveTest, RefusedNameIsReportedAndTheEditorKept) {
    const QString text = QStringLiteral("O100 = 1;");
    panel.Page()->Editor()->setPlainText(text);
    Answer(QStringLiteral("NOTANALG"), QStringLiteral("0"));
    Click(1546);
    EXPECT_EQ(dialogs->Messages().size(), 1) << "the driver's own text for the bad name";
    EXPECT_EQ(panel.Page()->EditorText(), text);
}

}  // namespace
