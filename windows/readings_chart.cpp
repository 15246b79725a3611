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
constexpr int kRedrawMs = 1000;
constexpr int kSlowestRedrawMs = 5000;
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

QDateTime AxisTime(double seconds) {
    return QDateTime::fromMSecsSinceEpoch(static_cast<qint64>(std::llround(seconds * 1000.0)));
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
    // The recording's progress and a due redraw are painted together: each
    // paint of the window costs a round trip to the display server.
    connect(recording_, &ReadingsRecording::Changed, this, [this] {
        UpdateRecordingControls();
        if (dirty_ && !paused_ && isVisible()) {
            Redraw();
            redrawTimer_.start();
        }
    });
    // Points are replaced on a timer, never per reading.
    redrawTimer_.setInterval(kRedrawMs);
    connect(&redrawTimer_, &QTimer::timeout, this, [this] {
        if (dirty_ && !paused_) {
            Redraw();
        }
    });
    geometry_.Restore(QSize(900, 520));
}

ReadingsChart::~ReadingsChart() = default;

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

void ReadingsChart::UpdateRange() {
    if (userView_ || paused_) {
        return;
    }
    double latest = static_cast<double>(UtcNowMs()) / 1000.0;
    double earliest = latest;
    if (history_.Size() != 0) {
        earliest = history_.TimeAt(0);
        latest = history_.TimeAt(history_.Size() - 1);
    }
    viewEnd_ = latest;
    viewBegin_ = windowSeconds_ == 0 ? earliest : latest - windowSeconds_;
    // Until the readings fill the window it stays where they began: the axis
    // then stands still, and a redraw changes the lines alone.
    if (windowSeconds_ != 0 && viewBegin_ < earliest) {
        viewBegin_ = earliest;
        viewEnd_ = earliest + windowSeconds_;
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

// The pieces of line between the gaps.
std::vector<QList<QPointF>> ReadingsChart::LinePieces(
    const std::vector<sfp::ReadingHistory::Sample>& points) {
    std::vector<QList<QPointF>> pieces;
    QList<QPointF> piece;
    for (const auto& point : points) {
        if (!std::isnan(point.value)) {
            piece.append(QPointF(point.time * 1000.0, point.value));
            continue;
        }
        if (!piece.isEmpty()) {
            pieces.push_back(std::move(piece));
            piece = {};
        }
    }
    if (!piece.isEmpty()) {
        pieces.push_back(std::move(piece));
    }
    return pieces;
}

void ReadingsChart::ShowPieces(int slot, const std::vector<QList<QPointF>>& pieces) {
    Trace& trace = traces_[static_cast<std::size_t>(slot)];
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        QLineSeries* series = Piece(slot, i);
        // A lone reading between two gaps has no line: it is drawn as a point.
        if (series->pointsVisible() != (pieces[i].size() == 1)) {
            series->setPointsVisible(pieces[i].size() == 1);
        }
        if (i >= trace.used || series->points() != pieces[i]) {
            series->replace(pieces[i]);
        }
    }
    for (std::size_t i = pieces.size(); i < trace.used; ++i) {
        trace.pieces[i]->clear();
    }
    trace.used = pieces.size();
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
    const QDateTime begin = AxisTime(viewBegin_);
    const QDateTime end = AxisTime(viewEnd_);
    const auto values =
        low <= high ? ValueRange(low, high) : std::make_pair(valueAxis_->min(), valueAxis_->max());
    const bool axesMove = timeAxis_->format() != format || timeAxis_->min() != begin ||
                          timeAxis_->max() != end || valueAxis_->min() != values.first ||
                          valueAxis_->max() != values.second;
    if (axesMove) {
        for (Trace& trace : traces_) {
            for (std::size_t i = 0; i < trace.used; ++i) {
                trace.pieces[i]->clear();
            }
            trace.used = 0;
        }
        timeAxis_->setFormat(format);
        timeAxis_->setRange(begin, end);
        valueAxis_->setRange(values.first, values.second);
    }
    const double plotWidth = std::max(1.0, chart_->plotArea().width());
    const double pixelsPerSecond = plotWidth / span;
    const double pixelsPerUnit =
        std::max(1.0, chart_->plotArea().height()) / (valueAxis_->max() - valueAxis_->min());
    for (int slot = 0; slot < kSlots; ++slot) {
        ShowPieces(slot,
                   LinePieces(sfp::ReadingHistory::Thin(points[static_cast<std::size_t>(slot)],
                                                        pixelsPerSecond, pixelsPerUnit)));
    }
    // Redraw again once the view has moved by about a pixel, and at most once
    // a second: a trend needs no more, and auto update keeps its processor.
    redrawTimer_.setInterval(
        std::clamp(static_cast<int>(span * 1000.0 / plotWidth), kRedrawMs, kSlowestRedrawMs));
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

std::vector<const QLineSeries*> ReadingsChart::Pieces(int slot) const {
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

// Told every second while recording: a text set again unchanged would still
// lay out and repaint its widget.
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
    redrawTimer_.start();
    Redraw();
    QWidget::showEvent(event);
}

void ReadingsChart::closeEvent(QCloseEvent* event) {
    recording_->Stop();
    redrawTimer_.stop();
    geometry_.Save();
    QWidget::closeEvent(event);
}
