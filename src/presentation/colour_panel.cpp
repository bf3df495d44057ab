#include "presentation/colour_panel.h"

#include "session/year_settings_ops.h"

namespace varemo {

static_assert(static_cast<size_t>(kColourAreas) == kColourAreaCount, "the stored colours name every area");

ColourSet yearColours(const Globaldaten& g) {
    if (!g.colours) return defaultColours(g.year);
    ColourSet set{};
    for (size_t a = 0; a < set.size(); ++a)
        set[a] = {(*g.colours)[3 * a], (*g.colours)[3 * a + 1], (*g.colours)[3 * a + 2]};
    return set;
}

ColourPanel::ColourPanel(const Globaldaten& g) : year_(g.year), colours_(yearColours(g)) {}

void ColourPanel::setColour(ColourArea area, Rgb colour) {
    colours_[static_cast<size_t>(area)] = colour;
}

void ColourPanel::restoreDefaults() {
    colours_ = defaultColours(year_);
}

void ColourPanel::save(Session& g) const {
    YearSettings s = currentYearSettings(g);
    if (colours_ == defaultColours(year_)) {
        s.colours.reset();
    } else {
        s.colours.emplace();
        for (size_t a = 0; a < colours_.size(); ++a) {
            (*s.colours)[3 * a] = colours_[a].r;
            (*s.colours)[3 * a + 1] = colours_[a].g;
            (*s.colours)[3 * a + 2] = colours_[a].b;
        }
    }
    SaveYearSettings(g, s);
}

} // namespace varemo
