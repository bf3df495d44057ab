#pragma once
// Look and place of the main window, decided without window code: the colours of its areas per
// calculation year, and the rule that brings a stored window position and size back onto the screen.

#include <array>
#include <cstddef>
#include <cstdint>

namespace varemo {

struct Rgb {
    uint8_t r = 0, g = 0, b = 0;
    bool operator==(const Rgb&) const = default;
};

enum class ColourArea : int {
    Window,         // background around the sheet
    GrossSide,      // left half, lines 1 to 23
    NetSide,        // right half, lines 24 to 47
    LineNumber,     // the line number buttons
    LineText,       // the line texts
    TypedAmount,    // grey amount fields: typed by the user
    ComputedAmount, // white amount fields: computed
    FlagColumns,
    ShareBar,
    HintLine,
    YearButtonActive,
};
inline constexpr int kColourAreas = 11;
using ColourSet = std::array<Rgb, kColourAreas>;

inline Rgb colourOf(const ColourSet& set, ColourArea area) {
    return set[static_cast<size_t>(area)];
}

// The colours of a year until the user sets his own: the same areas every year, the two sides tinted
// a little differently per year so that the year on screen is recognised at a glance.
ColourSet defaultColours(int year);

// Window rectangles in pixels.
struct WindowRect {
    int x = 0, y = 0, width = 0, height = 0;
    bool operator==(const WindowRect&) const = default;
};

inline constexpr int kTwipsPerPixel = 15; // at 96 dots per inch
// A stored width or height below 5000 twips is no usable window: the default size is taken.
inline constexpr int kMinimumTwips = 5000;

// The rectangle the window opens with: the stored one where it is usable, shrunk to the screen where
// it is larger, moved inside where it would lie (partly) outside; the default where nothing usable is
// stored. The default is centred on the screen. Width and height are the inside of the window, x and y
// the corner of its frame; frameWidth and frameHeight are what the frame adds (title bar and borders),
// so that the whole window, frame included, lies on the screen. A screen of a scaled display is given
// in the same scaled pixels as the window.
WindowRect restoredWindowRect(const WindowRect& stored, const WindowRect& screen, int defaultWidth,
                              int defaultHeight, int frameWidth = 0, int frameHeight = 0);

// Where the panel window opens: at its stored place, its size being the content's (width, height); moved
// inside the screen where it would lie (partly) outside, so that its title bar stays reachable.
WindowRect restoredPanelPlace(const WindowRect& stored, const WindowRect& screen, int width, int height,
                              int frameWidth = 0, int frameHeight = 0);

} // namespace varemo
