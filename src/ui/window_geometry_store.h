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

// The place of the main window or of the panel window in the user's window record ("varemo20.dim"), in
// twips. The session's copy of the record is changed; the record is written when the main window closes.
class WindowRecordGeometry : public WindowGeometryStore {
  public:
    enum class Window { Main, Panel };
    explicit WindowRecordGeometry(Session& g, Window which = Window::Main) : g_(g), which_(which) {}
    std::optional<WindowRect> load() override;
    // Left, top and height are 16-bit fields: a place beyond them is kept at their limit (the restore
    // brings the window back onto the screen) rather than wrapped around.
    void save(const WindowRect& rect) override;

  private:
    Session& g_;
    Window which_;
};

} // namespace varemo::ui
