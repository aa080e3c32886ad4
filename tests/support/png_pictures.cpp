#include "tests/support/png_pictures.h"

#include <cpl_vsi.h>
#include <gdal.h>

#include <string>

Picture decodePng(const std::vector<std::uint8_t>& png)
{
    GDALAllRegister();
    const std::string name = "/vsimem/test_picture.png";
    VSILFILE* file = VSIFileFromMemBuffer(name.c_str(), const_cast<GByte*>(png.data()), png.size(), FALSE);
    VSIFCloseL(file);
    const char* const drivers[] = {"PNG", nullptr};
    GDALDatasetH d = GDALOpenEx(name.c_str(), GDAL_OF_RASTER, drivers, nullptr, nullptr);
    Picture out;
    if (d != nullptr) {
        const int width = GDALGetRasterXSize(d), height = GDALGetRasterYSize(d), bands = GDALGetRasterCount(d);
        std::vector<std::uint8_t> band(static_cast<std::size_t>(width) * height);
        GDALColorTableH palette = GDALGetRasterColorTable(GDALGetRasterBand(d, 1));
        out = Picture(width, height, {});
        for (int b = 1; b <= bands && b <= 3; b++) {
            if (GDALRasterIO(GDALGetRasterBand(d, b), GF_Read, 0, 0, width, height, band.data(), width, height,
                             GDT_Byte, 0, 0) != CE_None)
                return GDALClose(d), Picture();
            for (std::size_t i = 0; i < band.size(); i++) {
                if (bands == 1 && palette != nullptr) {
                    const GDALColorEntry* e = GDALGetColorEntry(palette, band[i]);
                    out.rgb[3 * i] = std::uint8_t(e->c1);
                    out.rgb[3 * i + 1] = std::uint8_t(e->c2);
                    out.rgb[3 * i + 2] = std::uint8_t(e->c3);
                } else {
                    out.rgb[3 * i + b - 1] = band[i];
                }
            }
        }
        GDALClose(d);
    }
    VSIUnlink(name.c_str());
    return out;
}
