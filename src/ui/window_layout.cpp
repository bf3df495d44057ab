#include "ui/window_layout.h"

#include "presentation/key_codes.h"

#include <algorithm>
#include <array>
#include <utility>

namespace varemo::ui {
namespace {

// Linear between the knots (design, stretched), which rise in both.
template <size_t N> int throughKnots(int x, const std::array<std::pair<int, int>, N>& knots) {
    if (x <= knots.front().first) return x + knots.front().second - knots.front().first;
    for (size_t i = 1; i < N; ++i) {
        auto [x0, y0] = knots[i - 1];
        auto [x1, y1] = knots[i];
        if (x <= x1) return y0 + static_cast<int>(int64_t(x - x0) * (y1 - y0) / std::max(1, x1 - x0));
    }
    return x + knots.back().second - knots.back().first;
}

} // namespace

int stretchedSheetX(int x, int areaWidth) {
    const int side = std::max(0, areaWidth - kAreaWidth) / 2;
    const int text = side * 3 / 4;
    const ColumnX& l = kColumns[0];
    const ColumnX& r = kColumns[1];
    const std::array<std::pair<int, int>, 9> knots{{
        {l.text, l.text},
        {l.text + kTextWidth, l.text + kTextWidth + text},
        {l.amount, l.amount + text},
        {l.amount + kAmountWidth, l.amount + kAmountWidth + side},
        {r.text, r.text + side},
        {r.text + kTextWidth, r.text + kTextWidth + side + text},
        {r.amount, r.amount + side + text},
        {r.amount + kAmountWidth, r.amount + kAmountWidth + 2 * side},
        {kAreaWidth, kAreaWidth + 2 * side},
    }};
    return throughKnots(x, knots);
}

int stretchedBarX(int x, int areaWidth) {
    return static_cast<int>(int64_t(x) * std::max(areaWidth, kAreaWidth) / kAreaWidth);
}

int stretchedY(int y, int areaHeight) {
    const int extra = std::max(areaHeight, kMinAreaHeight) - kAreaHeight;
    // Lower than drawn: each row gives up one of its two pixels between the cells, the bars below
    // their gaps.
    const int rows = extra >= 0 ? std::min(extra, kSheetRows * kRowGrowth) : std::max(extra, -kSheetRows);
    const std::array<std::pair<int, int>, 3> knots{{
        {kSheetTop, kSheetTop},
        {rowY(kSheetRows), rowY(kSheetRows) + rows},
        {kAreaHeight, kAreaHeight + extra},
    }};
    return throughKnots(y, knots);
}

QRect stretchedGeometry(const QRect& d, bool inSheet, QSize area) {
    auto x = [&](int v) {
        return inSheet ? stretchedSheetX(v, area.width()) : stretchedBarX(v, area.width());
    };
    const int left = x(d.x());
    const int right = x(d.x() + d.width());
    const int top = stretchedY(d.y(), area.height());
    // Cells and buttons keep their height; panels spanning rows grow with them.
    const int height =
        d.height() > kCellHeight + 8 ? stretchedY(d.y() + d.height(), area.height()) - top : d.height();
    return {left, top, right - left, height};
}

} // namespace varemo::ui
