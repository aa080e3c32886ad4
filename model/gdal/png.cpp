// A picture to a PNG file in memory: the pixels go into a MEM dataset, which the PNG
// driver copies into a /vsimem/ file; its bytes are taken out and the file is gone.
// A picture of at most 256 colours (a relief's greys and levels, a chart) is written with
// a palette, one byte a pixel: a third of the bytes to compress, which is most of the time.

#include <cpl_conv.h>
#include <cpl_vsi.h>
#include <gdal.h>

#include <atomic>

#include "model/gdal/gdal_parts.h"
#include "model/gdal/quiet_gdal.h"

namespace {

// A name no other call uses, even on another thread at the same time.
std::string memoryName()
{
    static std::atomic<unsigned long> calls{0};
    return "/vsimem/karvo_picture_" + std::to_string(calls++) + ".png";
}

// The palette (colours as 0xRRGGBB) and each pixel's index into it; false when the
// picture has more than 256 colours.
bool paletteOf(const std::vector<std::uint8_t>& rgb, std::vector<std::uint32_t>& palette,
               std::vector<std::uint8_t>& indices)
{
    // An open-addressed table of 1024 slots holds colour + 1 (0: free) and its index.
    std::vector<std::uint32_t> keys(1024, 0);
    std::vector<std::uint8_t> slots(1024, 0);
    indices.resize(rgb.size() / 3);
    for (std::size_t i = 0; i < indices.size(); i++) {
        const std::uint32_t colour = std::uint32_t(rgb[3 * i]) << 16 | std::uint32_t(rgb[3 * i + 1]) << 8 | rgb[3 * i + 2];
        std::uint32_t slot = (colour * 2654435761u) >> 22;
        while (keys[slot] != 0 && keys[slot] != colour + 1)
            slot = (slot + 1) & 1023;
        if (keys[slot] == 0) {
            if (palette.size() == 256)
                return false;
            keys[slot] = colour + 1;
            slots[slot] = static_cast<std::uint8_t>(palette.size());
            palette.push_back(colour);
        }
        indices[i] = slots[slot];
    }
    return true;
}

GDALDatasetH palettePicture(const std::vector<std::uint32_t>& palette, std::vector<std::uint8_t>& indices, int width,
                            int height)
{
    GDALDriverH mem = GDALGetDriverByName("MEM");
    GDALDatasetH picture = mem == nullptr ? nullptr : GDALCreate(mem, "", width, height, 1, GDT_Byte, nullptr);
    if (picture == nullptr)
        return nullptr;
    GDALRasterBandH band = GDALGetRasterBand(picture, 1);
    GDALColorTableH table = GDALCreateColorTable(GPI_RGB);
    for (std::size_t i = 0; i < palette.size(); i++) {
        const GDALColorEntry entry = {short(palette[i] >> 16), short((palette[i] >> 8) & 255), short(palette[i] & 255),
                                      255};
        GDALSetColorEntry(table, int(i), &entry);
    }
    const bool written = GDALSetRasterColorTable(band, table) == CE_None &&
                         GDALRasterIO(band, GF_Write, 0, 0, width, height, indices.data(), width, height, GDT_Byte, 0,
                                      0) == CE_None;
    GDALDestroyColorTable(table);
    if (!written) {
        GDALClose(picture);
        return nullptr;
    }
    return picture;
}

GDALDatasetH memoryPicture(const std::vector<std::uint8_t>& rgb, int width, int height)
{
    GDALDriverH mem = GDALGetDriverByName("MEM");
    GDALDatasetH picture = mem == nullptr ? nullptr : GDALCreate(mem, "", width, height, 3, GDT_Byte, nullptr);
    if (picture == nullptr)
        return nullptr;
    // Pixel-interleaved: bands 1 byte apart, pixels 3, rows 3 x width.
    if (GDALDatasetRasterIO(picture, GF_Write, 0, 0, width, height, const_cast<std::uint8_t*>(rgb.data()), width,
                            height, GDT_Byte, 3, nullptr, 3, GSpacing(3) * width, 1) != CE_None) {
        GDALClose(picture);
        return nullptr;
    }
    return picture;
}

}  // namespace

std::vector<std::uint8_t> encodeGdalPng(const std::vector<std::uint8_t>& rgb, int width, int height,
                                        std::string& why)
{
    if (width <= 0 || height <= 0 || rgb.size() != std::size_t(width) * std::size_t(height) * 3) {
        why = "the picture has no pixels or not 3 bytes for each";
        return {};
    }
    const QuietGdal quiet;
    std::vector<std::uint32_t> palette;
    std::vector<std::uint8_t> indices;
    GDALDatasetH picture = paletteOf(rgb, palette, indices) ? palettePicture(palette, indices, width, height)
                                                            : memoryPicture(rgb, width, height);
    GDALDriverH driver = GDALGetDriverByName("PNG");
    if (picture == nullptr || driver == nullptr) {
        why = picture == nullptr ? lastGdalMessage() : "GDAL has no PNG driver";
        if (picture != nullptr)
            GDALClose(picture);
        return {};
    }
    const std::string name = memoryName();
    // Level 2 of deflate's fast search makes the picture of a 4000 x 4000 grid in a third of
    // the time of the default level 6, and a file a fifth larger.
    const char* options[] = {"ZLEVEL=2", nullptr};
    GDALDatasetH png =
        GDALCreateCopy(driver, name.c_str(), picture, FALSE, const_cast<char**>(options), nullptr, nullptr);
    GDALClose(picture);
    std::vector<std::uint8_t> bytes;
    if (png != nullptr) {
        GDALClose(png);
        vsi_l_offset length = 0;
        GByte* data = VSIGetMemFileBuffer(name.c_str(), &length, TRUE);
        if (data != nullptr && CPLGetLastErrorType() != CE_Failure)
            bytes.assign(data, data + length);
        CPLFree(data);
    }
    VSIUnlink(name.c_str());
    VSIUnlink((name + ".aux.xml").c_str());
    if (bytes.empty())
        why = lastGdalMessage();
    return bytes;
}
