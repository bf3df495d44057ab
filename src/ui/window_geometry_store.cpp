#include "ui/window_geometry_store.h"

#include "session/session.h"

#include <algorithm>

namespace varemo::ui {

std::optional<WindowRect> WindowRecordGeometry::load() {
    // left, top, height, width
    auto v = which_ == Window::Main ? g_.storage.window.mainGeometry() : g_.storage.window.panelGeometry();
    if (v[2] == 0 && v[3] == 0) return std::nullopt;
    return WindowRect{v[0] / kTwipsPerPixel, v[1] / kTwipsPerPixel, v[3] / kTwipsPerPixel,
                      v[2] / kTwipsPerPixel};
}

void WindowRecordGeometry::save(const WindowRect& r) {
    auto twips16 = [](int pixels) { return std::clamp(pixels * kTwipsPerPixel, -32768, 32767); };
    const std::array<int32_t, 4> twips{twips16(r.x), twips16(r.y), twips16(r.height),
                                       r.width * kTwipsPerPixel};
    if (which_ == Window::Main)
        g_.storage.window.setMainGeometry(twips);
    else
        g_.storage.window.setPanelGeometry(twips);
}

} // namespace varemo::ui
