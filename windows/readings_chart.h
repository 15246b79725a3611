#pragma once
// The Readings Chart: a non-modal window that plots the main panel's ten
// elements against time from a bounded history, decimated for display, and
// records them to CSV.

#include <QList>
#include <QPointF>
#include <QTimer>
#include <QWidget>
#include <cstdint>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

#include "app/reading_feed.h"
#include "app/readings_chart_window.h"
#include "windows/reading_history.h"
#include "windows/readings_recording.h"
#include "windows/remembered_geometry.h"

class QComboBox;
class QLabel;
class QLegendMarker;
class QPushButton;
class QLineSeries;
class QDateTimeAxis;
class QValueAxis;
class QChart;
class QChartView;

class ReadingsChart : public QWidget, public ReadingsChartWindow {
    Q_OBJECT

public:
    ReadingsChart(ReadingFeed& feed, std::function<RecordingContext()> recordingContext,
                  QWidget* parent = nullptr);
    ~ReadingsChart() override;

    // The factory the main window makes its chart with.
    static ReadingsChartWindow* Create(ReadingFeed& feed,
                                       std::function<RecordingContext()> recordingContext,
                                       QWidget* parent);

    // The time windows offered, in seconds; 0 is all of the history.
    static const std::vector<int>& WindowChoices();

    void Take(const ReadingSample& sample);
    // Replaces the series' points from the history, for the visible range.
    void Redraw();
    void ResetView();
    void SetPaused(bool paused);
    void SetWindowSeconds(int seconds);
    // Zooms the time axis by `factor` (below 1 zooms in) around `centre`
    // (seconds since 1970), or shifts it by `seconds`.
    void ZoomTime(double factor, double centre);
    void ShiftTime(double seconds);

    QWidget& Window() override { return *this; }
    ReadingsRecording& Recording() override { return *recording_; }
    QChart& Chart() { return *chart_; }
    int BaseElement() const { return base_; }
    const sfp::ReadingHistory& History() const { return history_; }
    // Shown range, seconds since 1970.
    double ViewBegin() const { return viewBegin_; }
    double ViewEnd() const { return viewEnd_; }
    // The line pieces drawn for one element, as their points; a gap
    // separates two pieces.
    std::vector<QList<QPointF>> Pieces(int slot) const;
    // The series that draw them: each piece in one run of points or more.
    std::vector<const QLineSeries*> Lines(int slot) const;

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    struct Trace {
        std::vector<QLineSeries*> pieces;  // the first carries the legend entry
        std::size_t used = 0;
        bool shown = true;
    };

    void BuildLayout();
    void CreateTraces();
    void StartSeries(int base);
    QLineSeries* Piece(int slot, std::size_t index);
    void OnLegendClicked(int slot);
    std::vector<std::vector<sfp::ReadingHistory::Sample>> VisiblePoints(double& low,
                                                                        double& high) const;
    static std::vector<QList<QPointF>> LineRuns(
        const std::vector<sfp::ReadingHistory::Sample>& points, double runMs);
    void ShowRuns(int slot, const std::vector<QList<QPointF>>& runs);
    void OnTick();
    void AllRange(double earliest, double latest);
    void UpdateRange();
    std::pair<double, double> ValueRange(double low, double high) const;
    void UpdateRecordingControls();
    void ToggleRecording();
    bool HandleViewEvent(QEvent* event);

    QChart* chart_ = nullptr;
    QChartView* view_ = nullptr;
    QDateTimeAxis* timeAxis_ = nullptr;
    QValueAxis* valueAxis_ = nullptr;
    QComboBox* window_ = nullptr;
    QPushButton* pause_ = nullptr;
    QPushButton* record_ = nullptr;
    QLabel* recordStatus_ = nullptr;
    std::vector<Trace> traces_;
    sfp::ReadingHistory history_;
    ReadingsRecording* recording_;
    QTimer tick_;
    int ticksSinceRedraw_ = 0;
    int redrawTicks_ = 1;
    int base_ = -1;
    int windowSeconds_ = 300;
    bool paused_ = false;
    bool dirty_ = false;
    // Set once the operator zooms or drags: the view then stays where it is.
    bool userView_ = false;
    // The shown range stays as it is while readings arrive.
    bool viewStands_ = true;
    std::pair<qint64, qint64> axisTimes_{-1, -1};  // the time axis' range, ms since 1970
    double viewBegin_ = 0.0;
    double viewEnd_ = 0.0;
    double dragLast_ = 0.0;
    bool dragging_ = false;
    RememberedGeometry geometry_{*this, QStringLiteral("readingsChart/geometry")};
};
