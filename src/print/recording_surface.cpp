#include "print/recording_surface.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace varemo::print {

size_t characterCount(std::string_view utf8) {
    size_t n = 0;
    for (unsigned char ch : utf8)
        n += (ch & 0xC0) != 0x80;
    return n;
}

void RecordingSurface::drawText(double x, double y, std::string_view text, const PrintFont& font, uint32_t) {
    texts_.push_back({pages_, x, y, font, std::string(text)});
}

// Half the font size per character, three fifths for the fixed-pitch font, a tenth more in bold.
double RecordingSurface::measure(std::string_view text, const PrintFont& font) const {
    double share = font.name == "Courier New" ? 0.6 : 0.5;
    if (font.bold) share *= 1.1;
    return static_cast<double>(characterCount(text)) * font.size * share / 72.0;
}

double RecordingSurface::lineHeight(const PrintFont& font) const {
    return font.size * 1.2 / 72.0;
}

void RecordingSurface::drawLine(double x1, double y1, double x2, double y2, DrawStyle, uint32_t) {
    lines_.push_back({pages_, x1, y1, x2, y2, false, false});
}

void RecordingSurface::drawBox(double x1, double y1, double x2, double y2, DrawStyle, bool filled, uint32_t,
                               uint32_t) {
    lines_.push_back({pages_, x1, y1, x2, y2, true, filled});
}

void RecordingSurface::startPage() {
    ++pages_;
}

void RecordingSurface::finishDocument() {
    ++documents_;
}

void RecordingSurface::clear() {
    texts_.clear();
    lines_.clear();
    pages_ = 1;
}

namespace {

// Positions compared in thousandths of an inch, so that arithmetic noise does not split a line.
long milli(double inches) {
    return std::lround(inches * 1000.0);
}

} // namespace

std::string RecordingSurface::readingOrder() const {
    std::vector<const RecordedText*> order;
    for (const RecordedText& t : texts_)
        order.push_back(&t);
    std::stable_sort(order.begin(), order.end(), [](const RecordedText* a, const RecordedText* b) {
        if (a->page != b->page) return a->page < b->page;
        if (milli(a->y) != milli(b->y)) return milli(a->y) < milli(b->y);
        return milli(a->x) < milli(b->x);
    });
    std::string out;
    const RecordedText* previous = nullptr;
    for (const RecordedText* t : order) {
        if (previous && previous->page == t->page && milli(previous->y) == milli(t->y)) {
            out += "  ";
        } else {
            if (previous) out += "\n";
            if (t->page > 1 && (!previous || previous->page != t->page))
                out += "--- Blatt " + std::to_string(t->page) + " ---\n";
        }
        out += t->text;
        previous = t;
    }
    if (previous) out += "\n";
    return out;
}

std::string RecordingSurface::log() const {
    std::string out;
    char buffer[128];
    for (const RecordedText& t : texts_) {
        std::snprintf(buffer, sizeof buffer, "%d %.3f %.3f %s %g%s%s%s | ", t.page, t.y, t.x,
                      t.font.name.c_str(), t.font.size, t.font.bold ? " B" : "", t.font.italic ? " I" : "",
                      t.font.underline ? " U" : "");
        out += buffer;
        out += t.text;
        out += "\n";
    }
    return out;
}

} // namespace varemo::print
