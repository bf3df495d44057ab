#pragma once
// The drawing target of every printout: the printer, a PDF file, the preview's pages or the recording
// of the tests. A printout draws only through these operations, so one procedure serves all targets.
//
// Coordinates are in the surface's scale unit (inches or twips) from the top-left corner of the
// current page; the current position is the top-left of the next text. A text printed with a line end
// moves the position to x = 0 on the next line; without it the position stays behind the text.
// Text measurement belongs to the target (its fonts), so amounts line up on every target.

#include <cstdint>
#include <string>
#include <string_view>

namespace varemo::print {

enum class ScaleMode { Twips = 1, Inches = 5 };
enum class Orientation { Portrait = 1, Landscape = 2 };
enum class DrawStyle { Solid, Dotted };

struct PrintFont {
    std::string name = "Arial";
    double size = 10.0; // points
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool operator==(const PrintFont&) const = default;
};

inline constexpr uint32_t kBlack = 0x000000;
inline constexpr uint32_t kWhite = 0xFFFFFF;

class PrintSurface {
  public:
    virtual ~PrintSurface() = default;

    void setScaleMode(ScaleMode mode) { scale_ = mode; }
    ScaleMode scaleMode() const { return scale_; }
    // Printer only; other targets keep portrait A4 pages.
    virtual void setOrientation(Orientation o) { orientation_ = o; }
    Orientation orientation() const { return orientation_; }

    double currentX() const { return fromInches(x_); }
    double currentY() const { return fromInches(y_); }
    void setCurrentX(double x) { x_ = toInches(x); }
    void setCurrentY(double y) { y_ = toInches(y); }

    PrintFont& font() { return font_; }
    const PrintFont& font() const { return font_; }
    void setFont(const std::string& name, double size, bool bold = false);

    uint32_t foreColor = kBlack;
    uint32_t fillColor = kWhite;
    DrawStyle drawStyle = DrawStyle::Solid;

    // Writes text at the current position; print() ends the line, printInline() stays behind the text.
    void print(std::string_view text = {});
    void printInline(std::string_view text);
    // Text at x, ending the line or not.
    void printAt(double x, std::string_view text, bool lineEnd = false);
    // Text whose right edge stands at x (amounts, so that their decimal commas line up).
    void printRight(double rightEdge, std::string_view text, bool lineEnd = false);

    double textWidth(std::string_view text) const { return fromInches(measure(text, font_)); }
    double textHeight() const { return fromInches(lineHeight(font_)); }

    void line(double x1, double y1, double x2, double y2);
    void box(double x1, double y1, double x2, double y2, bool filled = false);

    // Clears what was drawn (the preview's picture) and starts again on page 1 at the top.
    void cls();
    void newPage();
    void endDocument();
    int page() const { return page_; } // 1 for the first page

  protected:
    // In inches from the top-left of the current page.
    virtual void drawText(double x, double y, std::string_view text, const PrintFont& font,
                          uint32_t color) = 0;
    virtual double measure(std::string_view text, const PrintFont& font) const = 0;
    virtual double lineHeight(const PrintFont& font) const = 0;
    virtual void drawLine(double x1, double y1, double x2, double y2, DrawStyle style, uint32_t color) = 0;
    virtual void drawBox(double x1, double y1, double x2, double y2, DrawStyle style, bool filled,
                         uint32_t fill, uint32_t color) = 0;
    virtual void startPage() = 0;
    virtual void finishDocument() = 0;
    virtual void clear() = 0;

  private:
    double toInches(double v) const { return scale_ == ScaleMode::Inches ? v : v / 1440.0; }
    double fromInches(double v) const { return scale_ == ScaleMode::Inches ? v : v * 1440.0; }

    ScaleMode scale_ = ScaleMode::Twips;
    Orientation orientation_ = Orientation::Portrait;
    PrintFont font_;
    double x_ = 0;
    double y_ = 0;
    int page_ = 1;
};

} // namespace varemo::print
