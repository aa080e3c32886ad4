// Places files through GDAL's GeoJSON driver, in GDAL's memory file system: the module
// hands back text, and the core writes it beside the target and renames it, as every
// output is written (the driver itself refuses to open an existing file).

#include <cpl_conv.h>
#include <cpl_vsi.h>
#include <gdal.h>
#include <ogr_api.h>
#include <ogr_srs_api.h>

#include <cstdlib>
#include <string>

#include "model/gdal/gdal_parts.h"
#include "model/gdal/quiet_gdal.h"

namespace {

std::string memoryFile()
{
    static int serial = 0;
    return "/vsimem/karvo_places_" + std::to_string(++serial) + ".geojson";
}

// The coordinate system to write, with the EPSG code GDAL's writer needs to name it:
// the projection's own, or that of an EPSG system PROJ finds equivalent to it.
class WrittenSrs {
public:
    explicit WrittenSrs(const std::string& wkt)
    {
        if (wkt.empty())
            return;
        srs = OSRNewSpatialReference(nullptr);
        if (OSRSetFromUserInput(srs, wkt.c_str()) != OGRERR_NONE) {
            OSRDestroySpatialReference(srs);
            srs = nullptr;
            return;
        }
        OSRSetAxisMappingStrategy(srs, OAMS_TRADITIONAL_GIS_ORDER);  // x east, y north
        const char* authority = OSRGetAuthorityName(srs, nullptr);
        if (authority == nullptr || std::string(authority) != "EPSG")
            identify();
    }
    ~WrittenSrs()
    {
        if (srs != nullptr)
            OSRDestroySpatialReference(srs);
    }
    WrittenSrs(const WrittenSrs&) = delete;
    WrittenSrs& operator=(const WrittenSrs&) = delete;
    OGRSpatialReferenceH get() const { return srs; }

private:
    void identify()
    {
        int count = 0;
        int* confidence = nullptr;
        OGRSpatialReferenceH* matches = OSRFindMatches(srs, nullptr, &count, &confidence);
        // 90 and above: equivalent, at most the names differ.
        const char* code = count > 0 && confidence[0] >= 90 ? OSRGetAuthorityCode(matches[0], nullptr) : nullptr;
        const char* authority = code != nullptr ? OSRGetAuthorityName(matches[0], nullptr) : nullptr;
        if (authority != nullptr && std::string(authority) == "EPSG") {
            OGRSpatialReferenceH epsg = OSRNewSpatialReference(nullptr);
            if (OSRImportFromEPSG(epsg, std::atoi(code)) == OGRERR_NONE) {
                OSRDestroySpatialReference(srs);
                srs = epsg;
                OSRSetAxisMappingStrategy(srs, OAMS_TRADITIONAL_GIS_ORDER);
            } else {
                OSRDestroySpatialReference(epsg);
            }
        }
        OSRFreeSRSArray(matches);
        CPLFree(confidence);
    }

