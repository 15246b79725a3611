// Plain text files as the operator's algorithm files use them, and the
// conversion of home-platform chooser filters to Qt's form.

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "platform/file_filter.h"
#include "platform/text_file.h"
#include "test_files.h"

namespace {

using platform::ReadTextFile;
using platform::TextFileContents;
using platform::TextFileWrite;
using platform::WriteTextFile;

class TextFileTest : public ::testing::Test {
protected:
    QString Path(const QString& name) const { return directory.filePath(name); }

    QString WriteBytes(const QString& name, const QByteArray& bytes) const {
        return WriteTestFile(Path(name), bytes);
    }

    QByteArray Bytes(const QString& path) const {
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::ReadOnly));
        return file.readAll();
    }

    QTemporaryDir directory;
};

TEST_F(TextFileTest, WrittenTextReadsBackExactly) {
    const QString text = QStringLiteral("O100 = I101;\n\n  x\u00a0= 2; /* \u00b0C */\nlast");
    const QString path = Path(QStringLiteral("a.alg"));
    ASSERT_EQ(WriteTextFile(path, text), TextFileWrite::kWritten);
    EXPECT_EQ(Bytes(path), text.toUtf8()) << "no carriage returns added";
    const TextFileContents read = ReadTextFile(path);
    EXPECT_EQ(read.status, TextFileContents::kRead);
    EXPECT_EQ(read.text, text);
}

TEST_F(TextFileTest, ALeadingMarkSurvivesAndWhatCouldNotReadBackIsNotWritten) {
    const QString path = Path(QStringLiteral("mark.alg"));
    for (const QString& text : {QStringLiteral("\ufeffO100 = 1;"), QStringLiteral("\ufeff"),
                                QStringLiteral("\ufeff\ufeffx")}) {
        ASSERT_EQ(WriteTextFile(path, text), TextFileWrite::kWritten);
        EXPECT_EQ(ReadTextFile(path).text, text);
    }
    const QString kept = WriteBytes(QStringLiteral("kept.alg"), "old");
    for (const QString& text : {QStringLiteral("a") + QChar(u'\0') + QStringLiteral("b"),
                                QStringLiteral("x") + QChar(char16_t(0xD800))}) {
        EXPECT_EQ(WriteTextFile(kept, text), TextFileWrite::kNotText);
        EXPECT_EQ(Bytes(kept), QByteArray("old"));
        EXPECT_EQ(WriteTextFile(Path(QStringLiteral("new.alg")), text), TextFileWrite::kNotText);
        EXPECT_FALSE(QFile::exists(Path(QStringLiteral("new.alg"))));
    }
}

TEST_F(TextFileTest, ReplacingAFileTruncatesIt) {
    const QString path = WriteBytes(QStringLiteral("b.alg"), QByteArray(1000, 'x'));
    ASSERT_EQ(WriteTextFile(path, QStringLiteral("short")), TextFileWrite::kWritten);
    EXPECT_EQ(Bytes(path), QByteArray("short"));
}

TEST_F(TextFileTest, LineEndsAreKeptAsInTheFile) {
    const QString path = WriteBytes(QStringLiteral("crlf.alg"), "a\r\nb\r\n");
    EXPECT_EQ(ReadTextFile(path).text, QStringLiteral("a\r\nb\r\n"));
}

TEST_F(TextFileTest, EmptyMissingAndNonTextFilesAreTold) {
    EXPECT_EQ(ReadTextFile(WriteBytes(QStringLiteral("empty"), QByteArray())).status,
              TextFileContents::kEmpty);
    EXPECT_EQ(ReadTextFile(Path(QStringLiteral("missing"))).status, TextFileContents::kCannotOpen);
    EXPECT_EQ(ReadTextFile(directory.path()).status, TextFileContents::kCannotOpen);
    EXPECT_EQ(ReadTextFile(WriteBytes(QStringLiteral("nul"), QByteArray("ab\0cd", 5))).status,
              TextFileContents::kNotText);
    EXPECT_EQ(ReadTextFile(WriteBytes(QStringLiteral("latin1"), "caf\xe9")).status,
              TextFileContents::kNotText);
    EXPECT_EQ(ReadTextFile(WriteBytes(QStringLiteral("cut"), "x\xe2\x82")).status,
              TextFileContents::kNotText)
        << "a multi-byte character cut off at the end";
}

TEST_F(TextFileTest, UnwritablePlaceCannotBeOpened) {
    EXPECT_EQ(WriteTextFile(Path(QStringLiteral("no/such/folder/x.alg")), QStringLiteral("x")),
              TextFileWrite::kCannotOpen);
}

TEST(FileFilterTest, HomeFormBecomesQtForm) {
    EXPECT_EQ(platform::QtFileFilter(
                  QStringLiteral("Algorithm files (*.alg)|*.alg|All Files (*.*)|*.*||")),
              QStringLiteral("Algorithm files (*.alg);;All Files (*)"));
    EXPECT_EQ(platform::QtFileFilter(QStringLiteral("Text|*.txt;*.log||")),
              QStringLiteral("Text (*.txt *.log)"));
    EXPECT_EQ(platform::QtFileFilter(QStringLiteral("Data (*.dat)|*.dat")),
              QStringLiteral("Data (*.dat)"))
        << "without the closing bars";
}

}  // namespace
