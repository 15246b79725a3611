#pragma once
// The Readings Chart as the main window knows it. The chart and the charting
// libraries it draws with are a module of their own (see
// readings_chart_loader.h), loaded when the operator first asks for the
// chart, so that a start-up that never shows it does not load them.

#include <QWidget>
#include <functional>

#include "app/reading_feed.h"
#include "windows/readings_recording.h"

class ReadingsChartWindow {
public:
    virtual ~ReadingsChartWindow() = default;

    virtual QWidget& Window() = 0;
    virtual ReadingsRecording& Recording() = 0;
};

// Makes a chart window, a child of `parent`, fed by `feed`.
using ReadingsChartFactory = ReadingsChartWindow* (*)(ReadingFeed& feed,
                                                      std::function<RecordingContext()> context,
                                                      QWidget* parent);

// The module's one exported function: returns its factory.
inline constexpr const char* kReadingsChartEntry = "sfp_readings_chart_factory";
