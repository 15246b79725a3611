#pragma once
// Finds the Readings Chart's module beside the program (or, installed, in
// the program's library folder) and loads it once, on first use.

#include <QString>

#include "app/readings_chart_window.h"

// The factory, loading the module the first time; null with `error` saying
// why when it cannot be loaded.
ReadingsChartFactory ReadingsChartFactoryOrError(QString& error);

// A program that links the chart in (the tests, the benchmarks) gives its
// factory here, and nothing is loaded.
void UseLinkedReadingsChart(ReadingsChartFactory factory);
