// Checkpoints from the point features of a vector file, through OGR.

#include <cpl_conv.h>
#include <gdal.h>
#include <ogr_api.h>

#include <cmath>

#include "model/checkpoint_columns.h"
#include "model/gdal/gdal_parts.h"
#include "model/gdal/quiet_gdal.h"
#include "model/gdal/spatial_reference.h"

namespace {

// File formats only: no driver that reads a database, a web service or other files named
// inside the one given (VRT).
const char* const vectorDrivers[] = {
    "GPKG", "ESRI Shapefile", "GeoJSON", "GeoJSONSeq", "ESRIJSON", "TopoJSON", "KML", "LIBKML", "GML", "FlatGeobuf",
    "CSV", "MapInfo File", nullptr};

// The fields of a layer that the checkpoints read, -1 where it has none.
struct Fields {
    int z = -1, id = -1, landClass = -1;
};

Fields fieldsOf(OGRFeatureDefnH definition)
{
    Fields f;
    for (int i = 0; i < OGR_FD_GetFieldCount(definition); i++) {
        const CheckpointColumn column = checkpointColumn(OGR_Fld_GetNameRef(OGR_FD_GetFieldDefn(definition, i)));
        int* slot = column == CheckpointColumn::z           ? &f.z
                    : column == CheckpointColumn::id        ? &f.id
                    : column == CheckpointColumn::landClass ? &f.landClass
                                                            : nullptr;
        if (slot != nullptr && *slot < 0)
            *slot = i;
    }
    return f;
}

// The height field's value; false when it is empty or not a number.
bool fieldHeight(OGRFeatureH feature, int field, double& z)
{
    if (!OGR_F_IsFieldSetAndNotNull(feature, field))
        return false;
    const OGRFieldType type = OGR_Fld_GetType(OGR_F_GetFieldDefnRef(feature, field));
    if (type == OFTReal || type == OFTInteger || type == OFTInteger64) {
        z = OGR_F_GetFieldAsDouble(feature, field);
        return std::isfinite(z);
    }
    const char* text = OGR_F_GetFieldAsString(feature, field);
    char* end = nullptr;
    z = CPLStrtod(text, &end);
    return end != text && *end == '\0' && std::isfinite(z);
}

struct LayerReader {
    OGRLayerH layer;
    std::string layerNote;  // " of layer NAME" when the file has more than one
    Fields fields;
    OGRCoordinateTransformationH toDem;  // null: the points are already in the DEM's system
    std::size_t maxPoints;

    // The checkpoints of one feature (one per point of a multipoint); "" or why not.
    std::string read(OGRFeatureH feature, std::vector<Checkpoint>& out) const
    {
        OGRGeometryH geometry = OGR_F_GetGeometryRef(feature);
        const OGRwkbGeometryType type = geometry == nullptr ? wkbNone : wkbFlatten(OGR_G_GetGeometryType(geometry));
        if (type != wkbPoint && type != wkbMultiPoint)
            return "is not a point";
        const int parts = type == wkbPoint ? 1 : OGR_G_GetGeometryCount(geometry);
        const std::string id = fields.id >= 0 ? OGR_F_GetFieldAsString(feature, fields.id)
                                              : std::to_string(OGR_F_GetFID(feature));
        for (int k = 0; k < parts; k++) {
            OGRGeometryH point = type == wkbPoint ? geometry : OGR_G_GetGeometryRef(geometry, k);
            if (OGR_G_IsEmpty(point))
                return "has an empty point";
            Checkpoint c;
            c.x = OGR_G_GetX(point, 0);
            c.y = OGR_G_GetY(point, 0);
            if (fields.z >= 0 ? !fieldHeight(feature, fields.z, c.z)
                              : !(OGR_G_Is3D(point) && std::isfinite(c.z = OGR_G_GetZ(point, 0))))
                return fields.z >= 0 ? "its height field is empty or not a number" : "has no height";
            if (toDem != nullptr && !OCTTransform(toDem, 1, &c.x, &c.y, nullptr))
                return "cannot be carried into the DEM's coordinate system";
            if (!std::isfinite(c.x) || !std::isfinite(c.y))
                return "has no finite position";
            c.id = parts == 1 ? id : id + "/" + std::to_string(k + 1);
            c.landClass = fields.landClass >= 0 ? OGR_F_GetFieldAsString(feature, fields.landClass) : "";
            out.push_back(std::move(c));
        }
        return "";
    }

    // Reads the layer into set; false when it holds more points than allowed.
    bool readAll(CheckpointSet& set) const
    {
        OGR_L_ResetReading(layer);
        OGRFeatureH feature;
        while ((feature = OGR_L_GetNextFeature(layer)) != nullptr) {
            std::vector<Checkpoint> points;
            const std::string why = read(feature, points);
            if (!why.empty())
                set.skipped.push_back({"feature " + std::to_string(OGR_F_GetFID(feature)) + layerNote, why});
            OGR_F_Destroy(feature);
            for (Checkpoint& c : points) {
                if (set.points.size() == maxPoints)
                    return false;
                set.points.push_back(std::move(c));
            }
        }
        return true;
    }
};

}  // namespace

CheckpointSet readGdalVectorCheckpoints(const std::string& path, const std::string& demProjection,
                                        std::size_t maxPoints)
{
    const QuietGdal quiet;
    CheckpointSet set;
    set.vectorFile = true;
    GDALDatasetH file = GDALOpenEx(path.c_str(), GDAL_OF_VECTOR | GDAL_OF_READONLY, vectorDrivers, nullptr, nullptr);
    if (file == nullptr) {
        const std::string why = lastGdalMessage();
        set.problem = "is neither a checkpoint table (no header naming x and y columns) nor a vector file" +
                      (why.empty() ? std::string() : " (" + why + ")");
        return set;
    }
    const SpatialReference dem(demProjection);
    const int layers = GDALDatasetGetLayerCount(file);
    for (int i = 0; i < layers && set.problem.empty(); i++) {
        OGRLayerH layer = GDALDatasetGetLayer(file, i);
        const SpatialReference own(OGR_L_GetSpatialRef(layer));
        const bool carry = own.get() != nullptr && dem.get() != nullptr && !own.sameAs(dem);
        const Transformation toDem(own, dem);
        if (carry && toDem.get() == nullptr) {
            set.problem = "cannot be carried into the DEM's coordinate system (" + lastGdalMessage() + ")";
            break;
        }
        const Fields fields = fieldsOf(OGR_L_GetLayerDefn(layer));
        set.hasClasses = set.hasClasses || fields.landClass >= 0;
        set.transformed = set.transformed || carry;
        const std::string note = layers > 1 ? std::string(" of layer ") + OGR_L_GetName(layer) : "";
        const LayerReader reader{layer, note, fields, carry ? toDem.get() : nullptr, maxPoints};
        if (!reader.readAll(set)) {
            set.points = {};
            set.problem = "holds more checkpoints than memory allows (" + std::to_string(maxPoints) + ")";
        }
    }
    GDALClose(file);
    return set;
}