    OGRSpatialReferenceH srs = nullptr;
};

struct Field {
    const char* name;
    OGRFieldType type;
};
const Field placeFields[] = {{"kind", OFTString},  {"rank", OFTInteger}, {"row", OFTInteger},
                             {"col", OFTInteger},  {"height", OFTReal},  {"value", OFTReal},
                             {"level", OFTInteger}, {"cells", OFTInteger}};
const Field reviewFields[] = {{"status", OFTString}, {"note", OFTString}};

bool addFields(OGRLayerH layer, bool review)
{
    bool added = true;
    auto add = [&](const Field& f) {
        OGRFieldDefnH field = OGR_Fld_Create(f.name, f.type);
        added = added && OGR_L_CreateField(layer, field, TRUE) == OGRERR_NONE;
        OGR_Fld_Destroy(field);
    };
    for (const Field& f : placeFields)
        add(f);
    for (const Field& f : reviewFields)
        if (review)
            add(f);
    return added;
}

bool addPlace(OGRLayerH layer, const PlaceRecord& r, bool review)
{
    OGRFeatureH feature = OGR_F_Create(OGR_L_GetLayerDefn(layer));
    OGR_F_SetFieldString(feature, 0, r.kind.c_str());
    OGR_F_SetFieldInteger(feature, 1, r.rank);
    OGR_F_SetFieldInteger(feature, 2, r.row);
    OGR_F_SetFieldInteger(feature, 3, r.col);
    OGR_F_SetFieldDouble(feature, 4, r.height);
    OGR_F_SetFieldDouble(feature, 5, r.value);
    OGR_F_SetFieldInteger(feature, 6, r.level);
    OGR_F_SetFieldInteger(feature, 7, r.cells);
    if (review) {
        OGR_F_SetFieldString(feature, 8, r.status.c_str());
        OGR_F_SetFieldString(feature, 9, r.note.c_str());
    }
    OGRGeometryH point = OGR_G_CreateGeometry(wkbPoint);
    OGR_G_SetPoint_2D(point, 0, r.x, r.y);
    OGR_F_SetGeometryDirectly(feature, point);
    const bool added = OGR_L_CreateFeature(layer, feature) == OGRERR_NONE;
    OGR_F_Destroy(feature);
    return added;
}

// A feature's properties by name, as the record's fields; those it lacks, or holds
// null, keep the record's defaults.
class PropertyReader {
public:
    explicit PropertyReader(OGRFeatureDefnH definition) : definition(definition) {}
    void text(OGRFeatureH f, const char* name, std::string& out) const
    {
        const int i = OGR_FD_GetFieldIndex(definition, name);
        if (i >= 0 && OGR_F_IsFieldSetAndNotNull(f, i))
            out = OGR_F_GetFieldAsString(f, i);
    }
    void number(OGRFeatureH f, const char* name, int& out) const
    {
        const int i = OGR_FD_GetFieldIndex(definition, name);
        if (i >= 0 && OGR_F_IsFieldSetAndNotNull(f, i))
            out = OGR_F_GetFieldAsInteger(f, i);
    }
    void number(OGRFeatureH f, const char* name, double& out) const
    {
        const int i = OGR_FD_GetFieldIndex(definition, name);
        if (i >= 0 && OGR_F_IsFieldSetAndNotNull(f, i))
            out = OGR_F_GetFieldAsDouble(f, i);
    }

private:
    OGRFeatureDefnH definition;
};

void readLayer(OGRLayerH layer, PlaceFile& file)
{
    if (OGRSpatialReferenceH srs = OGR_L_GetSpatialRef(layer)) {
        char* wkt = nullptr;
        if (OSRExportToWkt(srs, &wkt) == OGRERR_NONE && wkt != nullptr)
            file.projection = wkt;
        CPLFree(wkt);
    }
    const OGRFeatureDefnH definition = OGR_L_GetLayerDefn(layer);
    file.review = OGR_FD_GetFieldIndex(definition, "status") >= 0;
    const PropertyReader read(definition);
    OGR_L_ResetReading(layer);
    while (OGRFeatureH f = OGR_L_GetNextFeature(layer)) {
        OGRGeometryH point = OGR_F_GetGeometryRef(f);
        if (point != nullptr && wkbFlatten(OGR_G_GetGeometryType(point)) == wkbPoint && !OGR_G_IsEmpty(point)) {
            PlaceRecord r;
            r.x = OGR_G_GetX(point, 0);
            r.y = OGR_G_GetY(point, 0);
            read.text(f, "kind", r.kind);
            read.number(f, "rank", r.rank);
            read.number(f, "row", r.row);
            read.number(f, "col", r.col);
            read.number(f, "height", r.height);
            read.number(f, "value", r.value);
            read.number(f, "level", r.level);
            read.number(f, "cells", r.cells);
            read.text(f, "status", r.status);
            read.text(f, "note", r.note);
            file.records.push_back(r);
        }
        OGR_F_Destroy(f);
    }
}

}  // namespace

bool readGdalPlaces(const std::string& bytes, PlaceFile& file, std::string& why)
{
    const QuietGdal quiet;
    const std::string name = memoryFile();
    // GDAL reads the caller's bytes in place and never frees them.
    VSIFCloseL(VSIFileFromMemBuffer(name.c_str(), reinterpret_cast<GByte*>(const_cast<char*>(bytes.data())),
                                    bytes.size(), FALSE));
    const char* const drivers[] = {"GeoJSON", nullptr};
    GDALDatasetH in = GDALOpenEx(name.c_str(), GDAL_OF_VECTOR | GDAL_OF_READONLY, drivers, nullptr, nullptr);
    OGRLayerH layer = in != nullptr && GDALDatasetGetLayerCount(in) > 0 ? GDALDatasetGetLayer(in, 0) : nullptr;
    if (layer != nullptr)
        readLayer(layer, file);
    else
        why = lastGdalMessage();
    if (in != nullptr)
        GDALClose(in);
    VSIUnlink(name.c_str());
    return layer != nullptr;
}

bool gdalPlacesGeoJson(const PlaceFile& file, std::string& text, std::string& why)
{
    const QuietGdal quiet;
    const std::string name = memoryFile();
    GDALDriverH driver = GDALGetDriverByName("GeoJSON");
    GDALDatasetH out = driver == nullptr ? nullptr : GDALCreate(driver, name.c_str(), 0, 0, 0, GDT_Unknown, nullptr);
    if (out == nullptr) {
        why = lastGdalMessage();
        return false;
    }
    const WrittenSrs srs(file.projection);
    OGRLayerH layer = GDALDatasetCreateLayer(out, "worst_places", srs.get(), wkbPoint, nullptr);
    bool made = layer != nullptr && addFields(layer, file.review);
    for (std::size_t i = 0; made && i < file.records.size(); i++)
        made = addPlace(layer, file.records[i], file.review);
    GDALClose(out);  // writes the collection's end
    made = made && CPLGetLastErrorType() != CE_Failure;
    vsi_l_offset length = 0;
    const GByte* bytes = made ? VSIGetMemFileBuffer(name.c_str(), &length, FALSE) : nullptr;
    if (bytes != nullptr)
        text.assign(reinterpret_cast<const char*>(bytes), static_cast<std::size_t>(length));
    else
        why = lastGdalMessage();
    VSIUnlink(name.c_str());
    return bytes != nullptr;
}
