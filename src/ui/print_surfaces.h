#pragma once
// The Qt print surfaces: the pages of a printout kept as drawing operations in inches, measured with the
// real fonts, and painted onto the printer, a PDF file or the preview's page pictures at their own
// resolution.

#include "print/print_surface.h"

#include <QImage>
#include <QString>

#include <variant>
#include <vector>

class QPainter;
class QPrinter;

namespace varemo::ui {

// Makes the QGuiApplication that fonts need when the program has none (the command line), on the
// offscreen platform unless another is chosen.
void ensureGuiApplication();

class PagePictureSurface : public print::PrintSurface {
  public:
    int pageCount() const { return static_cast<int>(pages_.size()); }
    // Paints page (0-based) onto a painter whose device has the page's size; coordinates follow the
    // device's resolution.
    void paintPage(QPainter& painter, int page) const;
    // The page as a picture at dotsPerInch, on white.
    QImage pageImage(int page, double dotsPerInch) const;
    // Portrait or landscape A4, in inches.
    double pageWidth() const;
    double pageHeight() const;

  protected:
    void drawText(double x, double y, std::string_view text, const print::PrintFont& font,
                  uint32_t color) override;
    double measure(std::string_view text, const print::PrintFont& font) const override;
    double lineHeight(const print::PrintFont& font) const override;
    void drawLine(double x1, double y1, double x2, double y2, print::DrawStyle style,
                  uint32_t color) override;
    void drawBox(double x1, double y1, double x2, double y2, print::DrawStyle style, bool filled,
                 uint32_t fill, uint32_t color) override;
    void startPage() override;
    void finishDocument() override {}
    void clear() override;

    // Paints every page onto a printer or PDF writer; each page after the first begins a new one.
    template <typename Device> void paintAll(Device& device) const;

  private:
    struct Text {
        double x, y;
        QString text;
        print::PrintFont font;
        uint32_t color;
    };
    struct Stroke {
        double x1, y1, x2, y2;
        print::DrawStyle style;
        bool box;
        bool filled;
        uint32_t fill;
        uint32_t color;
    };
    using Operation = std::variant<Text, Stroke>;
    std::vector<std::vector<Operation>> pages_{1};
};

// A4 PDF with the fonts embedded; endDocument writes the file and throws varemo::Error when it cannot.
class PdfSurface : public PagePictureSurface {
  public:
    explicit PdfSurface(QString fileName) : fileName_(std::move(fileName)) {}

  protected:
    void finishDocument() override;

  private:
    QString fileName_;
};

// The printer as the print dialog set it up; endDocument sends the pages.
class PrinterSurface : public PagePictureSurface {
  public:
    explicit PrinterSurface(QPrinter& printer) : printer_(printer) {}
    void setOrientation(print::Orientation o) override;

  protected:
    void finishDocument() override;

  private:
    QPrinter& printer_;
};

} // namespace varemo::ui
