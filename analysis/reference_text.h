#pragma once
// The reference figures as text, in the lines karvo-report prints and the viewer's windows
// show: the NMAS test, the checkpoint figures, the coregistration and the rows a checkpoint
// file skipped. Height figures have three decimals, as the accuracy lines give them;
// coordinates the digits they carry. The NMAS and checkpoint lines start with their line
// break, so that they follow a report's last line; the others end with theirs.

#include <string>
#include <vector>

#include "analysis/checkpoint_results.h"
#include "analysis/comparison_coregistration.h"
#include "analysis/map_standards.h"
#include "model/checkpoint_file.h"

// "NMAS vertical test (contour interval 20): 3 of 40 points off by more than 10 (7.5 %):
// meets"; points names what was tested ("points", "checkpoints").
std::string nmasText(const NmasTest& t, const char* points);

// The checkpoint file's name and figures, the largest differences, the classes, the NMAS
// test and, when made, the ASPRS test.
std::string checkpointText(const CheckpointResults& c);

// The coregistration's status, shift, bias, iterations, figures before and after and what
// was applied, each line ending with its break; reportFollows adds the line that says what
// the report after it is computed on, and a blank line.
std::string coregistrationText(const ComparisonCoregistration& c, bool reportFollows);

// One line per skipped row, `file "NAME", line 7: why`, the first 20 of them, then how
// many more there were.
std::string skippedRowsText(const std::string& file, const std::vector<SkippedRow>& skipped);
