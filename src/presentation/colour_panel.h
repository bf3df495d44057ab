#pragma once
// The colours of the window areas per year ("Y06"), without the window: the colours the window shows
// for the session's year, and the panel that changes them.

#include "presentation/window_settings.h"
#include "session/session.h"

#include <string>

namespace varemo {

// The user's colours of the year where he set them, else the program's (defaultColours).
ColourSet yearColours(const Globaldaten& g);

class ColourPanel {
  public:
    explicit ColourPanel(const Globaldaten& g);

    std::string title() const { return "Farben der Fensterbereiche im Jahr " + std::to_string(year_); }
    const ColourSet& colours() const { return colours_; }
    void setColour(ColourArea area, Rgb colour);
    // "Vorgabewerte": the program's colours of the year.
    void restoreDefaults();
    // "Änderungen speichern": the year's colours into "varemo20.vee" (the program's colours are stored
    // as none, so that they follow the program) and into the session.
    void save(Session& g) const;

  private:
    int year_;
    ColourSet colours_;
};

} // namespace varemo
