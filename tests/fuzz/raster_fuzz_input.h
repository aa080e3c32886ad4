#pragma once
// How an input of the raster fuzzer becomes files, shared by the fuzzer and its seed
// writer: the first byte picks the file's name (formats are told apart by name as well
// as by content: an SRTM tile must be called as one, an EHdr raster needs its .hdr), and
// what follows a sidecar mark, if anything, is the .hdr beside it.

#include <cstddef>
#include <cstdint>
#include <string>

namespace rasterfuzz {

inline const char* const names[] = {"dem.tif", "dem.img",     "dem.nc",  "dem.png", "N45E006.hgt", "dem.dem",
                                    "dem.dt0", "dem.grd",     "dem.bt",  "dem.bil", "dem.flt",     "dem.dat"};
const std::size_t nameCount = sizeof names / sizeof names[0];
inline const char* const sidecar = "dem.hdr";
inline const std::string mark = "\n--KARVO-SIDECAR--\n";

struct Files {
    std::string name;     // the raster's file name
    std::string raster;   // its bytes
    std::string header;   // the .hdr beside it; "" for none
    bool hasHeader = false;
};

inline Files split(const std::uint8_t* data, std::size_t size)
{
    Files f;
    f.name = names[size > 0 ? data[0] % nameCount : 0];
    const std::string rest(reinterpret_cast<const char*>(data) + (size > 0 ? 1 : 0), size > 0 ? size - 1 : 0);
    const std::size_t at = rest.find(mark);
    f.hasHeader = at != std::string::npos;
    f.raster = f.hasHeader ? rest.substr(at + mark.size()) : rest;
    f.header = f.hasHeader ? rest.substr(0, at) : "";
    return f;
}

// The input that split turns into these files.
inline std::string join(std::size_t nameIndex, const std::string& raster, const std::string* header)
{
    std::string input(1, static_cast<char>(nameIndex));
    if (header != nullptr)
        input += *header + mark;
    return input + raster;
}

}  // namespace rasterfuzz
