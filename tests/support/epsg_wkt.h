#pragma once
// The WKT of an EPSG coordinate system, from OSR, for tests that place grids and points.

#include <cpl_conv.h>
#include <ogr_srs_api.h>

#include <string>

inline std::string wktOfEpsg(int epsg)
{
    OGRSpatialReferenceH srs = OSRNewSpatialReference(nullptr);
    OSRImportFromEPSG(srs, epsg);
    char* wkt = nullptr;
    OSRExportToWkt(srs, &wkt);
    const std::string text = wkt;
    CPLFree(wkt);
    OSRDestroySpatialReference(srs);
    return text;
}
