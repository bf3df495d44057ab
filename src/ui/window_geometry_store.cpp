#include "ui/window_geometry_store.h"

#include "session/session.h"

#include <algorithm>

namespace varemo::ui {

std::optional<WindowRect> WindowRecordGeometry::load() {
    auto v = g_.storage.window.mainGeometry(); // left, top, height, width
    if (v[2] == 0 && v[3] == 0) return std::nullopt;
    return WindowRect{v[0] / kTwipsPerPixel, v[1] / kTwipsPerPixel, v[3] / kTwipsPerPixel,
                      v[2] / kTwipsPerPixel};
}

void WindowRecordGeometry::save(const WindowRect& r) {
    auto twips16 = [](int pixels) { return std::clamp(pixels * kTwipsPerPixel, -32768, 32767); };
    g_.storage.window.setMainGeometry(
        {twips16(r.x), twips16(r.y), twips16(r.height), r.width * kTwipsPerPixel});
}

} // namespace varemo::ui
