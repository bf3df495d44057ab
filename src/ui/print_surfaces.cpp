#include "ui/print_surfaces.h"

#include "base/error.h"

#include <QFile>
#include <QFont>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>

#include <cstdlib>

namespace varemo::ui {
namespace {

constexpr double kMeasureDpi = 1200.0; // text is measured at the PDF's resolution

QFont qtFont(const print::PrintFont& f) {
    QFont font(QString::fromStdString(f.name));
    font.setPointSizeF(f.size);
    font.setBold(f.bold);
    font.setItalic(f.italic);
    font.setUnderline(f.underline);
    // Fonts the machine lacks are replaced by one of the same kind.
    if (f.name == "Courier New")
        font.setStyleHint(QFont::Monospace);
    else if (f.name == "Times New Roman")
        font.setStyleHint(QFont::Serif);
    else
        font.setStyleHint(QFont::SansSerif);
    return font;
}

// A device of the measuring resolution, so that widths do not depend on the screen.
const QImage& measuringDevice() {
    static const QImage image = [] {
        QImage i(1, 1, QImage::Format_RGB32);
        const int dotsPerMeter = static_cast<int>(kMeasureDpi / 0.0254 + 0.5);
        i.setDotsPerMeterX(dotsPerMeter);
        i.setDotsPerMeterY(dotsPerMeter);
        return i;
    }();
    return image;
}

QColor qtColor(uint32_t rgb) {
    return QColor::fromRgb(static_cast<QRgb>(rgb));
}

} // namespace

namespace {

QtMessageHandler previousHandler = nullptr;

// The command line has no desktop session: Qt's notice that it chose a runtime folder itself is no
// message for the user. Everything else goes on as before.
void quietRuntimeNotice(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (type == QtWarningMsg && text.startsWith(QLatin1String("QStandardPaths: XDG_RUNTIME_DIR not set")))
        return;
    if (previousHandler) previousHandler(type, context, text);
}

} // namespace

void ensureGuiApplication() {
    if (QCoreApplication::instance()) return;
    previousHandler = qInstallMessageHandler(quietRuntimeNotice);
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 0);
    static int argc = 1;
    static char name[] = "varemo20-cli";
    static char* argv[] = {name, nullptr};
    static QGuiApplication app(argc, argv);
}

void PagePictureSurface::drawText(double x, double y, std::string_view text, const print::PrintFont& font,
                                  uint32_t color) {
    pages_.back().push_back(
        Text{x, y, QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())), font, color});
}

double PagePictureSurface::measure(std::string_view text, const print::PrintFont& font) const {
    QFontMetricsF metrics(qtFont(font), &measuringDevice());
    return metrics.horizontalAdvance(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()))) /
           kMeasureDpi;
}

double PagePictureSurface::lineHeight(const print::PrintFont& font) const {
    return QFontMetricsF(qtFont(font), &measuringDevice()).lineSpacing() / kMeasureDpi;
}

void PagePictureSurface::drawLine(double x1, double y1, double x2, double y2, print::DrawStyle style,
                                  uint32_t color) {
    pages_.back().push_back(Stroke{x1, y1, x2, y2, style, false, false, 0, color});
}

void PagePictureSurface::drawBox(double x1, double y1, double x2, double y2, print::DrawStyle style,
                                 bool filled, uint32_t fill, uint32_t color) {
    pages_.back().push_back(Stroke{x1, y1, x2, y2, style, true, filled, fill, color});
}

void PagePictureSurface::startPage() {
    pages_.emplace_back();
}

void PagePictureSurface::clear() {
    pages_.assign(1, {});
}

double PagePictureSurface::pageWidth() const {
    return orientation() == print::Orientation::Landscape ? 11.69 : 8.27;
}

double PagePictureSurface::pageHeight() const {
    return orientation() == print::Orientation::Landscape ? 8.27 : 11.69;
}

void PagePictureSurface::paintPage(QPainter& painter, int page) const {
    const double dpiX = painter.device()->logicalDpiX();
    const double dpiY = painter.device()->logicalDpiY();
    for (const Operation& op : pages_.at(static_cast<size_t>(page))) {
        if (const Text* t = std::get_if<Text>(&op)) {
            const QFont font = qtFont(t->font);
            painter.setFont(font);
            painter.setPen(qtColor(t->color));
            const QFontMetricsF metrics(font, painter.device());
            painter.drawText(QPointF(t->x * dpiX, t->y * dpiY + metrics.ascent()), t->text);
        } else {
            const Stroke& s = std::get<Stroke>(op);
            QPen pen(qtColor(s.color));
            pen.setWidthF(std::max(1.0, dpiX / 150.0));
            pen.setStyle(s.style == print::DrawStyle::Dotted ? Qt::DotLine : Qt::SolidLine);
            painter.setPen(pen);
            const QPointF a(s.x1 * dpiX, s.y1 * dpiY);
            const QPointF b(s.x2 * dpiX, s.y2 * dpiY);
            if (!s.box) {
                painter.drawLine(a, b);
                continue;
            }
            painter.setBrush(s.filled ? QBrush(qtColor(s.fill)) : QBrush(Qt::NoBrush));
            painter.drawRect(QRectF(a, b).normalized());
            painter.setBrush(Qt::NoBrush);
        }
    }
}

QImage PagePictureSurface::pageImage(int page, double dotsPerInch) const {
    QImage image(static_cast<int>(pageWidth() * dotsPerInch), static_cast<int>(pageHeight() * dotsPerInch),
                 QImage::Format_RGB32);
    const int dotsPerMeter = static_cast<int>(dotsPerInch / 0.0254 + 0.5);
    image.setDotsPerMeterX(dotsPerMeter);
    image.setDotsPerMeterY(dotsPerMeter);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    paintPage(painter, page);
    return image;
}

template <typename Device> void PagePictureSurface::paintAll(Device& device) const {
    QPainter painter;
    if (!painter.begin(&device)) throw Error("Der Ausdruck konnte nicht begonnen werden.");
    for (int page = 0; page < pageCount(); ++page) {
        if (page > 0) device.newPage();
        paintPage(painter, page);
    }
    painter.end();
}

void PdfSurface::finishDocument() {
    {
        QFile probe(fileName_);
        if (!probe.open(QIODevice::WriteOnly))
            throw Error("Die PDF-Datei " + fileName_.toStdString() +
                        " kann nicht geschrieben werden; es wurde nichts gespeichert.");
    }
    QPdfWriter writer(fileName_);
    writer.setResolution(static_cast<int>(kMeasureDpi));
    writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4),
                                     orientation() == print::Orientation::Landscape ? QPageLayout::Landscape
                                                                                    : QPageLayout::Portrait,
                                     QMarginsF(0, 0, 0, 0)));
    writer.setCreator(QStringLiteral("varemo20"));
    paintAll(writer);
    clear();
}

void PrinterSurface::setOrientation(print::Orientation o) {
    PagePictureSurface::setOrientation(o);
    printer_.setPageOrientation(o == print::Orientation::Landscape ? QPageLayout::Landscape
                                                                   : QPageLayout::Portrait);
}

void PrinterSurface::finishDocument() {
    printer_.setFullPage(true);
    paintAll(printer_);
    clear();
}

} // namespace varemo::ui
