#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <new>
#include <numeric>
#include <sstream>

#include "app_fixture.h"
#include "controls/framed_label.h"
#include "instrument/live_instrument.h"
#include "page_keys.h"
#include "panels/measurement/fifo_panel.h"
#include "resources/menu_resource.h"
#include "simulator_libraries.h"

namespace {

constexpr int kFailure = -1074000000;
constexpr int kGridCaption = 1573;
constexpr int kReadCount = 1575;
constexpr int kRemaining = 1576;
constexpr int kFirstReading = 1549;
constexpr int kReadFifo = 1571;

// Reading n holds the value n, so that a cell names the reading it shows.
std::vector<double> Readings(int first, int count) {
    std::vector<double> values(static_cast<std::size_t>(count));
    std::iota(values.begin(), values.end(), static_cast<double>(first));
    return values;
}

QStringList Numbers(int first, int count) {
    QStringList texts;
    for (int i = 0; i < count; ++i) {
        texts.append(QString::number(first + i));
    }
    return texts;
}

class FifoPanelTest : public AppFixture {
protected:
    CFifoDlg& Open() {
        if (mainWindow.isNull()) {
            EXPECT_TRUE(Start());
        }
        if (session != nullptr) {
            session->ClearCalls();  // what the main page asked at start-up
        }
        mainWindow->OnCommand(menus::kFifoPanel);
        page_ = dynamic_cast<CFifoDlg*>(CurrentPage());
        EXPECT_NE(page_, nullptr);
        return *page_;
    }

    CFifoObj& Panel() { return *dynamic_cast<CFifoObj*>(app->currentPanel); }
    QString Text(int id) const { return page_->Item<FramedLabel>(id)->Text(); }
    QStringList Cells() const { return page_->CellTexts(); }
    QStringList Captions() const {
        return {Text(kGridCaption), Text(kReadCount), Text(kRemaining)};
    }
    void Read() { page_->Item<QPushButton>(kReadFifo)->click(); }
    void EnterFirst(const QString& text) {
        auto* edit = page_->Item<QLineEdit>(kFirstReading);
        edit->setText(text);
        QTest::keyClick(edit, Qt::Key_Return);
    }

    CFifoDlg* page_ = nullptr;
};

QStringList CaptionsFor(int first, int count, int remaining) {
    return {QStringLiteral("Fifo elements %1 through %2 :").arg(first).arg(first + 19),
            QStringLiteral("Read from Fifo:  %1").arg(count),
            QStringLiteral("Remaining in Fifo:  %1  ").arg(remaining)};
}

// A panel whose memory has run out.
class OutOfMemoryFifo : public CFifoObj {
protected:
    std::vector<double> NewBuffer(std::size_t) override { throw std::bad_alloc(); }
};

}  // namespace

TEST_F(FifoPanelTest, EmulationShowsFortyMadeUpValuesAndTheirRanges) {
    Open();
    EXPECT_EQ(Cells(), QStringList(20, QString()));
    EXPECT_EQ(Captions(), CaptionsFor(1, 0, 0));
    Read();
    EXPECT_EQ(Cells().mid(0, 5), (QStringList{"1.01", "2.02", "3.03", "4.04", "5.05"}));
    EXPECT_EQ(Captions(), CaptionsFor(1, 40, 0));
    EXPECT_EQ(session->CallCount("QueryFifoCount") + session->CallCount("ReadFifo"), 0);

    EnterFirst("21");
    EXPECT_EQ(Cells().front(), "21.21");
    EXPECT_EQ(Cells().back(), "40.4");
    EXPECT_EQ(Text(kGridCaption), "Fifo elements 21 through 40 :");

    for (const char* outside : {"41", "0", "x"}) {
        dialogs->Clear();
        EnterFirst(outside);
        EXPECT_EQ(dialogs->Messages(), QStringList{"Fifo elements 1 through 40 :"}) << outside;
        EXPECT_EQ(Panel().firstShown, 21) << outside;
    }

    EnterFirst("38");
    QStringList expected{"38.38", "39.39", "40.4"};
    expected.append(QStringList(17, "No Data"));
    EXPECT_EQ(Cells(), expected);

    // A second read leaves the made-up values as they are.
    Read();
    EXPECT_EQ(Cells(), expected);
    EXPECT_EQ(Captions(), CaptionsFor(38, 40, 0));
}

TEST_F(FifoPanelTest, ValuesSurvivePanelSwitches) {
    Open();
    Read();
    EnterFirst("6");
    mainWindow->OnCommand(menus::kMainPanel);
    Open();
    EXPECT_EQ(Cells().front(), "6.06");
    EXPECT_EQ(Captions(), CaptionsFor(6, 40, 0));
    EXPECT_EQ(page_->Item<QLineEdit>(kFirstReading)->text(), "6");
}

