#pragma once
// A PrintSurface that keeps every text with its page, position and font, and every line and box, for
// the tests and the command line's text output. Its text widths follow a fixed model (a share of the
// font size per character), so that recorded positions do not depend on the fonts of a machine.

#include "print/print_surface.h"

#include <vector>

namespace varemo::print {

struct RecordedText {
    int page = 1;
    double x = 0; // inches
    double y = 0;
    PrintFont font;
    std::string text;
};

struct RecordedLine {
    int page = 1;
    double x1 = 0, y1 = 0, x2 = 0, y2 = 0; // inches
    bool box = false;
    bool filled = false;
};

class RecordingSurface : public PrintSurface {
  public:
    const std::vector<RecordedText>& texts() const { return texts_; }
    const std::vector<RecordedLine>& lines() const { return lines_; }
    int pages() const { return pages_; }
    int documents() const { return documents_; }

    // The texts in reading order: page by page, top to bottom, the texts of one line left to right and
    // separated by two blanks; a page after the first begins with "--- Blatt n ---".
    std::string readingOrder() const;
    // Every text as "page y x font size [B][I][U] | text", positions in inches to three decimals.
    std::string log() const;

  protected:
    void drawText(double x, double y, std::string_view text, const PrintFont& font, uint32_t color) override;
    double measure(std::string_view text, const PrintFont& font) const override;
    double lineHeight(const PrintFont& font) const override;
    void drawLine(double x1, double y1, double x2, double y2, DrawStyle style, uint32_t color) override;
    void drawBox(double x1, double y1, double x2, double y2, DrawStyle style, bool filled, uint32_t fill,
                 uint32_t color) override;
    void startPage() override;
    void finishDocument() override;
    void clear() override;

  private:
    std::vector<RecordedText> texts_;
    std::vector<RecordedLine> lines_;
    int pages_ = 1;
    int documents_ = 0;
};

// Characters of a UTF-8 text (not bytes).
size_t characterCount(std::string_view utf8);

} // namespace varemo::print
