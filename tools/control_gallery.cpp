// Every custom-drawn control on one page, to look at: the main panel's title
// bar with its logos, framed labels, lamps, the trigger page's knobs and
// levers, the channel selector in its three modes and the two progress
// dialogs. Not installed; for developers and screenshots.
//
//   control_gallery [--quit-after MS]

#include <QApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QTimer>
#include <memory>
#include <vector>

#include "controls/bitmap_label.h"
#include "controls/bitmap_resource.h"
#include "controls/channel_selector_dialog.h"
#include "controls/elapsed_time_dialog.h"
#include "controls/framed_label.h"
#include "controls/lamp.h"
#include "controls/notify_message_event.h"
#include "controls/panel_color.h"
#include "controls/rotary_switch.h"
#include "controls/slide_switch.h"
#include "platform/page_builder.h"
#include "platform/template_page.h"
#include "platform/tick_count.h"
#include "resources/string_table.h"

namespace {

using templates::ControlKind;
using templates::kHidden;
using templates::kNoStyle;

constexpr int kTrigSourceMessage = 1124;
constexpr int kTrigLineMessage = 1125;
constexpr int kArmSourceMessage = 1126;
constexpr int kArmLineMessage = 1127;
constexpr int kEightMessage = 1128;
constexpr ColorRef kBlue = PaletteRgb(0, 0, 255);

templates::DialogTemplate GalleryTemplate() {
    templates::DialogTemplate page;
    page.id = 0;
    page.width = 700;
    page.height = 320;
    page.controls = {
        {1000, ControlKind::Frame, "", 4, 3, 692, 16, kNoStyle},
        {1309, ControlKind::Frame, "", 44, 5, 612, 12, kNoStyle},
        {1002, ControlKind::Frame, "", 8, 5, 30, 12, kNoStyle},
        {1001, ControlKind::Frame, "", 662, 5, 30, 12, kNoStyle},
        {1006, ControlKind::Frame, "", 4, 24, 240, 44, kNoStyle},
        {templates::kStaticId, ControlKind::Label, "Instrument:", 10, 31, 40, 8, kNoStyle},
        {1011, ControlKind::Frame, "", 52, 29, 110, 12, kNoStyle},
        {1007, ControlKind::Label, "Slot:", 168, 31, 18, 8, kNoStyle},
        {1010, ControlKind::Frame, "", 188, 29, 40, 12, kNoStyle},
        {1004, ControlKind::OwnerDrawButton, "", 10, 47, 14, 14, kNoStyle},
        {templates::kStaticId, ControlKind::Label, "Active", 28, 50, 30, 8, kNoStyle},
        {1005, ControlKind::OwnerDrawButton, "", 70, 47, 14, 14, kNoStyle},
        {templates::kStaticId, ControlKind::Label, "Emulated", 88, 50, 40, 8, kNoStyle},
        {1312, ControlKind::Frame, "", 4, 72, 240, 14, kNoStyle},
        {1313, ControlKind::Frame, "", 4, 90, 80, 14, kNoStyle},
        {1037, ControlKind::Frame, "", 92, 90, 14, 14, kNoStyle},
        {1030, ControlKind::Frame, "", 108, 90, 14, 14, kNoStyle},
        {1018, ControlKind::Frame, "", 128, 90, 116, 14, kNoStyle},
        {1320, ControlKind::Frame, "", 4, 108, 240, 14, kNoStyle},
        {1530, ControlKind::Frame, "", 4, 128, 1, 1, kHidden},
        {1531, ControlKind::Frame, "", 124, 128, 1, 1, kHidden},
        {1532, ControlKind::Frame, "", 244, 128, 1, 1, kHidden},
        {1068, ControlKind::Frame, "", 250, 24, 140, 100, kHidden},
        {1067, ControlKind::Frame, "", 392, 24, 72, 100, kHidden},
        {1069, ControlKind::Frame, "", 466, 24, 140, 100, kHidden},
        {1070, ControlKind::Frame, "", 608, 24, 72, 100, kHidden},
        {1071, ControlKind::Frame, "", 370, 150, 140, 110, kHidden},
    };
    return page;
}

class GalleryPage : public QWidget {
public:
    GalleryPage() {
        setWindowTitle(QStringLiteral("Control gallery"));
        setAutoFillBackground(true);
        setMouseTracking(true);
        platform::BuildControls(GalleryTemplate(), *this);
        AttachWindowControls();
        CreateSwitches();
        CreateSelectors();
    }

protected:
    void paintEvent(QPaintEvent* /*event*/) override {
        QPainter painter(this);
        painter.fillRect(rect(), ToQColor(PanelColor(panel_colors::kLightGrey)));
        trigLine_->Paint(painter);
        trigSource_->Paint(painter);
        armSource_->Paint(painter);
        armLine_->Paint(painter);
        eight_->Paint(painter);
    }

