#pragma once
// A coordinate system read from WKT, with its axes in the order the programs use: easting
// before northing, longitude before latitude, whatever the definition's own order (GDAL 3
// otherwise follows the authority, which puts latitude first for EPSG:4326).

#include <ogr_srs_api.h>

#include <string>

class SpatialReference {
public:
    explicit SpatialReference(const std::string& wkt)
    {
        if (wkt.empty())
            return;
        handle = OSRNewSpatialReference(nullptr);
        if (OSRSetFromUserInput(handle, wkt.c_str()) != OGRERR_NONE) {
            OSRDestroySpatialReference(handle);
            handle = nullptr;
            return;
        }
        OSRSetAxisMappingStrategy(handle, OAMS_TRADITIONAL_GIS_ORDER);
    }
    // A copy of a layer's or dataset's system, in the same axis order.
    explicit SpatialReference(OGRSpatialReferenceH other)
    {
        if (other == nullptr)
            return;
        handle = OSRClone(other);
        OSRSetAxisMappingStrategy(handle, OAMS_TRADITIONAL_GIS_ORDER);
    }
    ~SpatialReference()
    {
        if (handle != nullptr)
            OSRDestroySpatialReference(handle);
    }
    SpatialReference(const SpatialReference&) = delete;
    SpatialReference& operator=(const SpatialReference&) = delete;

    OGRSpatialReferenceH get() const { return handle; }
    bool sameAs(const SpatialReference& other) const
    {
        const char* options[] = {"IGNORE_DATA_AXIS_TO_SRS_AXIS_MAPPING=YES",
                                 "CRITERION=EQUIVALENT_EXCEPT_AXIS_ORDER_GEOGCRS", nullptr};
        return handle != nullptr && other.handle != nullptr && OSRIsSameEx(handle, other.handle, options) != 0;
    }

private:
    OGRSpatialReferenceH handle = nullptr;
};

// A transformation between two systems, freed with it; null when PROJ has none.
class Transformation {
public:
    Transformation(const SpatialReference& from, const SpatialReference& to)
    {
        if (from.get() != nullptr && to.get() != nullptr)
            handle = OCTNewCoordinateTransformation(from.get(), to.get());
    }
    ~Transformation()
    {
        if (handle != nullptr)
            OCTDestroyCoordinateTransformation(handle);
    }
    Transformation(const Transformation&) = delete;
    Transformation& operator=(const Transformation&) = delete;

    OGRCoordinateTransformationH get() const { return handle; }

private:
    OGRCoordinateTransformationH handle = nullptr;
};
