#include "windows/readings_chart.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QDateTime>
#include <QDateTimeAxis>
#include <QGraphicsScene>
#include <QHBoxLayout>
#include <QLabel>
#include <QLegend>
#include <QLegendMarker>
#include <QLineSeries>
#include <QMouseEvent>
#include <QPushButton>
#include <QVBoxLayout>
#include <QValueAxis>
#include <QWheelEvent>
#include <QtCharts/QChart>
#include <QtCharts/QChartView>
#include <algorithm>
#include <cmath>
#include <limits>

namespace {

constexpr int kSlots = 10;
constexpr int kTickMs = 1000;
constexpr int kSlowestRedrawTicks = 5;
// A line is drawn as runs of points, each over this share of the time axis
// at most and of this many points at least: Qt Charts lays out all of a
// series' points again when any of them changes, so that new readings then
// cost their run alone, and a series of its own costs more than a few points.
constexpr int kRunsPerView = 32;
constexpr int kRunPoints = 24;
// "All" extends the time axis ahead of the latest reading by this share of
// the history, so that it stands still while that much more arrives.
constexpr double kAllHeadroom = 1.0 / 32;
constexpr int kMinimumColumns = 100;
constexpr double kMinimumSpanSeconds = 1.0;
constexpr double kWheelZoomIn = 0.8;

const QColor& SlotColor(int slot) {
    static const QColor colors[kSlots] = {
        QColor(31, 119, 180),  QColor(255, 127, 14), QColor(44, 160, 44),   QColor(214, 39, 40),
        QColor(148, 103, 189), QColor(140, 86, 75),  QColor(227, 119, 194), QColor(127, 127, 127),
        QColor(188, 189, 34),  QColor(23, 190, 207)};
    return colors[slot];
}

qint64 AxisMs(double seconds) {
    return static_cast<qint64>(std::llround(seconds * 1000.0));
}

}  // namespace

const std::vector<int>& ReadingsChart::WindowChoices() {
    static const std::vector<int> choices{60, 300, 900, 3600, 0};
    return choices;
}

ReadingsChart::ReadingsChart(ReadingFeed& feed, std::function<RecordingContext()> recordingContext,
                             QWidget* parent)
    : QWidget(parent, Qt::Window),
      traces_(kSlots),
      history_(kSlots),
      recording_(new ReadingsRecording(std::move(recordingContext), this)) {
    setWindowTitle(QStringLiteral("Readings Chart"));
    BuildLayout();
    CreateTraces();
    connect(&feed, &ReadingFeed::Arrived, this, &ReadingsChart::Take, Qt::QueuedConnection);
    connect(&feed, &ReadingFeed::InstrumentReset, recording_, &ReadingsRecording::EndForReset,
            Qt::QueuedConnection);
    connect(recording_, &ReadingsRecording::Changed, this, &ReadingsChart::UpdateRecordingControls);
    // Points are replaced on a timer, never per reading; the recording's
    // progress is shown on the same tick, so that it and a due redraw are
    // painted together: each paint of the window costs a round trip to the
    // display server.
    tick_.setInterval(kTickMs);
    connect(&tick_, &QTimer::timeout, this, &ReadingsChart::OnTick);
    geometry_.Restore(QSize(900, 520));
}

ReadingsChart::~ReadingsChart() = default;

ReadingsChartWindow* ReadingsChart::Create(ReadingFeed& feed,
                                           std::function<RecordingContext()> recordingContext,
                                           QWidget* parent) {
    return new ReadingsChart(feed, std::move(recordingContext), parent);
}

