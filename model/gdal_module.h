#pragma once
// What the programs ask of GDAL, behind one interface. GDAL and the hundred libraries it
// pulls in live in a module that is loaded the first time a raster is read or written,
// so that the report of a text grid starts in a few milliseconds: a batch run over many
// tiles pays the start-up per file. Nothing here includes a GDAL header.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "model/checkpoint_file.h"

struct RasterHeader {
    int ncols = 0, nrows = 0;
    int bands = 0;
    double transform[6] = {0, 1, 0, 0, 0, -1};  // GDAL's geotransform, as the file gives it
    bool georeferenced = false;                 // the file has a geotransform
    bool hasNodata = false;                     // band 1's nodata value, a raw value
    double nodata = 0;
    double scale = 1, offset = 0;  // band 1's: a height is raw x scale + offset
    bool signedBytes = false;      // band 1 is bytes that are signed (PIXELTYPE=SIGNEDBYTE)
    bool geographic = false;  // the coordinate system is geographic (cells in degrees)
    std::string projection;   // the coordinate system as WKT, "" when there is none
};

// An open raster; band 1 is read as floats, its raw values as GDAL gives them.
class RasterSource {
public:
    virtual ~RasterSource() = default;
    virtual const RasterHeader& header() const = 0;
    // count rows from file row first, columns firstCol .. firstCol + cols - 1, into out
    // (count x cols floats); only the blocks of the file that hold them are read. false
    // with GDAL's reason when the file cannot give them.
    virtual bool readPart(int first, int count, int firstCol, int cols, float* out, std::string& why) = 0;
};

// A one-band Byte GeoTIFF: row(r, out) fills the ncols bytes of row r, north row first.
struct ByteRaster {
    int ncols = 0, nrows = 0;
    double transform[6] = {0, 1, 0, 0, 0, -1};
    std::string projection;
    bool hasNodata = false;
    std::uint8_t nodata = 0;
    std::function<void(int r, std::uint8_t* out)> row;
};

// A one-band Float32 GeoTIFF whose nodata value is NaN: row(r, out) fills the ncols values
// of row r, north row first.
struct FloatRaster {
    int ncols = 0, nrows = 0;
    double transform[6] = {0, 1, 0, 0, 0, -1};
    std::string projection;
    std::function<void(int r, float* out)> row;
};

// A places file: a GeoJSON FeatureCollection of points, one per place of a worst-places
// list, in the DEM's coordinate system.
struct PlaceRecord {
    std::string kind;         // "curvature" or "difference"
    int rank = 0;             // 1 for the worst of its kind
    int row = -1, col = -1;   // the grid point; -1 when a file read gives none
    double x = 0, y = 0;      // the point's map coordinates
    double height = 0, value = 0;
    int level = 0;
    int cells = 0;
    std::string status, note;  // written when the file's review is set
};

struct PlaceFile {
    std::string projection;  // the coordinate system as WKT, "" for none
    bool review = false;     // the features carry status and note
    std::vector<PlaceRecord> records;
};
// A north-up grid of floats in memory, for the warper: grid point (r, c) stands at the
// centre of its pixel, row 0 north; row r starts at first + r x lineFloats.
struct MemoryGrid {
    int ncols = 0, nrows = 0;
    double xllcorner = 0, yllcorner = 0, cellsize = 0;  // the south-west corner of the grid
    std::string projection;                              // WKT, "" when not known
    float* first = nullptr;
    std::size_t lineFloats = 0;
    bool hasNodata = false;  // values equal to nodata (or NaN when nodata is NaN) hold none
    double nodata = 0;
};

enum class Resampling { nearest, bilinear, cubic };

// Where one grid's extent lies against another's.
enum class Footprint { overlaps, disjoint, unknown };

// Which raster a file is. A trusted raster may be of any format GDAL reads, and may name
// other files or URLs; an untrusted one is read only by the drivers that read the pixels
// of the one file named (model/gdal/raster_kind.cpp lists them).
struct RasterKind {
    std::string driver;   // GDAL's name of the driver that reads it; "" when none of them claims it
    std::string refusal;  // why a raster GDAL knows is not read untrusted; "" otherwise
};

class GdalModule {
public:
    virtual ~GdalModule() = default;
    virtual RasterKind identifyRaster(const std::string& path, bool trusted) = 0;
    // path opened by the driver identifyRaster named; nullptr, with GDAL's message in why
    // (if it gave one), when it cannot be.
    virtual std::unique_ptr<RasterSource> openRaster(const std::string& path, const std::string& driver,
                                                     bool trusted, std::string& why) = 0;
    // Creates path (deflate-compressed); false with GDAL's reason when it cannot be written whole.
    virtual bool writeByteGeoTiff(const std::string& path, const ByteRaster& raster, std::string& why) = 0;
    // The same for a Float32 raster.
    virtual bool writeFloatGeoTiff(const std::string& path, const FloatRaster& raster, std::string& why) = 0;
    // The GeoJSON text of a places file, made by GDAL's GeoJSON driver. Its "crs" member
    // names the EPSG coordinate system the projection is or matches (GDAL writes no other);
    // false with GDAL's reason when the text cannot be made.
    virtual bool placesGeoJson(const PlaceFile& file, std::string& text, std::string& why) = 0;
    // Reads the bytes of a GeoJSON places file through GDAL's GeoJSON driver only: every
    // point feature as a record, its properties by name (those it lacks keep the record's
    // defaults), and the layer's coordinate system. false with GDAL's reason when the bytes
    // are no GeoJSON.
    virtual bool readPlaces(const std::string& bytes, PlaceFile& file, std::string& why) = 0;
    // The PNG file of a picture of width x height pixels, rgb holding 3 bytes per pixel,
    // top row first, in memory; empty, with GDAL's reason, when it cannot be made.
    virtual std::vector<std::uint8_t> encodePng(const std::vector<std::uint8_t>& rgb, int width, int height,
                                                std::string& why) = 0;

    // Whether two coordinate systems given as WKT are the same, whatever their axis order;
    // false when either cannot be read.
    virtual bool sameCoordinateSystem(const std::string& a, const std::string& b) = 0;
    // Whether from's extent, carried into to's coordinate system when reproject is set,
    // overlaps to's extent with a positive area; unknown when it cannot be carried over.
    virtual Footprint footprint(const MemoryGrid& from, const MemoryGrid& to, bool reproject) = 0;
    // Resamples from onto to's grid points, from from's coordinate system into to's when
    // reproject is set; a point of to that from gives no value (outside it, or where its
    // nodata points leave the resampling without a value) becomes NaN. The source is only
    // read. false with GDAL's reason when the warp fails.
    virtual bool warp(const MemoryGrid& from, const MemoryGrid& to, Resampling resampling, bool reproject,
                      std::string& why) = 0;
    // The point features of a vector file as checkpoints (see model/checkpoint_file.h), at
    // most maxPoints of them; problem says why when the file cannot be read.
    virtual CheckpointSet readVectorCheckpoints(const std::string& path, const std::string& demProjection,
                                                std::size_t maxPoints) = 0;
};

// The module, loaded on first use; nullptr, with the reason in why, when it cannot be.
GdalModule* gdalModule(std::string& why);

// The name of the module's entry point, which returns its one GdalModule.
#define KARVO_GDAL_ENTRY "karvoGdalModule"
