#pragma once
// The analysis module's state in one place: every pass keeps its published results in
// globals, and tests start each case from the values at start-up.

void resetAnalysis();