TEST_F(FifoPanelTest, AtMostAThousandValuesPerRead) {
    session->ActAsLive();
    session->SetFifo(Readings(1, 2500));
    Open();
    Read();
    EXPECT_EQ(session->Calls(), (std::vector<std::string>{"QueryFifoCount()", "ReadFifo(1000)"}));
    EXPECT_EQ(Cells(), Numbers(1, 20));
    EXPECT_EQ(Captions(), CaptionsFor(1, 1000, 1500));
    Read();
    EXPECT_EQ(Cells(), Numbers(1001, 20));
    EXPECT_EQ(Captions(), CaptionsFor(1, 1000, 500));
    Read();
    EXPECT_EQ(Captions(), CaptionsFor(1, 500, 0));
    EXPECT_EQ(session->Calls().back(), "ReadFifo(500)");
    EXPECT_TRUE(dialogs->Messages().isEmpty());
}

TEST_F(FifoPanelTest, AShorterReadReturnsTheFirstShownToOne) {
    session->ActAsLive();
    session->SetFifo(Readings(1, 1000));
    Open();
    Read();
    EnterFirst("900");
    ASSERT_EQ(Cells().front(), "900");
    session->SetFifo(Readings(5001, 300));
    Read();
    EXPECT_EQ(Panel().firstShown, 1);
    EXPECT_EQ(page_->Item<QLineEdit>(kFirstReading)->text(), "1");
    EXPECT_EQ(Cells(), Numbers(5001, 20));
    EXPECT_EQ(Captions(), CaptionsFor(1, 300, 0));
}

TEST_F(FifoPanelTest, AnEmptyFifoKeepsThePreviousValues) {
    session->ActAsLive();
    session->SetFifo(Readings(1, 40));
    Open();
    Read();
    EnterFirst("5");
    const QStringList before = Cells();
    Read();
    EXPECT_EQ(dialogs->Messages(), QStringList{"Fifo is empty."});
    EXPECT_EQ(Cells(), before);
    EXPECT_EQ(Captions(), CaptionsFor(5, 40, 0));
    EXPECT_EQ(session->CallCount("ReadFifo"), 1);
}

TEST_F(FifoPanelTest, AFailedCountQueryKeepsThePreviousValues) {
    session->ActAsLive();
    session->SetFifo(Readings(1, 40));
    session->SetErrorMessage(kFailure, "refused");
    Open();
    Read();
    session->FailOperation("QueryFifoCount", kFailure, 1);
    Read();
    EXPECT_EQ(dialogs->Messages(), QStringList{"refused"});
    EXPECT_EQ(Cells(), Numbers(1, 20));
    EXPECT_EQ(Captions(), CaptionsFor(1, 40, 0));
    EXPECT_EQ(session->CallCount("ReadFifo"), 1);
}

// The counts stay as the read set them; the cells show nothing rather than
// the previous read's values or memory that was never written.
TEST_F(FifoPanelTest, AFailedReadShowsNoValuesAndHoldsOnlyZeros) {
    session->ActAsLive();
    session->SetFifo(Readings(1, 40));
    session->SetErrorMessage(kFailure, "refused");
    Open();
    Read();
    session->SetFifo(Readings(101, 60));
    session->FailOperation("ReadFifo", kFailure, 1);
    Read();
    EXPECT_EQ(dialogs->Messages(), QStringList{"refused"});
    EXPECT_EQ(Cells(), QStringList(20, QString()));
    EXPECT_EQ(Captions(), CaptionsFor(1, 60, 0));
    ASSERT_NE(Panel().Buffer(), nullptr);
    EXPECT_EQ(*Panel().Buffer(), std::vector<double>(60, 0.0));
    Read();
    EXPECT_EQ(Cells(), Numbers(101, 20));
}

TEST_F(FifoPanelTest, AFailedAllocationIsReportedAndShowsNoValues) {
    session->ActAsLive();
    session->SetFifo(Readings(1, 40));
    ASSERT_TRUE(Start());
    app->panels.back() = std::make_unique<OutOfMemoryFifo>();
    Open();
    Read();
    EXPECT_EQ(dialogs->Messages(), QStringList{"Memory allocation failed."});
    EXPECT_EQ(Cells(), QStringList(20, QString()));
    EXPECT_EQ(session->CallCount("ReadFifo"), 0);
    EXPECT_FALSE(page_->ReadInProgress());
}

TEST_F(FifoPanelTest, TheGridFitsBetweenItsCaptionAndTheCounts) {
    Open();
    Read();
    page_->grab();
    const QRect grid = page_->GridRect();
    const QRect caption = page_->Item(kGridCaption)->geometry();
    EXPECT_EQ(grid.left(), caption.left());
    EXPECT_EQ(grid.width(), caption.width());
    EXPECT_GT(grid.top(), caption.bottom());
    EXPECT_LT(grid.bottom(), page_->Item(kReadCount)->geometry().top());
    EXPECT_GE(grid.height() / 4, page_->fontMetrics().height());  // a value fits its cell
}

