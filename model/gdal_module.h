#pragma once
// What the programs ask of GDAL, behind one interface. GDAL and the hundred libraries it
// pulls in live in a module that is loaded the first time a raster is read or written,
// so that the report of a text grid starts in a few milliseconds: a batch run over many
// tiles pays the start-up per file. Nothing here includes a GDAL header.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

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
    // count rows from file row first, full width, into out (count x ncols floats); false
    // with GDAL's reason when the file cannot give them.
    virtual bool readRows(int first, int count, float* out, std::string& why) = 0;
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
};

// The module, loaded on first use; nullptr, with the reason in why, when it cannot be.
GdalModule* gdalModule(std::string& why);

// The name of the module's entry point, which returns its one GdalModule.
#define KARVO_GDAL_ENTRY "karvoGdalModule"
