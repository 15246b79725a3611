// Send All of the input/output page through the live instrument into the
// simulated driver: the commands the instrument receives, in order.

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QComboBox>

#include "app/sfp_app.h"
#include "config_page_operator.h"
#include "instrument/live_instrument.h"
#include "panels/scp/io_panel.h"
#include "recording_dialogs.h"
#include "simulator_libraries.h"

namespace {

std::string Cmd(const std::string& text) {
    return "qot7720_cmd \"" + text + "\"";
}

class IoPanelSimulatorTest : public ::testing::Test {
protected:
    void SetUp() override {
        auto live = OpenLiveInstrument(SimulatorLibraries::Path(SimulatorLibraries::kDriver));
        ASSERT_TRUE(live);
        app.instrument = std::move(live);
        panel.Show();
        page = panel.Page();
        ASSERT_NE(page, nullptr);
    }
    void TearDown() override { panel.Hide(); }

    void Click(int id) { page->Item<QAbstractButton>(id)->click(); }
    void Pick(int id, int index) { config_page_operator::Pick(*page, id, index); }

    SimulatorLibraries simulator;
    ScopedRecordingDialogs dialogs;
    CSfpApp app;
    CIoObj panel;
    CIoDlg* page = nullptr;
};

TEST_F(IoPanelSimulatorTest, SendAllSendsThePageInTheInstrumentOrder) {
    page->Selector().Item<QAbstractButton>(1444)->click();
    page->Selector().Item<QAbstractButton>(1446)->click();
    for (int id : {1482, 1478, 1471, 1469, 1467, 1464, 1462, 1459, 1475}) {
        Click(id);
    }
    Pick(1534, 3);  // trigger line
    Pick(1533, 6);  // excitation voltage: never part of Send All
    Pick(1466, 1);  // gain MAX
    page->Item<QComboBox>(1465)->setEditText("0.1 kHz");
    ASSERT_TRUE(dialogs->Messages().isEmpty()) << dialogs->Messages().join("|").toStdString();
    const std::size_t mark = simulator.LogMark();
    page->Item<QAbstractButton>(ConfigPage::kSendAllButton)->click();
    const std::vector<std::string> expected = {
        Cmd("INP:FILT:LPAS:FREQ 100,(@100,102)"),
        Cmd("INP:GAIN MAX,(@100,102)"),
        Cmd("INP:FILT:STATE ON,(@100,102)"),
        Cmd("INP:LOW WVOL,(@100,102)"),
        Cmd("INP:POL INV,(@100,102)"),
        Cmd("OUTP:CURR:AMPL MIN,(@100,102)"),
        Cmd("OUTP:CURR ON,(@100,102)"),
        Cmd("OUTP:POL NORM,(@100,102)"),
        Cmd("OUTP:TYPE ACTIVE,(@100,102)"),
        Cmd("OUTP:TTLT:SOUR ALG"),
        Cmd("OUTP:TTLT3 ON"),
    };
    EXPECT_EQ(simulator.DriverCalls(mark), expected);
    EXPECT_TRUE(dialogs->Messages().isEmpty()) << dialogs->Messages().join("|").toStdString();
}

TEST_F(IoPanelSimulatorTest, AFailedCommandEndsSendAllWithOneReport) {
    page->Selector().Item<QAbstractButton>(1444)->click();
    Click(1459);
    Click(1461);
    Click(1463);
    simulator.DriverDirective("fail-match \"INP:LOW\" 0xBFFF0015");
    const std::size_t mark = simulator.LogMark();
    page->Item<QAbstractButton>(ConfigPage::kSendAllButton)->click();
    const std::vector<std::string> calls = simulator.DriverCalls(mark);
    EXPECT_TRUE(HasLineStarting(calls, Cmd("INP:FILT:STATE ON,(@100)")));
    EXPECT_TRUE(HasLineStarting(calls, Cmd("INP:LOW FLO,(@100)")));
    EXPECT_FALSE(HasLineStarting(calls, Cmd("INP:POL NORM,(@100)")));
    EXPECT_EQ(dialogs->Messages(),
              QStringList{"Time Out !\nwhile sending INP:LOW FLO,(@100) from Send All"});
    EXPECT_TRUE(page->Item<QAbstractButton>(1461)->isChecked()) << "Send All forgets nothing";
}

}  // namespace
