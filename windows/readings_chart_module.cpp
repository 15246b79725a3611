// The Readings Chart's module: the program finds its factory here.

#include "app/readings_chart_window.h"
#include "windows/readings_chart.h"

extern "C" __attribute__((visibility("default"))) ReadingsChartFactory
sfp_readings_chart_factory() {
    return &ReadingsChart::Create;
}