    void mousePressEvent(QMouseEvent* event) override { ForEach(&Press, event->position()); }
    void mouseDoubleClickEvent(QMouseEvent* event) override { ForEach(&Press, event->position()); }
    void mouseMoveEvent(QMouseEvent* event) override { ForEach(&Move, event->position()); }
    void mouseReleaseEvent(QMouseEvent* event) override { ForEach(&Release, event->position()); }

    void customEvent(QEvent* event) override {
        if (event->type() != NotifyMessageEvent::Type()) {
            return;
        }
        const int message = static_cast<NotifyMessageEvent*>(event)->Message();
        ApplyEnableRules();
        message_->SetText(QString::asprintf(
            "Message %d: knob %s, arm %s, lines %d / %d", message, qPrintable(Label(*trigSource_)),
            qPrintable(Label(*armSource_)), trigLine_->Selected(), armLine_->Selected()));
    }

private:
    template <typename Control>
    Control* Own(std::unique_ptr<Control> control, int id) {
        Control* raw = control.release();
        raw->Attach(*this, id);  // the page owns it from here on
        return raw;
    }

    FramedLabel* Framed(int id, ColorRef background, ColorRef text, bool bevelled, bool raised,
                        const QString& value) {
        auto* label = Own(
            std::make_unique<FramedLabel>(background, text, PanelColor(2), PanelColor(3), bevelled),
            id);
        if (raised) {
            label->SwapEdgeColors();
        }
        label->SetText(value);
        return label;
    }

    void AttachWindowControls() {
        const ColorRef teal = PanelColor(panel_colors::kTeal);
        Framed(1000, teal, kBlack, true, true, QString());
        Framed(1309, teal, kBlack, false, false, strings::LoadString(strings::kControllerTitle));
        Own(std::make_unique<BitmapLabel>(bitmaps::kTitleLogoLeft), 1002);
        Own(std::make_unique<BitmapLabel>(bitmaps::kTitleLogoRight), 1001);
        Framed(1006, PanelColor(6), kBlack, true, false, QString());
        Framed(1011, PanelColor(0), kBlack, true, false, QStringLiteral("EMULATED"));
        Framed(1010, PanelColor(0), kBlack, true, false, QStringLiteral("12"));
        Own(std::make_unique<Lamp>(Rgb(0, 255, 0), 0xC0C0C0), 1004);
        Own(std::make_unique<Lamp>(kDarkGreyBrush, 0xC0C0C0), 1005);
        auto caption = std::make_unique<FramedLabel>(PanelColor(6), kBlue, kBlack, kBlack, true);
        Own(std::move(caption), 1312)
            ->SetText(
                QString::asprintf(qPrintable(strings::LoadString(strings::kCvtCaption)), 10, 19));
        Framed(1313, PanelColor(0), kBlack, true, false,
               QStringLiteral("Far too wide a text for its label"));
        Framed(1037, PanelColor(0), kBlack, true, false, QStringLiteral("1"));
        Framed(1030, PanelColor(0), kBlack, true, false, QStringLiteral("0"));
        Framed(1018, teal, kWhite, true, true, strings::LoadString(strings::kStatusPanel));
        message_ = Framed(1320, PanelColor(0), kBlack, true, false,
                          QStringLiteral("Notify messages show here"));
    }

    QRect Area(int id) const { return platform::FindControl(*this, id)->geometry(); }

