// SPDX-License-Identifier: GPL-3.0-or-later
// The channel list on paper: the printable table of the core
// (core/interchange/channel_print.h) laid out on the pages of a printer, a
// print preview or a PDF.
//
//   信道列表 — name.dat                                        2024-05-01
//   +-------+----------+-----------+-----------+-- ... --+------+
//   | 信道  | 信道名字 | 接收频率  | 发射频率  |   ...   | 繁忙 |   header row,
//   +-------+----------+-----------+-----------+-- ... --+------+   shaded, on
//   | A 001 |   HOME   | 146.52000 | 146.52000 |   ...   |  关  |   every page
//   ...
//                          第 1 页 / 共 6 页
//
// Every text is shown translated (T()), as the grid view shows it, in the
// application's font with a Chinese family after it. Each column is as wide
// as its longest text in the print font (10 pt), and the columns share out
// what is left of the page width. A table wider than the page shrinks its
// font, down to 6 pt (A4 portrait takes it at 10 pt, A5 at about 7 pt); what
// is still too wide is elided, headers too (keeping their start). The rows
// fill each page down to the page number; an empty list prints the header and
// one line "没有信道". The page breaks are the same on a printer, in the
// preview and in a PDF.
#pragma once

#include <QDate>
#include <QString>
#include <QStringList>
#include <QVector>

#include "core/interchange/channel_print.h"

class QPagedPaintDevice;
class QPaintDevice;
class QPainter;
class QPrinter;

namespace kestra {

class ChannelPrintLayout {
public:
    ChannelPrintLayout(const ChannelPrintTable& table, const QString& documentTitle,
                       const QDate& date);

    // The pagination on the printer's current page layout.
    int RowsPerPage(QPrinter* printer) const;
    int PageCount(QPrinter* printer) const;

    // The pages a print dialog asked for, numbered from 1 as in the whole
    // list (0: from the first, to the last), and their order.
    struct PageChoice {
        int from = 0;
        int to = 0;
        bool lastFirst = false;
    };
    static PageChoice ChoiceOf(const QPrinter& printer);

    // Paints the chosen pages onto the printer; false when it cannot be
    // started (a printer that refuses the job) or reports an error afterwards.
    bool Print(QPrinter* printer) const;
    // Paints the chosen pages onto any paged device (a PDF writer).
    bool Print(QPagedPaintDevice* device, const PageChoice& choice) const;

    // Whether every value fits its column on the device's page at the
    // smallest print size; where not, cells are cut short with "…".
    bool FitsWidth(QPaintDevice* device) const;

    // The title line's text: "信道列表 — name.dat".
    const QString& title() const { return title_; }

private:
    struct Metrics;
    Metrics Measure(QPaintDevice* device) const;
    void PaintPage(QPainter& painter, const Metrics& m, int page) const;
    void PaintRules(QPainter& painter, const Metrics& m, int count) const;

    QStringList header_;
    QVector<QStringList> rows_;
    QString title_;
    QString date_;
};

} // namespace kestra
