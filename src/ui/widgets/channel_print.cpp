// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/widgets/channel_print.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QPaintEngine>
#include <QPainter>
#include <QPrinter>
#include <algorithm>
#include <cmath>

#include "ui/app/translation.h"

namespace kestra {

namespace {

constexpr const char* kTitleFormat = KESTRA_TEXT("kestra", "信道列表 — %1");
constexpr const char* kPageFormat = KESTRA_TEXT("kestra", "第 %1 页 / 共 %2 页");
constexpr const char* kNoChannels = KESTRA_TEXT("kestra", "没有信道");

constexpr qreal kFontPoints = 10;
constexpr qreal kSmallestFontPoints = 6;

const QColor kHeaderFill(0xE4, 0xE4, 0xE4);
const QColor kStripeFill(0xF4, 0xF4, 0xF4);
const QColor kRuleColor(0xA0, 0xA0, 0xA0);
const QColor kFrameColor(0x40, 0x40, 0x40);

// The layout is measured in units of 1/1200 inch whatever the device, so
// that a printer, the preview and a PDF, at any resolution, break the pages
// at the same rows. Painting converts the units to the device's pixels and
// draws with fonts made for the device.
constexpr qreal kUnitsPerInch = 1200;

// The families the list is printed in: the application's, then, when it has
// no Chinese glyphs, the first installed of a few common Chinese families (or
// any family with Chinese glyphs). Left to font fallback, the Chinese texts
// would come from whichever font the system falls back to (a Japanese
// variant, say). The print preview records the pages as a picture, which
// replays the glyphs of a second family off the line: there the text is
// drawn in the last family alone (the layout is measured the same way for
// both, so the pages break at the same rows).
QStringList PrintFamilies() {
    // The family the application font resolves to (its name may be a
    // generic one the font database does not list).
    const QString own = QFontInfo(QGuiApplication::font()).family();
    const QStringList chinese = QFontDatabase::families(QFontDatabase::SimplifiedChinese);
    if (chinese.contains(own) || chinese.isEmpty())
        return {own};
    for (const char* family :
         {"Noto Sans CJK SC", "Source Han Sans SC", "Microsoft YaHei", // not shown
          "PingFang SC", "WenQuanYi Micro Hei", "SimSun"})             // not shown
        if (chinese.contains(QLatin1String(family)))
            return {own, QLatin1String(family)};
    return {own, chinese.first()};
}

// The print font sized in layout units, for measuring.
QFont LayoutFont(const QStringList& families, qreal points, bool bold) {
    QFont font = QGuiApplication::font();
    font.setFamilies(families);
    font.setPixelSize(qRound(points * kUnitsPerInch / 72));
    font.setBold(bold);
    // No ligatures: a PDF's text reads "Off", not "O" and an "ff" glyph.
    font.setStyleStrategy(QFont::PreferNoShaping);
    return font;
}

// The print font as the device draws it.
QFont DeviceFont(QPaintDevice* device, const QStringList& families, qreal points, bool bold) {
    QFont font(QGuiApplication::font(), device);
    font.setFamilies(families);
    font.setPointSizeF(points);
    font.setBold(bold);
    font.setStyleStrategy(QFont::PreferNoShaping);
    return font;
}

} // namespace

struct ChannelPrintLayout::Metrics {
    QRectF area;    // the page's paint area, in layout units
    qreal left = 0; // the table's left edge (the frame stays inside the area)
    qreal tableWidth = 0;
    QStringList families;     // measuring and printing
    QStringList drawFamilies; // what this device draws with
    qreal points = kFontPoints, titlePoints = kFontPoints;
    QFont font, bold; // layout fonts
    QVector<qreal> widths;
    qreal pad = 0;
    qreal titleHeight = 0, rowHeight = 0, footerHeight = 0;
    qreal thin = 1, frame = 1;
    int rowsPerPage = 1;
    int pages = 1;
    bool fits = true; // no cell is cut short
};

ChannelPrintLayout::ChannelPrintLayout(const ChannelPrintTable& table, const QString& documentTitle,
                                       const QDate& date)
    : title_(T(kTitleFormat).arg(documentTitle)), date_(date.toString(Qt::ISODate)) {
    for (const std::string& h : table.header)
        header_ << T(h);
    rows_.reserve(static_cast<int>(table.rows.size()));
    for (const auto& row : table.rows) {
        QStringList cells;
        for (const std::string& cell : row)
            cells << T(cell);
        rows_ << cells;
    }
}

ChannelPrintLayout::Metrics ChannelPrintLayout::Measure(QPaintDevice* device) const {
    Metrics m;
    m.area = QRectF(0, 0, device->width() * kUnitsPerInch / device->logicalDpiX(),
                    device->height() * kUnitsPerInch / device->logicalDpiY());
    m.thin = kUnitsPerInch / 300;
    m.frame = kUnitsPerInch / 120;
    m.left = m.frame / 2;
    m.tableWidth = m.area.width() - m.frame;
    m.families = PrintFamilies();
    const int columns = static_cast<int>(header_.size());
    qreal points = kFontPoints;
    qreal natural = 0;
    for (;;) {
        m.font = LayoutFont(m.families, points, false);
        m.bold = LayoutFont(m.families, points, true);
        const QFontMetricsF fm(m.font), fb(m.bold);
        m.pad = fm.horizontalAdvance(QLatin1Char('0')) * 1.2;
        m.widths.fill(0, columns);
        for (int c = 0; c < columns; ++c)
            m.widths[c] = fb.horizontalAdvance(header_[c]);
        for (const QStringList& row : rows_)
            for (int c = 0; c < columns && c < row.size(); ++c)
                m.widths[c] = std::max(m.widths[c], fm.horizontalAdvance(row[c]));
        natural = 0;
        for (qreal& w : m.widths) {
            w += 2 * m.pad;
            natural += w;
        }
        if (natural <= m.tableWidth || points <= kSmallestFontPoints)
            break;
        points = std::max(kSmallestFontPoints, points * m.tableWidth / natural * 0.98);
    }
    m.fits = natural <= m.tableWidth;
    // The columns share out the page width (or give up what is too much).
    if (natural > 0)
        for (qreal& w : m.widths)
            w *= m.tableWidth / natural;

    const QFontMetricsF fm(m.font);
    m.points = points;
    m.titlePoints = points * 1.3;
    m.titleHeight = QFontMetricsF(LayoutFont(m.families, m.titlePoints, true)).height() * 2;
    // Room round the text whatever the font's own line height (a CJK font
    // reserves far more than a Latin one).
    const qreal em = points * kUnitsPerInch / 72;
    m.rowHeight = std::max(fm.height() * 1.2, em * 1.65);
    m.footerHeight = fm.height() * 2.5;
    const qreal body = m.area.height() - m.titleHeight - m.rowHeight - m.footerHeight;
    m.rowsPerPage = std::max(1, static_cast<int>(std::floor(body / m.rowHeight)));
    m.pages = std::max(1, static_cast<int>((rows_.size() + m.rowsPerPage - 1) / m.rowsPerPage));
    return m;
}

int ChannelPrintLayout::RowsPerPage(QPrinter* printer) const {
    return Measure(printer).rowsPerPage;
}

int ChannelPrintLayout::PageCount(QPrinter* printer) const {
    return Measure(printer).pages;
}

bool ChannelPrintLayout::FitsWidth(QPaintDevice* device) const {
    return Measure(device).fits;
}

ChannelPrintLayout::PageChoice ChannelPrintLayout::ChoiceOf(const QPrinter& printer) {
    PageChoice choice;
    if (printer.printRange() == QPrinter::PageRange) {
        choice.from = printer.fromPage();
        choice.to = printer.toPage();
    }
    choice.lastFirst = printer.pageOrder() == QPrinter::LastPageFirst;
    return choice;
}

bool ChannelPrintLayout::Print(QPrinter* printer) const {
    return Print(printer, ChoiceOf(*printer)) && printer->printerState() != QPrinter::Error &&
           printer->printerState() != QPrinter::Aborted;
}

bool ChannelPrintLayout::Print(QPagedPaintDevice* device, const PageChoice& choice) const {
    QPainter painter;
    if (!painter.begin(device))
        return false;
    Metrics m = Measure(device);
    if (painter.paintEngine()->type() == QPaintEngine::Picture)
        m.drawFamilies = {m.families.last()};
    else
        m.drawFamilies = m.families;
    int first = 0, last = m.pages - 1;
    if (choice.from > 0) {
        first = std::min(choice.from, m.pages) - 1;
        if (choice.to > 0)
            last = std::clamp(choice.to - 1, first, m.pages - 1);
    }
    for (int i = 0; i <= last - first; ++i) {
        if (i > 0 && !device->newPage())
            return false;
        PaintPage(painter, m, choice.lastFirst ? last - i : first + i);
    }
    return painter.end();
}

// Rules: thin between rows and columns (none across the empty-list line),
// firm under the header and round the table.
void ChannelPrintLayout::PaintRules(QPainter& p, const Metrics& m, int count) const {
    const qreal sx = p.device()->logicalDpiX() / kUnitsPerInch;
    const qreal sy = p.device()->logicalDpiY() / kUnitsPerInch;
    auto line = [&](qreal x1, qreal y1, qreal x2, qreal y2) {
        p.drawLine(QLineF(x1 * sx, y1 * sy, x2 * sx, y2 * sy));
    };
    const qreal left = m.left, right = m.left + m.tableWidth, top = m.titleHeight;
    auto rowTop = [&](int r) { return top + m.rowHeight * (1 + r); };
    const qreal bottom = rowTop(count);
    p.setPen(QPen(kRuleColor, m.thin * sx));
    for (int r = 1; r < count; ++r)
        line(left, rowTop(r), right, rowTop(r));
    qreal x = left;
    const qreal rulesEnd = rows_.isEmpty() ? rowTop(0) : bottom;
    for (int c = 0; c + 1 < static_cast<int>(m.widths.size()); ++c) {
        x += m.widths[c];
        line(x, top, x, rulesEnd);
    }
    p.setPen(QPen(kFrameColor, m.frame * sx));
    p.setBrush(Qt::NoBrush);
    line(left, rowTop(0), right, rowTop(0));
    p.drawRect(QRectF(left * sx, top * sy, m.tableWidth * sx, (bottom - top) * sy));
}

void ChannelPrintLayout::PaintPage(QPainter& p, const Metrics& m, int page) const {
    QPaintDevice* device = p.device();
    const qreal sx = device->logicalDpiX() / kUnitsPerInch;
    const qreal sy = device->logicalDpiY() / kUnitsPerInch;
    auto at = [&](qreal x, qreal y, qreal w, qreal h) {
        return QRectF(x * sx, y * sy, w * sx, h * sy);
    };
    const QFont font = DeviceFont(device, m.drawFamilies, m.points, false);
    const QFont bold = DeviceFont(device, m.drawFamilies, m.points, true);
    const QFontMetricsF fm(font, device);
    const int columns = static_cast<int>(m.widths.size());
    const qreal left = m.left;

    // Title line: the document on the left, the date on the right.
    p.setPen(Qt::black);
    const QRectF titleRect = at(left, 0, m.tableWidth, m.titleHeight * 0.7);
    const QFont titleFont = DeviceFont(device, m.drawFamilies, m.titlePoints, true);
    // A long file name gives up its middle rather than run over the date.
    const qreal titleRoom =
        titleRect.width() - fm.horizontalAdvance(date_ + QStringLiteral("    "));
    p.setFont(titleFont);
    p.drawText(titleRect, Qt::AlignLeft | Qt::AlignVCenter,
               QFontMetricsF(titleFont, device).elidedText(title_, Qt::ElideMiddle, titleRoom));
    p.setFont(font);
    p.drawText(titleRect, Qt::AlignRight | Qt::AlignVCenter, date_);

    // The rows of this page; an empty list has one line saying so.
    const int first = page * m.rowsPerPage;
    const int count =
        rows_.isEmpty() ? 1 : std::min(m.rowsPerPage, static_cast<int>(rows_.size()) - first);
    const qreal top = m.titleHeight;
    auto rowTop = [&](int r) { return top + m.rowHeight * (1 + r); };

    p.fillRect(at(left, top, m.tableWidth, m.rowHeight), kHeaderFill);
    for (int r = 1; r < count; r += 2)
        p.fillRect(at(left, rowTop(r), m.tableWidth, m.rowHeight), kStripeFill);

    // One line of cells, each elided from its end to its column: a header
    // keeps its start too ("接收…" and "发射…" stay apart where the column's
    // middle would read the same).
    auto drawLine = [&](const QStringList& texts, qreal y, const QFontMetricsF& metrics) {
        qreal x = left;
        for (int c = 0; c < columns && c < texts.size(); ++c) {
            const QRectF cell = at(x, y, m.widths[c], m.rowHeight);
            p.drawText(cell, Qt::AlignCenter,
                       metrics.elidedText(texts[c], Qt::ElideRight, cell.width() - m.pad * sx));
            x += m.widths[c];
        }
    };
    p.setFont(bold);
    drawLine(header_, top, QFontMetricsF(bold, device));
    p.setFont(font);
    if (rows_.isEmpty()) {
        p.setPen(Qt::darkGray);
        p.drawText(at(left, rowTop(0), m.tableWidth, m.rowHeight), Qt::AlignCenter, T(kNoChannels));
        p.setPen(Qt::black);
    } else {
        for (int r = 0; r < count; ++r)
            drawLine(rows_[first + r], rowTop(r), fm);
    }

    PaintRules(p, m, count);

    // Page number at the foot of the page.
    p.setPen(Qt::black);
    p.drawText(at(left, m.area.height() - m.footerHeight, m.tableWidth, m.footerHeight),
               Qt::AlignHCenter | Qt::AlignBottom, T(kPageFormat).arg(page + 1).arg(m.pages));
}

} // namespace kestra
