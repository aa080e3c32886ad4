#pragma once
// The comparison set (rd) coregistered to the DEM (mt), for both programs: the reference
// moved by the shift and bias coregistrationOf finds (analysis/coregistration.h) takes the
// comparison's place, and the difference levels and every comparison figure are taken on
// it from then on. The reference as read is kept aside, so that undoCoregistration gives
// it back; the loader forgets it when other data come.
//
// Only a comparison DEM on the DEM's grid is coregistered: the caller checks the type,
// this module that rd has mt's size. A comparison value that carries no data (not above 0,
// or NaN) is no value of the reference; the coregistered reference holds NaN where it has
// none.

#include <string>

#include "analysis/coregistration.h"

struct ComparisonCoregistration {
    Coregistration result;  // its reference is not kept here: it went into rd
    // rd holds the coregistered reference: always but when no point has a value in both
    // grids. A fit that failed still removes the bias, with the shift found before it
    // failed (none when the first fit failed).
    bool applied = false;
    std::string problem;  // "" or why it could not be run; rd then holds the reference as read
};

// Coregisters the reference as read (undoing a coregistration before), puts the result in
// rd and reruns the difference pass. Refuses, with problem, a comparison set of another
// size than the DEM and a grid too large for the memory available. options.progress is told
// the share of the whole run, 1 once the difference levels are made.
ComparisonCoregistration coregisterComparison(const CoregistrationOptions& options = {});

// Whether rd holds a coregistered reference.
bool comparisonCoregistered();

// Puts the reference as read back into rd and reruns the difference pass; nothing without
// a coregistration.
void undoCoregistration();

// Frees the reference as read without putting it back, for new comparison data; rd stays.
void forgetCoregistration();
