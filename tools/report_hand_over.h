#pragma once
// What karvo-report adds for finding and handing over: the unit fitted to the data
// (--unit auto), the worst places after the text report and as GeoJSON (--worst,
// --worst-geojson), and the HTML page (--html).

#include <iosfwd>

#include "tools/report_command.h"

// Fits the unit to the data set loaded and regrades it; options.unit becomes the unit as
// stated and options.unitFit the fit. Where no unit fits, says why on err and keeps the
// unit: "Cannot fit the curvature unit: REASON; the unit stays 1".
void fitUnit(ReportOptions& options, std::ostream& err);

// After the report: the worst places' lines (text format), the places file and the HTML
// page, as the options ask. Returns 0, or 1 when a file could not be written (err says why).
struct ReferenceFigures;
int handOver(const ReportOptions& options, const ReferenceFigures& reference, std::ostream& out, std::ostream& err);
