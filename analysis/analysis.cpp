#include "analysis/analysis.h"

#include "analysis/comparison_coregistration.h"
#include "analysis/current_reference.h"
#include "analysis/current_review.h"
#include "analysis/curvature.h"
#include "analysis/difference.h"
#include "analysis/height_classes.h"
#include "analysis/loader.h"
#include "analysis/slope.h"

void resetAnalysis()
{
    resetCurvature();
    resetDifference();
    resetHeightClasses();
    resetSlope();
    resetLoader();
    forgetCoregistration();
    clearCheckpoints();
    resetPlaceReview();
}
