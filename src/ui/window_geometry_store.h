#pragma once
// Where the main window keeps its position and size between runs. The window asks this interface;
// the implementation writes wherever the program keeps its per-user window record.

#include "presentation/window_settings.h"

namespace varemo {
struct Session;
}

#include <optional>

namespace varemo::ui {

class WindowGeometryStore {
  public:
    virtual ~WindowGeometryStore() = default;
    virtual std::optional<WindowRect> load() = 0;
    virtual void save(const WindowRect& rect) = 0;
};

// Keeps the geometry for the session only (tests, screenshots).
class MemoryGeometryStore : public WindowGeometryStore {
  public:
    std::optional<WindowRect> load() override { return stored_; }
    void save(const WindowRect& rect) override { stored_ = rect; }

  private:
    std::optional<WindowRect> stored_;
};

// The main window's place in the user's window record ("varemo20.dim"), in twips. The session's copy
// of the record is changed; the record is written when the window closes.
class WindowRecordGeometry : public WindowGeometryStore {
  public:
    explicit WindowRecordGeometry(Session& g) : g_(g) {}
    std::optional<WindowRect> load() override;
    // Left, top and height are 16-bit fields: a place beyond them is kept at their limit (the restore
    // brings the window back onto the screen) rather than wrapped around.
    void save(const WindowRect& rect) override;

  private:
    Session& g_;
};

} // namespace varemo::ui