void ReadingsChart::BuildLayout() {
    window_ = new QComboBox(this);
    for (const int seconds : WindowChoices()) {
        window_->addItem(
            seconds == 0 ? QStringLiteral("All") : QStringLiteral("%1 min").arg(seconds / 60),
            seconds);
    }
    window_->setCurrentIndex(1);
    auto* reset = new QPushButton(QStringLiteral("Reset View"), this);
    pause_ = new QPushButton(QStringLiteral("&Pause"), this);
    pause_->setCheckable(true);
    record_ = new QPushButton(QStringLiteral("Record Readings..."), this);
    recordStatus_ = new QLabel(this);

    chart_ = new QChart;
    chart_->legend()->setAlignment(Qt::AlignRight);
    chart_->setBackgroundRoundness(0);  // a plain rectangle is cheaper to paint
    timeAxis_ = new QDateTimeAxis(chart_);
    timeAxis_->setFormat(QStringLiteral("hh:mm:ss"));
    valueAxis_ = new QValueAxis(chart_);
    chart_->addAxis(timeAxis_, Qt::AlignBottom);
    chart_->addAxis(valueAxis_, Qt::AlignLeft);
    view_ = new QChartView(chart_, this);
    view_->setRenderHint(QPainter::Antialiasing, false);
    // Every line changes its bounds on each redraw: keeping a scene index of
    // them up to date costs more than it saves.
    view_->scene()->setItemIndexMethod(QGraphicsScene::NoIndex);
    view_->viewport()->installEventFilter(this);
    // Nothing is antialiased: a changed line needs no margin repainted around it.
    view_->setOptimizationFlag(QGraphicsView::DontAdjustForAntialiasing);
    // The view fills what it repaints with the chart's background: the
    // chart's own background item would fill all of itself, clipped, on each
    // repaint of a line.
    view_->setBackgroundBrush(chart_->backgroundBrush());
    chart_->setBackgroundVisible(false);
    // Lines of no width are drawn a pixel wide as those of width 1 are, and
    // their bounds are known without stroking them on every repaint.
    for (QAbstractAxis* axis :
         {static_cast<QAbstractAxis*>(timeAxis_), static_cast<QAbstractAxis*>(valueAxis_)}) {
        QPen grid = axis->gridLinePen();
        grid.setWidth(0);
        axis->setGridLinePen(grid);
        QPen line = axis->linePen();
        line.setWidth(0);
        axis->setLinePen(line);
    }

    auto* tools = new QHBoxLayout;
    tools->addWidget(new QLabel(QStringLiteral("Time window:"), this));
    tools->addWidget(window_);
    tools->addWidget(reset);
    tools->addWidget(pause_);
    tools->addWidget(record_);
    tools->addWidget(recordStatus_, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(tools);
    layout->addWidget(view_, 1);

    connect(window_, &QComboBox::currentIndexChanged, this,
            [this](int index) { SetWindowSeconds(window_->itemData(index).toInt()); });
    connect(reset, &QPushButton::clicked, this, &ReadingsChart::ResetView);
    connect(pause_, &QPushButton::toggled, this, &ReadingsChart::SetPaused);
    connect(record_, &QPushButton::clicked, this, &ReadingsChart::ToggleRecording);
    UpdateRecordingControls();
}

void ReadingsChart::CreateTraces() {
    for (int slot = 0; slot < kSlots; ++slot) {
        Piece(slot, 0)->setName(QStringLiteral("-"));
    }
}

QLineSeries* ReadingsChart::Piece(int slot, std::size_t index) {
    Trace& trace = traces_[static_cast<std::size_t>(slot)];
    if (index < trace.pieces.size()) {
        return trace.pieces[index];
    }
    auto* series = new QLineSeries(chart_);
    QPen pen(SlotColor(slot));
    pen.setWidth(1);  // the raster engine's fast path for lines
    series->setPen(pen);
    series->setColor(SlotColor(slot));
    chart_->addSeries(series);
    series->attachAxis(timeAxis_);
    series->attachAxis(valueAxis_);
    series->setVisible(trace.shown);
    for (QLegendMarker* marker : chart_->legend()->markers(series)) {
        if (index == 0) {
            connect(marker, &QLegendMarker::clicked, this, [this, slot] { OnLegendClicked(slot); });
        } else {
            marker->setVisible(false);  // one legend entry per element
        }
    }
    trace.pieces.push_back(series);
    return series;
}

void ReadingsChart::OnLegendClicked(int slot) {
    Trace& trace = traces_[static_cast<std::size_t>(slot)];
    trace.shown = !trace.shown;
    for (std::size_t i = 0; i < trace.pieces.size(); ++i) {
        trace.pieces[i]->setVisible(trace.shown);
        for (QLegendMarker* marker : chart_->legend()->markers(trace.pieces[i])) {
            marker->setVisible(i == 0);
            QColor label = marker->labelBrush().color();
            label.setAlphaF(trace.shown ? 1.0 : 0.4);
            marker->setLabelBrush(label);
        }
    }
    Redraw();
}

void ReadingsChart::StartSeries(int base) {
    base_ = base;
    for (int slot = 0; slot < kSlots; ++slot) {
        Trace& trace = traces_[static_cast<std::size_t>(slot)];
        for (QLineSeries* piece : trace.pieces) {
            piece->clear();
        }
        trace.used = 0;
        trace.pieces.front()->setName(QString::number(base + slot));
    }
    history_.Clear();
    dirty_ = true;
}

void ReadingsChart::Take(const ReadingSample& sample) {
    if (sample.baseElement != base_) {
        StartSeries(sample.baseElement);
    }
    double time = static_cast<double>(sample.utcMs) / 1000.0;
    // The history is in time order even if the clock steps back.
    if (history_.Size() != 0) {
        time = std::max(time, history_.TimeAt(history_.Size() - 1));
    }
    if (sample.kind == ReadingSample::kValues) {
        history_.Append(time, sample.values);
    } else {
        history_.AppendGap(time);
    }
    dirty_ = true;
    recording_->Take(sample);
}

void ReadingsChart::OnTick() {
    UpdateRecordingControls();
    ++ticksSinceRedraw_;
    if (dirty_ && !paused_ && ticksSinceRedraw_ >= redrawTicks_) {
        Redraw();
    }
}

// All of the history, from its first reading to a little past its last: the
// axis moves only once readings pass its end or the oldest have gone by as
// much, so that most redraws replace the newest and oldest runs alone.
void ReadingsChart::AllRange(double earliest, double latest) {
    const double span = std::max(kMinimumSpanSeconds, latest - earliest);
    const double headroom = span * kAllHeadroom;
    const bool holds = viewBegin_ <= earliest && viewEnd_ >= latest;
    if (holds && viewEnd_ - viewBegin_ <= span + 2 * headroom) {
        return;
    }
    viewEnd_ = latest + headroom;
    viewBegin_ = std::min(earliest, viewEnd_ - kMinimumSpanSeconds);
}

void ReadingsChart::UpdateRange() {
    viewStands_ = true;
    if (userView_ || paused_) {
        return;
    }
    double latest = static_cast<double>(UtcNowMs()) / 1000.0;
    double earliest = latest;
    if (history_.Size() != 0) {
        earliest = history_.TimeAt(0);
        latest = history_.TimeAt(history_.Size() - 1);
    }
    if (windowSeconds_ == 0) {
        AllRange(earliest, latest);
        return;
    }
    viewEnd_ = latest;
    viewBegin_ = latest - windowSeconds_;
    viewStands_ = false;
    // Until the readings fill the window it stays where they began: the axis
    // then stands still, and a redraw changes the lines alone.
    if (viewBegin_ < earliest) {
        viewBegin_ = earliest;
        viewEnd_ = earliest + windowSeconds_;
        viewStands_ = true;
    }
    if (viewEnd_ - viewBegin_ < kMinimumSpanSeconds) {
        viewBegin_ = viewEnd_ - kMinimumSpanSeconds;
    }
}

// One element's points in the visible range, decimated to the plot's pixel
// columns; NaN marks a gap.
std::vector<std::vector<sfp::ReadingHistory::Sample>> ReadingsChart::VisiblePoints(
    double& low, double& high) const {
    std::vector<std::size_t> shown;
    for (int slot = 0; slot < kSlots; ++slot) {
        // A hidden line costs nothing to draw.
        if (traces_[static_cast<std::size_t>(slot)].shown) {
            shown.push_back(static_cast<std::size_t>(slot));
        }
    }
    const int columns = std::max(kMinimumColumns, static_cast<int>(chart_->plotArea().width()));
    auto decimated = history_.Decimate(shown, viewBegin_, viewEnd_, columns);
    std::vector<std::vector<sfp::ReadingHistory::Sample>> points(kSlots);
    for (std::size_t i = 0; i < shown.size(); ++i) {
        for (const auto& point : decimated[i]) {
            if (!std::isnan(point.value)) {
                low = std::min(low, point.value);
                high = std::max(high, point.value);
            }
        }
        points[shown[i]] = std::move(decimated[i]);
    }
    return points;
}

// The pieces of line between the gaps, each in runs that begin where the
// time crosses a multiple of `runMs` once the run before has kRunPoints: so
// that readings added at the end, or dropped at the start, leave the runs
// between as they were. A run that goes on from the one before shares its
// first point with that one's last, so the line stays whole. A run has two
// points at least unless its piece is one reading.
std::vector<QList<QPointF>> ReadingsChart::LineRuns(
    const std::vector<sfp::ReadingHistory::Sample>& points, double runMs) {
    std::vector<QList<QPointF>> runs;
    QList<QPointF> run;
    double cell = 0.0;
    for (std::size_t i = 0; i < points.size(); ++i) {
        if (std::isnan(points[i].value)) {
            if (!run.isEmpty()) {
                runs.push_back(std::move(run));
                run = {};
            }
            continue;
        }
        const QPointF point(points[i].time * 1000.0, points[i].value);
        const double at = std::floor(point.x() / runMs);
        const bool more = i + 1 < points.size() && !std::isnan(points[i + 1].value);
        if (run.size() >= kRunPoints && at != cell && more) {
            run.append(point);
            runs.push_back(std::move(run));
            run = {};
        }
        cell = at;
        run.append(point);
    }
    if (!run.isEmpty()) {
        runs.push_back(std::move(run));
    }
    return runs;
}

void ReadingsChart::ShowRuns(int slot, const std::vector<QList<QPointF>>& runs) {
    Trace& trace = traces_[static_cast<std::size_t>(slot)];
    for (std::size_t i = 0; i < runs.size(); ++i) {
        QLineSeries* series = Piece(slot, i);
        const QList<QPointF>& points = runs[i];
        // A lone reading between two gaps has no line: it is drawn as a point.
        if (series->pointsVisible() != (points.size() == 1)) {
            series->setPointsVisible(points.size() == 1);
        }
        if (i >= trace.used || series->points() != points) {
            series->replace(points);
        }
    }
    for (std::size_t i = runs.size(); i < trace.used; ++i) {
        trace.pieces[i]->clear();
    }
    trace.used = runs.size();
}

// The value axis' range for readings from `low` to `high`: a margin on each
// side, rounded out to a tenth of the span so that the axis, and with it
// every line, stays as it is while new readings stay inside it.
std::pair<double, double> ReadingsChart::ValueRange(double low, double high) const {
    const double margin = high > low ? (high - low) * 0.05 : std::max(std::fabs(low) * 0.05, 1e-9);
    const double step = std::pow(10.0, std::floor(std::log10((high - low + 2 * margin) / 10.0)));
    const double bottom = std::floor((low - margin) / step) * step;
    const double top = std::ceil((high + margin) / step) * step;
    const bool fits = valueAxis_->min() <= low - margin / 2 &&
                      valueAxis_->max() >= high + margin / 2 &&
                      valueAxis_->max() - valueAxis_->min() <= (top - bottom) * 1.5;
    return fits ? std::make_pair(valueAxis_->min(), valueAxis_->max())
                : std::make_pair(bottom, top);
}

// Qt Charts lays out every point of a series again whenever an axis or the
// points change. When an axis moves the series are emptied first, so that
// each point is laid out once per redraw; when neither moves, only the lines
// whose points changed are replaced.
void ReadingsChart::Redraw() {
    dirty_ = false;
    UpdateRange();
    double low = std::numeric_limits<double>::infinity();
    double high = -low;
    const auto points = VisiblePoints(low, high);
    const double span = viewEnd_ - viewBegin_;
    const QString format =
        span > 86400.0 ? QStringLiteral("MM-dd hh:mm") : QStringLiteral("hh:mm:ss");
    // Compared as milliseconds: a QDateTime looks up the local time zone.
    const std::pair<qint64, qint64> times{AxisMs(viewBegin_), AxisMs(viewEnd_)};
    const auto values =
        low <= high ? ValueRange(low, high) : std::make_pair(valueAxis_->min(), valueAxis_->max());
    const bool axesMove = timeAxis_->format() != format || times != axisTimes_ ||
                          valueAxis_->min() != values.first || valueAxis_->max() != values.second;
    if (axesMove) {
        for (Trace& trace : traces_) {
            for (std::size_t i = 0; i < trace.used; ++i) {
                trace.pieces[i]->clear();
            }
            trace.used = 0;
        }
        timeAxis_->setFormat(format);
        timeAxis_->setRange(QDateTime::fromMSecsSinceEpoch(times.first),
                            QDateTime::fromMSecsSinceEpoch(times.second));
        axisTimes_ = times;
        valueAxis_->setRange(values.first, values.second);
    }
    const double plotWidth = std::max(1.0, chart_->plotArea().width());
    const double pixelsPerSecond = plotWidth / span;
    const double pixelsPerUnit =
        std::max(1.0, chart_->plotArea().height()) / (valueAxis_->max() - valueAxis_->min());
    // A view that moves with every redraw lays out every point again anyway:
    // runs would only add series.
    const double runMs =
        viewStands_ ? span * 1000.0 / kRunsPerView : std::numeric_limits<double>::infinity();
    for (int slot = 0; slot < kSlots; ++slot) {
        ShowRuns(slot, LineRuns(sfp::ReadingHistory::Thin(points[static_cast<std::size_t>(slot)],
                                                          pixelsPerSecond, pixelsPerUnit),
                                runMs));
    }
    // Redraw again once the view has moved by about a pixel, and at most once
    // a second: a trend needs no more, and auto update keeps its processor.
    ticksSinceRedraw_ = 0;
    redrawTicks_ =
        std::clamp(static_cast<int>(span * 1000.0 / plotWidth / kTickMs), 1, kSlowestRedrawTicks);
}

void ReadingsChart::ResetView() {
    userView_ = false;
    SetPaused(false);  // redraws
}

void ReadingsChart::SetPaused(bool paused) {
    paused_ = paused;
    if (pause_->isChecked() != paused) {
        pause_->setChecked(paused);
    }
    if (!paused) {
        Redraw();
    }
}

void ReadingsChart::SetWindowSeconds(int seconds) {
    windowSeconds_ = seconds;
    userView_ = false;
    Redraw();
}

void ReadingsChart::ZoomTime(double factor, double centre) {
    centre = std::clamp(centre, viewBegin_, viewEnd_);
    double begin = centre - (centre - viewBegin_) * factor;
    double end = centre + (viewEnd_ - centre) * factor;
    if (end - begin < kMinimumSpanSeconds) {
        begin = centre - kMinimumSpanSeconds / 2;
        end = centre + kMinimumSpanSeconds / 2;
    }
    userView_ = true;
    viewBegin_ = begin;
    viewEnd_ = end;
    Redraw();
}

void ReadingsChart::ShiftTime(double seconds) {
    userView_ = true;
    viewBegin_ += seconds;
    viewEnd_ += seconds;
    Redraw();
}

std::vector<QList<QPointF>> ReadingsChart::Pieces(int slot) const {
    const Trace& trace = traces_[static_cast<std::size_t>(slot)];
    std::vector<QList<QPointF>> pieces;
    for (std::size_t i = 0; i < trace.used; ++i) {
        const QList<QPointF> points = trace.pieces[i]->points();
        // A run that goes on from the one before begins with its last point;
        // across a gap the time has moved on.
        if (pieces.empty() || points.isEmpty() || pieces.back().isEmpty() ||
            points.first() != pieces.back().last()) {
            pieces.push_back(points);
            continue;
        }
        pieces.back().append(points.mid(1));
    }
    return pieces;
}

std::vector<const QLineSeries*> ReadingsChart::Lines(int slot) const {
    const Trace& trace = traces_[static_cast<std::size_t>(slot)];
    return {trace.pieces.begin(), trace.pieces.begin() + static_cast<long>(trace.used)};
}

bool ReadingsChart::eventFilter(QObject* watched, QEvent* event) {
    if (watched == view_->viewport() && HandleViewEvent(event)) {
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

// Wheel zoom and drag act on the time axis only; y follows what is visible.
bool ReadingsChart::HandleViewEvent(QEvent* event) {
    const QRectF plot = chart_->plotArea();
    const auto timeAt = [&](double x) {
        return viewBegin_ +
               (x - plot.left()) / std::max(plot.width(), 1.0) * (viewEnd_ - viewBegin_);
    };
    switch (event->type()) {
        case QEvent::Wheel: {
            const auto* wheel = static_cast<QWheelEvent*>(event);
            if (wheel->angleDelta().y() == 0) {
                return false;
            }
            const double factor = wheel->angleDelta().y() > 0 ? kWheelZoomIn : 1.0 / kWheelZoomIn;
            ZoomTime(factor, timeAt(wheel->position().x()));
            return true;
        }
        case QEvent::MouseButtonPress: {
            const auto* mouse = static_cast<QMouseEvent*>(event);
            dragging_ = mouse->button() == Qt::LeftButton && plot.contains(mouse->position());
            dragLast_ = mouse->position().x();
            return false;  // the legend still takes its clicks
        }
        case QEvent::MouseMove: {
            const auto* mouse = static_cast<QMouseEvent*>(event);
            if (!dragging_ || !(mouse->buttons() & Qt::LeftButton)) {
                return false;
            }
            const double dx = mouse->position().x() - dragLast_;
            dragLast_ = mouse->position().x();
            ShiftTime(-dx / std::max(plot.width(), 1.0) * (viewEnd_ - viewBegin_));
            return true;
        }
        case QEvent::MouseButtonRelease:
            dragging_ = false;
            return false;
        default:
            return false;
    }
}

void ReadingsChart::ToggleRecording() {
    if (recording_->Recording()) {
        recording_->Stop();
        return;
    }
    recording_->ChooseAndStart();
}

// Asked every second: a text set again unchanged would still lay out and
// repaint its widget.
void ReadingsChart::UpdateRecordingControls() {
    const QString button = recording_->Recording() ? QStringLiteral("Stop Recording")
                                                   : QStringLiteral("Record Readings...");
    if (record_->text() != button) {
        record_->setText(button);
    }
    const QString status = recording_->StatusText();
    if (recordStatus_->text() != status) {
        recordStatus_->setText(status);
    }
}

void ReadingsChart::showEvent(QShowEvent* event) {
    tick_.start();
    Redraw();
    QWidget::showEvent(event);
}

void ReadingsChart::closeEvent(QCloseEvent* event) {
    recording_->Stop();
    tick_.stop();
    geometry_.Save();
    QWidget::closeEvent(event);
}
