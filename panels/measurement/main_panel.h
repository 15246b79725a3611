#pragma once
// The main panel: instrument identity, the "Active" lamp and ten elements of
// the current value table, read singly or continuously (auto update) by a
// worker thread while the tick shows them.

#include <QPointer>
#include <array>
#include <thread>

#include "app/main_panel_state.h"
#include "app/panel.h"
#include "app/panel_page.h"
#include "app/reading_feed.h"
#include "panels/measurement/reading_cell_text.h"
#include "panels/measurement/reading_glyphs.h"
#include "platform/template_page.h"

class CPan1Dlg;
class QPainter;
class QRegion;
class FramedLabel;
class InstrumentSession;

// "Trigger wait": shown while a single reading waits for its trigger. Its
// button only asks for the abort; the next tick carries it out.
class CTrigWaitDlg : public platform::TemplateDialog {
public:
    explicit CTrigWaitDlg(QWidget* parent);

    bool abortRequested = false;

protected:
    void reject() override;  // Escape asks for the abort as the button does
};

class CPan1Obj : public CPanel, public MainPanelState {
public:
    CPan1Obj();
    ~CPan1Obj() override;

    static const RuntimeClass kRuntimeClass;
    const RuntimeClass& GetRuntimeClass() const override;

    void Show() override;
    void Tick() override;

    // The page's actions.
    void TakeReading();
    void Trigger();
    void Abort();
    void ReadingCompletion();
    // Enter in the base-element edit; false (and string 117) when out of range.
    bool ApplyBaseElement(const QString& text);

    CPan1Dlg* Page() const;
    CTrigWaitDlg* TriggerWaitDialog() const { return triggerWaitDialog_; }
    // Waits for a finished worker thread; for shut-down and tests.
    void JoinWorker();
    // The grid as tab-separated text: each row's element numbers, then its
    // values; "no reading" and a stale grid give empty fields.
    QString GridText() const;

private:
    void TickSingleReading();
    void TickStartAutoUpdate();
    void TickStopAutoUpdate();
    void TickAutoUpdate();
    bool WaitElapsed() const;
    void StartWorker();
    void OpenTriggerWait();
    void CloseTriggerWait();
    void EnableButtons(bool takeReading, bool trigger);
    // What the readings feed hears of each cycle.
    void PublishReadings(int base, std::int64_t utcMs);
    void PublishGap(ReadingSample::Kind kind, int status);

    QPointer<CTrigWaitDlg> triggerWaitDialog_;
    std::thread worker_;
};

class CPan1Dlg : public PanelPage {
public:
    explicit CPan1Dlg(CPan1Obj& panel);
    ~CPan1Dlg() override;

    bool takeReadingInProgress = false;
    bool abortInProgress = false;
    bool triggerInProgress = false;

    // The rectangle of the two rows of five values, in page coordinates.
    QRect GridRect() const;
    // The ten cells' texts as drawn (empty while the readings are stale).
    QStringList CellTexts() const { return shownTexts_; }
    // Takes the readings as they are now and repaints the cells whose text changed.
    void ShowReadings();
    // Cell `index` (0..4 top row, 5..9 bottom row) inside `grid`, lines excluded.
    static QRect CellRect(const QRect& grid, int index);
    void SetCaption(int baseChannel);
    QString CaptionText() const { return captionText_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void Initialize();
    void CreateIdentity();
    void CheckMeasuring();
    void EnableCopy();
    QStringList CurrentTexts() const;
    static void DrawGrid(QPainter& painter, const QRect& grid);
    // True when every part of `region` lies inside one cell: the grid lines need no repaint.
    static bool InsideCells(const QRect& grid, const QRegion& region);

    CPan1Obj& panel_;
    QStringList shownTexts_;
    std::array<ReadingCellText, kReadingsShown> cellTexts_;
    ReadingGlyphs glyphs_;  // the cells' font's, looked up when the first value is shown
    mutable QRect gridRect_;
    QString captionText_;
    FramedLabel* caption_ = nullptr;
};
