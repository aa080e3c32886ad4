// The real program, opened through its menus as a user opens a DEM: xdotool clicks,
// xwd screenshots. Every wait polls against a deadline.

// gtest first: the X headers that fl_draw.H brings define None.
#include <gtest/gtest.h>

#include <FL/Fl.H>
#include <FL/fl_draw.H>

#include <chrono>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>

#include "tests/support/grid_files.h"
#include "tests/support/screen.h"
#include "tests/support/temp_dir.h"

namespace {

using Clock = std::chrono::steady_clock;

void pause(int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

void clickAt(const std::string& window, int x, int y)
{
    shellOutput("xdotool mousemove --window " + window + " " + std::to_string(x) + " " + std::to_string(y) +
                " click 1 2>/dev/null");
}

// "&File" > "&Open..." > "DEM File", again until the dialog shows; its id or "".
std::string openDemFileDialog(const std::string& main)
{
    const auto end = Clock::now() + std::chrono::seconds(20);
    while (Clock::now() < end) {
        shellOutput("xdotool windowraise " + main);
        clickAt(main, 20, 12);  // "File" in the menu bar
        pause(150);
        shellOutput("xdotool mousemove --window " + main + " 40 37");  // "Open..." opens its submenu
        pause(150);
        clickAt(main, 210, 38);  // "DEM File", in the submenu right of the "        clickAt(main, 120, 38);  // "DEM File"File" menu
        const std::string dialog = findWindow("Open File", 2);
        if (!dialog.empty())
            return dialog;
        shellOutput("xdotool key Escape Escape 2>/dev/null");
    }
    return "";
}

std::string fileText(const std::string& path)
{
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

bool waitForText(const std::string& path, const std::string& wanted, double seconds)
{
    const auto end = Clock::now() + std::chrono::duration<double>(seconds);
    do {
        if (fileText(path).find(wanted) != std::string::npos)
            return true;
        pause(50);
    } while (Clock::now() < end);
    return false;
}

// Pixels of the 3D view (x 0 to 650, y 25 to 650) in the terrain's green.
int greenPixels(const Image& shot)
{
    int count = 0;
    for (int y = 25; y < 650 && y < shot.height; y++)
        for (int x = 0; x < 650 && x < shot.width; x++) {
            int r, g, b;
            shot.at(x, y, r, g, b);
            count += g > r + 15 && g > b + 15;
        }
    return count;
}

// Width in pixels of the dark text in rows y0 to y1 of shot.
int textExtent(const Image& shot, int y0, int y1)
{
    int left = shot.width, right = -1;
    for (int y = y0; y <= y1 && y < shot.height; y++)
        for (int x = 0; x < shot.width; x++) {
            int r, g, b;
            shot.at(x, y, r, g, b);
            if (r + g + b < 250) {
                left = std::min(left, x);
                right = std::max(right, x);
            }
        }
    return right < 0 ? 0 : right - left + 1;
}

int labelWidth(const char* text)
{
    Fl::w();  // opens the display, which measuring needs
    fl_font(FL_HELVETICA, FL_NORMAL_SIZE);
    return static_cast<int>(std::lround(fl_width(text)));
}

TEST(KarvoOpen, DemFromTheCommandLineIsDrawnAfterOpen)
{
    TempDir dir;
    const std::string dem = dir.file("hill.grd"), out = dir.file("stdout.txt");
    // A round hill, 300 high on 2400 × 1800 of ground: every grid point is a green dot.
    writeGridValues(dem, 60, 80, surface(60, 80, [](int r, int c) {
                        return 1000 + 300 * std::exp(-((r - 30) * (r - 30) + (c - 40) * (c - 40)) / 300.0);
                    }),
                    30);
    RunningProgram karvo({KARVO_BINARY, dem}, out);
    const std::string main = findWindow("KARVO: Karvoscope");
    ASSERT_NE(main, "") << "no main window appeared";
    const std::string dialog = openDemFileDialog(main);
    ASSERT_NE(dialog, "") << "the DEM File dialog did not open";
    clickAt(dialog, 95, 200);  // "Open"; the field is empty, the command line's path is used

    ASSERT_TRUE(waitForText(out, "Reading DEM data, 60 rows and 80 columns...", 15)) << fileText(out);
    // The first frame after an Open still has the old projection; mouse events redraw.
    Image shot;
    int green = 0;
    const auto end = Clock::now() + std::chrono::seconds(15);
    for (int i = 0; Clock::now() < end && green < 2000; i++) {
        shellOutput("xdotool mousemove --window " + main + " " + std::to_string(300 + i % 2 * 10) + " 300");
        pause(100);
        shot = captureWindow(main);
        green = shot.valid() ? greenPixels(shot) : 0;
    }
    ASSERT_TRUE(shot.valid()) << "no screenshot of the main window";
    EXPECT_GE(green, 2000) << "no terrain in the view";
    int r, g, b;
    shot.at(5, 640, r, g, b);
    EXPECT_FALSE(r == g && g == b) << "the view is still grey";
    EXPECT_TRUE(karvo.running());
}

TEST(KarvoOpen, MissingFileShowsTheErrorWindowAndKeepsTheDialog)
{
    TempDir dir;
    const std::string missing = dir.file("missing.grd"), out = dir.file("stdout.txt");
    RunningProgram karvo({KARVO_BINARY}, out);
    const std::string main = findWindow("KARVO: Karvoscope");
    ASSERT_NE(main, "");
    const std::string dialog = openDemFileDialog(main);
    ASSERT_NE(dialog, "");
    clickAt(dialog, 100, 35);  // into the "DEM:" field
    shellOutput("xdotool type --delay 5 '" + missing + "'");
    clickAt(dialog, 95, 200);

    const std::string error = findWindow("File Error", 15);
    ASSERT_NE(error, "") << "no error window";
    // The message is the one whose width the dark text has.
    const char* messages[] = {"Invalid DEM file.", "Missing filename/s.", "Invalid DEM and comparison files.",
                              "Invalid comparison file."};
    Image shot;
    int measured = 0;
    const auto end = Clock::now() + std::chrono::seconds(10);
    while (Clock::now() < end && measured == 0) {
        shot = captureWindow(error);
        measured = shot.valid() ? textExtent(shot, 20, 39) : 0;
        if (measured == 0)
            pause(100);
    }
    ASSERT_TRUE(shot.valid());
    EXPECT_EQ(shot.width, 200);
    EXPECT_EQ(shot.height, 100);
    const int expected = labelWidth(messages[0]);
    EXPECT_NEAR(measured, expected, 3);
    for (const char* other : messages)
        if (other != messages[0]) {
            EXPECT_LT(std::abs(measured - expected), std::abs(measured - labelWidth(other))) << other;
        }
    EXPECT_NE(findWindow("Open File", 1), "");  // the dialog stays for another try
    EXPECT_EQ(fileText(out).find("Reading"), std::string::npos);
    EXPECT_TRUE(karvo.running());
}

}  // namespace
