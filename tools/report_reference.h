#pragma once
// karvo-report against the reference data people hold: a comparison grid aligned onto the
// DEM's, surveyed checkpoints, the accuracy statements maps are held to, figures by slope,
// and the coregistration of a comparison DEM. The options, the steps of the run, and the
// figures the text, JSON and CSV forms print (tools/report_reference_text.cpp,
// tools/report_reference_fields.cpp).

#include <iosfwd>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "analysis/checkpoint_results.h"
#include "analysis/checkpoints.h"
#include "analysis/comparison_coregistration.h"
#include "analysis/html_page.h"
#include "analysis/map_standards.h"
#include "analysis/slope_classes.h"
#include "model/gdal_module.h"

struct ReportOptions;

struct ReferenceOptions {
    bool align = false;  // --align
    Resampling resampling = Resampling::bilinear;
    bool resamplingGiven = false;
    std::string checkpoints;  // --checkpoints FILE
    std::string residuals;    // --residuals FILE
    std::optional<double> targetRmse, checkpointRmse;
    std::optional<std::string> nvaClass;
    bool bySlope = false;
    bool coregister = false, coregisterOnly = false;
    std::string shifted;  // --shifted FILE

    bool any() const;  // one of these options is given
    bool coregistering() const { return coregister || coregisterOnly; }
};

// The reference option at args[i] with its values: 1 when parsed (i moves to its last
// value), -1 when it is one but its value is wrong or missing, 0 when it is none.
int parseReferenceOption(const std::vector<std::string>& args, std::size_t& i, ReferenceOptions& o);

// Whether the reference options go with the rest: each needs what it works on (a
// comparison file, checkpoints, a DEM comparison) and --coregister-only prints no report.
bool referenceConsistent(const ReportOptions& o);

// The files they read and write, for the check that no output is an input.
void addReferenceFiles(const ReferenceOptions& o, std::vector<std::string>& inputs,
                       std::vector<std::string>& outputs);

// Every figure beyond the plain report, each present when its option asks for it; the
// steps of the run fill them in turn.
struct ReferenceFigures {
    bool shown = false;                      // --accuracy or a reference option: printed
    double cellsizeEastWest = 0;             // the ground length of a cell east-west
    std::optional<NmasTest> comparisonNmas;  // with --accuracy
    std::optional<CheckpointResults> checkpoints;
    bool bySlope = false;
    std::optional<SlopeFigures> comparisonBySlope, checkpointsBySlope;
    std::optional<ComparisonCoregistration> coregistration;
};

// After the load: reads the checkpoints (skipped rows as warnings on err), coregisters,
// prints the coregistration (to out in the text form, to err in the others) and writes
// --shifted. Returns 0 or the exit status: 255 for a checkpoint file that gives no
// checkpoint (its "ERROR: " line on the console), 1 for a coregistration refused or a
// file not written.
int startReference(const ReportOptions& o, ReferenceFigures& f, std::ostream& out, std::ostream& err);

// --coregister-only: the coregistration in JSON or CSV (the text form printed it already).
// Returns the exit status, 0.
int printCoregistrationOnly(const ReportOptions& o, const ReferenceFigures& f, std::ostream& out);

// The rest of the figures, before the report prints them. Returns 0, or 1 when one was
// refused (why on err).
int completeReferenceFigures(const ReportOptions& o, ReferenceFigures& f, std::ostream& err);

// Writes --residuals; 0, or 1 with a line on err when it cannot be written.
int writeReferenceFiles(const ReportOptions& o, const ReferenceFigures& f, std::ostream& err);

// The text the report prints after its accuracy lines.
std::string referenceText(const ReferenceFigures& f);

// The JSON members and CSV columns; JSON members come with a leading ", ".
using ReportFields = std::vector<std::pair<std::string, std::string>>;
std::string referenceDemJson(const ReferenceFigures& f);         // in "dem"
std::string referenceComparisonJson(const ReferenceFigures& f);  // in "comparison"
std::string referenceJson(const ReferenceFigures& f);            // after the others
ReportFields referenceCsv(const ReferenceFigures& f);
std::string coregistrationJson(const ComparisonCoregistration& c);  // an object
ReportFields coregistrationCsv(const ComparisonCoregistration& c);

// The same figures as tables of the HTML report, titled by their captions.
std::vector<PageTable> referenceTables(const ReferenceFigures& f);
