#include "presentation/window_settings.h"

#include <algorithm>

namespace varemo {

ColourSet defaultColours(int year) {
    // Side tints, one pair per year 2017 to 2021 (light enough for black text).
    static constexpr std::array<std::array<Rgb, 2>, 5> kSides = {{
        {{{232, 238, 246}, {238, 244, 236}}}, // 2017 blue / green
        {{{238, 234, 246}, {246, 240, 230}}}, // 2018 violet / sand
        {{{230, 242, 242}, {246, 236, 238}}}, // 2019 teal / rose
        {{{240, 240, 228}, {230, 238, 248}}}, // 2020 olive / sky
        {{{234, 240, 250}, {240, 246, 236}}}, // 2021 blue / green
    }};
    size_t i = static_cast<size_t>(std::clamp(year, 2017, 2021) - 2017);
    ColourSet set{};
    auto put = [&set](ColourArea a, Rgb c) { set[static_cast<size_t>(a)] = c; };
    put(ColourArea::Window, {212, 216, 222});
    put(ColourArea::GrossSide, kSides[i][0]);
    put(ColourArea::NetSide, kSides[i][1]);
    put(ColourArea::LineNumber, {224, 224, 224});
    put(ColourArea::LineText, {250, 250, 250});
    put(ColourArea::TypedAmount, {200, 200, 200});
    put(ColourArea::ComputedAmount, {255, 255, 255});
    put(ColourArea::FlagColumns, {245, 245, 238});
    put(ColourArea::ShareBar, {70, 120, 190});
    put(ColourArea::HintLine, {255, 255, 225});
    put(ColourArea::YearButtonActive, {255, 214, 120});
    return set;
}

WindowRect restoredWindowRect(const WindowRect& stored, const WindowRect& screen, int defaultWidth,
                              int defaultHeight, int frameWidth, int frameHeight) {
    const int minimum = kMinimumTwips / kTwipsPerPixel;
    WindowRect r = stored;
    bool usable = stored.width >= minimum && stored.height >= minimum;
    if (!usable) {
        r.width = defaultWidth;
        r.height = defaultHeight;
    }
    frameWidth = std::clamp(frameWidth, 0, screen.width);
    frameHeight = std::clamp(frameHeight, 0, screen.height);
    r.width = std::max(0, std::min(r.width, screen.width - frameWidth));
    r.height = std::max(0, std::min(r.height, screen.height - frameHeight));
    const int outerWidth = r.width + frameWidth;
    const int outerHeight = r.height + frameHeight;
    if (!usable) {
        r.x = screen.x + (screen.width - outerWidth) / 2;
        r.y = screen.y + (screen.height - outerHeight) / 2;
    }
    r.x = std::clamp(r.x, screen.x, screen.x + screen.width - outerWidth);
    r.y = std::clamp(r.y, screen.y, screen.y + screen.height - outerHeight);
    return r;
}

WindowRect restoredPanelPlace(const WindowRect& stored, const WindowRect& screen, int width, int height,
                              int frameWidth, int frameHeight) {
    WindowRect r{stored.x, stored.y, width, height};
    const int outerWidth = std::min(width + std::max(frameWidth, 0), screen.width);
    const int outerHeight = std::min(height + std::max(frameHeight, 0), screen.height);
    r.x = std::clamp(r.x, screen.x, screen.x + screen.width - outerWidth);
    r.y = std::clamp(r.y, screen.y, screen.y + screen.height - outerHeight);
    return r;
}

} // namespace varemo
