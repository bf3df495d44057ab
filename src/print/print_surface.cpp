#include "print/print_surface.h"

namespace varemo::print {

void PrintSurface::setFont(const std::string& name, double size, bool bold) {
    font_.name = name;
    font_.size = size;
    font_.bold = bold;
    font_.italic = false;
    font_.underline = false;
}

void PrintSurface::print(std::string_view text) {
    if (!text.empty()) drawText(x_, y_, text, font_, foreColor);
    x_ = 0;
    y_ += lineHeight(font_);
}

void PrintSurface::printInline(std::string_view text) {
    if (text.empty()) return;
    drawText(x_, y_, text, font_, foreColor);
    x_ += measure(text, font_);
}

void PrintSurface::printAt(double x, std::string_view text, bool lineEnd) {
    setCurrentX(x);
    if (lineEnd)
        print(text);
    else
        printInline(text);
}

void PrintSurface::printRight(double rightEdge, std::string_view text, bool lineEnd) {
    printAt(rightEdge - textWidth(text), text, lineEnd);
}

void PrintSurface::line(double x1, double y1, double x2, double y2) {
    drawLine(toInches(x1), toInches(y1), toInches(x2), toInches(y2), drawStyle, foreColor);
}

void PrintSurface::box(double x1, double y1, double x2, double y2, bool filled) {
    drawBox(toInches(x1), toInches(y1), toInches(x2), toInches(y2), drawStyle, filled, fillColor, foreColor);
}

void PrintSurface::cls() {
    clear();
    x_ = y_ = 0;
    page_ = 1;
}

void PrintSurface::newPage() {
    startPage();
    ++page_;
    x_ = y_ = 0;
}

void PrintSurface::endDocument() {
    finishDocument();
    x_ = y_ = 0;
    page_ = 1;
    scale_ = ScaleMode::Twips;
}

} // namespace varemo::print
