#include "view/view_image.h"

#include <FL/Fl_Window.H>
#include <GL/gl.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fstream>
#include <new>

#include "analysis/page_figures.h"
#include "model/output_file.h"
#include "view/my_window.h"

namespace {

// The view's width within its window: with the tool panel hidden it reaches past the
// window's edge, which clips it.
int shownWidth(MyWindow& view)
{
    const Fl_Window* top = view.window();
    return top == nullptr ? view.w() : std::min(view.w(), top->w() - view.x());
}

}  // namespace

Picture viewPicture(MyWindow& view)
{
    const int width = shownWidth(view);
    if (!view.shown() || width <= 0 || view.h() <= 0)
        return {};
    try {
        Picture picture(width, view.h(), {0, 0, 0});
        view.make_current();
        view.draw();
        glFinish();
        std::vector<std::uint8_t> bottomUp(picture.rgb.size());
        glReadBuffer(GL_BACK);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glReadPixels(0, 0, picture.width, picture.height, GL_RGB, GL_UNSIGNED_BYTE, bottomUp.data());
        // GL's rows run bottom up, a picture's top down.
        const std::size_t row = std::size_t(picture.width) * 3;
        for (int y = 0; y < picture.height; y++)
            std::memcpy(&picture.rgb[std::size_t(y) * row], &bottomUp[std::size_t(picture.height - 1 - y) * row], row);
        return picture;
    } catch (const std::bad_alloc&) {
        return {};
    }
}

bool saveViewImage(MyWindow& view, const std::string& path, const std::vector<std::string>& inputs,
                   std::string& why)
{
    if (const auto clash = outputOverInput({path}, inputs)) {
        why = "it is the same file as the input " + clash->second;
        return false;
    }
    const Picture picture = viewPicture(view);
    if (picture.empty()) {
        why = "the view shows no frame to read";
        return false;
    }
    const std::vector<std::uint8_t> png = pngOf(picture, why);
    if (png.empty())
        return false;
    int writeError = 0;
    const bool written = writeFileSafely(path, [&](const std::string& file) {
        std::ofstream out(file, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(png.data()), std::streamsize(png.size()));
        out.close();
        writeError = out ? 0 : errno;
        return static_cast<bool>(out);
    });
    if (!written)
        why = writeError != 0 ? std::strerror(writeError) : "the file or a temporary file beside it cannot be made";
    return written;
}
