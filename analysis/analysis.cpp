#include "analysis/analysis.h"

#include "analysis/curvature.h"
#include "analysis/difference.h"

void resetAnalysis()
{
    resetCurvature();
    resetDifference();
}
