#pragma once

// The text outputs of a run. Each appends its lines, every one ended with CR LF, to out.

#include <string>

#include "engine/chart.h"

namespace vantrel::engine {

// Heading, column titles, an empty line, one row per object.
void writeChartListing(const Chart& chart, bool dayFirst, std::string& out);

// Aspect grid, aspect list, local horizon and influence table (those asked for),
// in that order, two empty lines between.
void writeAspects(const Chart& chart, const Request& request, std::string& out);

// A boxed wheel 61 columns wide and 4 * linesPerHouse + 5 lines high.
void writeTextWheel(const Chart& chart, int linesPerHouse, bool dayFirst, std::string& out);

// The row of one object in the chart listing, without its line end (exposed for tests).
std::string chartRow(const Chart& chart, Object object);

inline constexpr const char* kLineEnd = "\r\n";

}  // namespace vantrel::engine