    void CreateSwitches() {
        const ColorRef highlight = PanelColor(panel_colors::kButtonHighlight);
        const ColorRef shadow = PanelColor(panel_colors::kButtonShadow);
        const int style = SlideSwitch::kSunkenFrame | SlideSwitch::kDetents;
        // Created in the trigger page's order, so Tab visits them in it.
        trigSource_ =
            std::make_unique<RotarySwitch>(strings::kTrigSourceList, strings::kTrigSourceTitle,
                                           *this, Area(1068), 3.5, kBlue, kTrigSourceMessage);
        trigLine_ = std::make_unique<SlideSwitch>(
            *this, strings::kTrigTtltList, strings::kTrigTtltTitle, style, kTrigLineMessage,
            Area(1067), 0xC0C0C0, highlight, shadow, 0xFF0000);
        armSource_ =
            std::make_unique<RotarySwitch>(strings::kArmSourceList, strings::kArmSourceTitle, *this,
                                           Area(1069), 3.5, kBlue, kArmSourceMessage);
        armLine_ = std::make_unique<SlideSwitch>(*this, strings::kTrigTtltList,
                                                 strings::kArmTtltTitle, style, kArmLineMessage,
                                                 Area(1070), 0xC0C0C0, highlight, shadow, 0xFF0000);
        eight_ = std::make_unique<RotarySwitch>(strings::kTrigTtltList, strings::kTrigTtltTitle,
                                                *this, Area(1071), 3.5, kBlue, kEightMessage);
        // As the trigger page shows a trigger source of TTLT line 3.
        trigLine_->SetPosition(3);
        eight_->SetPosition(2);
        ApplyEnableRules();
    }

public:
    // Shows the focus frame; Tab moves on, the arrow keys turn the knob.
    void FocusTriggerKnob() { trigSource_->FocusWidget()->setFocus(); }

private:
    void CreateSelectors() {
        const CChanSelDlg::CheckStates checks = {1, -1, 1, -1, -1, -1, -1, 1};
        selectors_.push_back(new CChanSelDlg(*this, 8, CChanSelDlg::kMultipleChannels,
                                             Area(1530).topLeft(), checks, QString()));
        selectors_.push_back(new CChanSelDlg(*this, 0, CChanSelDlg::kManualEntry,
                                             Area(1531).topLeft(), checks,
                                             QStringLiteral("100,106,115:127")));
        selectors_.push_back(new CChanSelDlg(*this, 42, CChanSelDlg::kSingleChannel,
                                             Area(1532).topLeft(), checks, QString()));
    }

    // The trigger page's rules: the line levers follow TTLT, the arm knob Timer.
    void ApplyEnableRules() {
        SetEnabled(*trigLine_, trigSource_->Selected() == 0);
        SetEnabled(*armSource_, trigSource_->Selected() == 4);
        SetEnabled(*armLine_, armSource_->Enabled() && armSource_->Selected() == 0);
    }

    template <typename Switch>
    static void SetEnabled(Switch& control, bool enabled) {
        if (control.Enabled() != enabled) {
            control.Enable(enabled);
        }
    }

    static QString Label(const RotarySwitch& knob) { return knob.Labels().value(knob.Selected()); }

    using Handler = void (*)(GalleryPage&, const QPoint&);
    static void Press(GalleryPage& page, const QPoint& point) {
        page.trigLine_->MouseDown(point);
        page.trigSource_->MouseDown(point);
        page.armLine_->MouseDown(point);
        page.armSource_->MouseDown(point);
        page.eight_->MouseDown(point);
    }
    static void Move(GalleryPage& page, const QPoint& point) {
        page.trigLine_->MouseMove(point);
        page.trigSource_->MouseMove(point);
        page.armLine_->MouseMove(point);
        page.armSource_->MouseMove(point);
        page.eight_->MouseMove(point);
    }
    static void Release(GalleryPage& page, const QPoint& point) {
        page.trigLine_->MouseUp(point);
        page.trigSource_->MouseUp(point);
        page.armLine_->MouseUp(point);
        page.armSource_->MouseUp(point);
        page.eight_->MouseUp(point);
    }
    void ForEach(Handler handler, const QPointF& position) { handler(*this, position.toPoint()); }

    FramedLabel* message_ = nullptr;
    std::unique_ptr<RotarySwitch> trigSource_;
    std::unique_ptr<SlideSwitch> trigLine_;
    std::unique_ptr<RotarySwitch> armSource_;
    std::unique_ptr<SlideSwitch> armLine_;
    std::unique_ptr<RotarySwitch> eight_;
    std::vector<CChanSelDlg*> selectors_;  // children of the page
};

}  // namespace

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    platform::SetDialogColors();
    GalleryPage page;
    page.move(0, 0);
    page.show();
    QApplication::setActiveWindow(&page);
    page.FocusTriggerKnob();

    ElapsedTimeDialog calibration(nullptr, templates::kCalibrationProgressDialog);
    ElapsedTimeDialog selfTest(nullptr, templates::kSelfTestProgressDialog);
    calibration.move(20, page.height() + 40);
    selfTest.move(calibration.width() + 60, page.height() + 40);
    calibration.show();
    selfTest.show();
    platform::AdvanceTickCount(125000);  // as if both had run for 2 min 5 sec
    calibration.OnTimer();
    selfTest.OnTimer();

    const QStringList arguments = QApplication::arguments();
    const int quit = static_cast<int>(arguments.indexOf(QStringLiteral("--quit-after")));
    if (quit >= 0 && quit + 1 < arguments.size()) {
        QTimer::singleShot(arguments[quit + 1].toInt(), &application, &QApplication::quit);
    }
    return QApplication::exec();
}