TEST_F(FifoPanelTest, ReadAndFirstReadingByKeyboardAlone) {
    session->ActAsLive();
    session->SetFifo(Readings(1, 40));
    Open();
    ASSERT_TRUE(ActivateForKeys(*mainWindow));
    ASSERT_TRUE(TabTo(*mainWindow, kReadFifo));
    PressKey(*mainWindow, Qt::Key_Space);
    ASSERT_EQ(Cells(), Numbers(1, 20));

    PressKey(*mainWindow, Qt::Key_Tab);
    ASSERT_EQ(FocusedId(), kFirstReading);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(QApplication::focusWidget(), "21");
    PressKey(*mainWindow, Qt::Key_Return);
    EXPECT_EQ(Cells().front(), "21");
    EXPECT_EQ(Text(kGridCaption), "Fifo elements 21 through 40 :");

    session->SetFifo(Readings(101, 60));
    PressKey(*mainWindow, Qt::Key_Tab);
    ASSERT_EQ(FocusedId(), kReadFifo);
    PressKey(*mainWindow, Qt::Key_Return);
    EXPECT_EQ(Cells(), Numbers(121, 20));
    EXPECT_EQ(Captions(), CaptionsFor(21, 60, 0));
    EXPECT_TRUE(dialogs->Messages().isEmpty());
}

// ---- against the simulated instrument ----

namespace {

class FifoPanelSimulatorTest : public FifoPanelTest {
protected:
    void SetUp() override {
        FifoPanelTest::SetUp();
        ASSERT_TRUE(UseSimulatedInstrument(*app, session));
    }

    void FillFifo(int first, int count) {
        std::ostringstream directive;
        directive << "fifo";
        for (int i = 0; i < count; ++i) {
            directive << ' ' << first + i;
        }
        simulator.DriverDirective(directive.str());
    }

    SimulatorLibraries simulator;
};

}  // namespace

TEST_F(FifoPanelSimulatorTest, TwentyFiveHundredValuesTakeTwoReadsAndLeaveFiveHundred) {
    FillFifo(1, 2500);
    Open();
    const std::size_t mark = simulator.LogMark();
    Read();
    EXPECT_EQ(Cells(), Numbers(1, 20));
    EXPECT_EQ(Captions(), CaptionsFor(1, 1000, 1500));
    Read();
    EXPECT_EQ(Cells(), Numbers(1001, 20));
    EXPECT_EQ(Captions(), CaptionsFor(1, 1000, 500));
    EXPECT_EQ(CountLinesStarting(simulator.DriverCalls(mark), "qot7720_readFifo_Q 1000 1000"), 2);
    EXPECT_TRUE(dialogs->Messages().isEmpty());
}

TEST_F(FifoPanelSimulatorTest, AnEmptyFifoAndATimedOutReadAreReported) {
    FillFifo(1, 30);
    Open();
    Read();
    ASSERT_EQ(Cells(), Numbers(1, 20));
    Read();
    EXPECT_EQ(dialogs->Messages(), QStringList{"Fifo is empty."});
    EXPECT_EQ(Cells(), Numbers(1, 20));

    dialogs->Clear();
    FillFifo(201, 10);
    simulator.DriverDirective("fail-next qot7720_readFifo_Q 0xBFFF0015");
    Read();
    EXPECT_EQ(dialogs->Messages(),
              QStringList{"Time Out !\nwhile calling qot7720_readFifo_Q (count 10) from Fifo"});
    EXPECT_EQ(Cells(), QStringList(20, QString()));
    EXPECT_EQ(Captions(), CaptionsFor(1, 10, 0));
}

// The values read go to the clipboard and to a CSV file as the same doubles,
// with their reading numbers; nothing is offered before a read.
TEST_F(FifoPanelSimulatorTest, CtrlCAndSaveToCsvGiveTheValuesRead) {
    const std::vector<double> values{0.1, -1.0 / 3.0, 6.02214076e23, 5e-324};
    simulator.DriverDirective("fifo 0.1 -0.33333333333333331 6.02214076e23 5e-324");
    Open();
    auto* save = CurrentPage()->findChild<QPushButton*>("saveToCsv");
    ASSERT_NE(save, nullptr);
    EXPECT_FALSE(save->isEnabled());
    Read();
    ASSERT_TRUE(save->isEnabled());
    ASSERT_TRUE(ActivateForKeys(*mainWindow));
    auto* read = CurrentPage()->findChild<QPushButton*>("1571");
    read->setFocus();
    QTest::keyClick(read, Qt::Key_C, Qt::ControlModifier);
    const QString path = simulator.TemporaryPath("fifo.csv");
    dialogs->AnswerFile(path);
    save->click();
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QStringList csv = QString::fromUtf8(file.readAll()).split('\n');
    const QStringList copied = QApplication::clipboard()->text().split('\n');
    ASSERT_EQ(csv.size(), 6) << csv.join('|').toStdString();
    ASSERT_EQ(copied.size(), 5) << copied.join('|').toStdString();
    EXPECT_EQ(csv.front(), "index,value");
    for (int i = 0; i < 4; ++i) {
        const QStringList row = csv[i + 1].split(',');
        ASSERT_EQ(row.size(), 2);
        EXPECT_EQ(row[0], QString::number(i + 1));
        EXPECT_EQ(row[1].toDouble(), values[static_cast<std::size_t>(i)]) << row[1].toStdString();
        EXPECT_EQ(copied[i], row.join('\t'));
    }
    EXPECT_TRUE(dialogs->Messages().isEmpty());
}
