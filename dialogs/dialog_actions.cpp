#include "dialogs/dialogs.h"

DialogActions dialogActions()
{
    DialogActions a;
    a.openDem = file;
    a.openDemAndComparison = files;
    a.addComparison = addChange;
    a.statistics = stats;
    a.graph = graph;
    a.graphCurvature = graphCurve;
    a.graphDifference = graphDiff;
    a.graphHeightClasses = graphClass;
    a.sparse = sparse;
    a.curvatureUnit = modCurve;
    a.checkpoints = checkpoints;
    a.coregister = coregister;
    a.saveReport = saveReportM;
    a.worstPlaces = worstPlacesWindow;
    a.fitUnit = fitUnitM;
    a.maskNodata = maskNodataChanged;
    a.align = alignChanged;
    a.resampling = resamplingChanged;
    a.saveImage = saveImage;
    return a;
}
