// SPDX-License-Identifier: GPL-3.0-or-later
#include "print/ListPrinter.h"

#include <QFontMetrics>
#include <QPaintDevice>
#include <QPainter>

#include <algorithm>

namespace {
constexpr double kMarginMm = 10.0;
constexpr int kExtraHeight = 4;  // device units added to every measured text height

QFont makeFont(const QString& family, int pointSize) {
    QFont font(family);
    font.setPointSize(pointSize);
    return font;
}

// The extent of "X" in the font: its full line height on the device.
int heightOfX(const QFont& font, const QPaintDevice& device) {
    return std::max(
        1, QFontMetrics(font, &device).size(Qt::TextSingleLine, QStringLiteral("X")).height());
}

// Line texts carry their own line end; drawn, it would only add an empty line.
QString drawable(const QString& line) {
    QString text = line;
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    while (text.endsWith(QLatin1Char('\n')) || text.endsWith(QLatin1Char('\r'))) {
        text.chop(1);
    }
    return text;
}

Qt::Alignment horizontal(Qt::Alignment alignment) {
    if (alignment & Qt::AlignHCenter) {
        return Qt::AlignHCenter;
    }
    if (alignment & Qt::AlignRight) {
        return Qt::AlignRight;
    }
    return Qt::AlignLeft;
}
}  // namespace

ListPrinter::ListPrinter(const QPaintDevice& device)
    : titleFont_(makeFont(QStringLiteral("Arial"), 15)),
      rowFont_(makeFont(QStringLiteral("Arial"), 10)),
      footerFont_(makeFont(QStringLiteral("Times New Roman"), 8)) {
    titleHeight_ = heightOfX(titleFont_, device) + kExtraHeight;
    rowHeight_ = heightOfX(rowFont_, device) + kExtraHeight;
    footerHeight_ = heightOfX(footerFont_, device) + kExtraHeight;
    textInset_ = std::max(1, QFontMetrics(rowFont_, &device).averageCharWidth() / 2);

    const int marginX = qRound(kMarginMm * device.logicalDpiX() / 25.4);
    const int marginY = qRound(kMarginMm * device.logicalDpiY() / 25.4);
    area_ =
        QRect(0, 0, device.width(), device.height()).adjusted(marginX, marginY, -marginX, -marginY);

    const int rowsSpace = area_.height() - titleHeight_ - rowHeight_ - footerHeight_;
    rowsPerSheet_ = std::max(1, rowsSpace / (rowHeight_ + 1) - 1);
}

int ListPrinter::pageCount(const PrintTable& table) const {
    const int rows = static_cast<int>(table.rows.size());
    return std::max(1, (rows + rowsPerSheet_ - 1) / rowsPerSheet_);
}

QList<int> ListPrinter::columnEdges(const PrintTable& table) const {
    QList<int> edges{area_.left()};
    qint64 total = 0;
    for (const PrintColumn& column : table.columns) {
        total += std::max(0, column.width);
    }
    qint64 sum = 0;
    for (qsizetype i = 0; i < table.columns.size(); ++i) {
        sum += std::max(0, table.columns[i].width);
        const qint64 share = total > 0 ? sum * area_.width() / total
                                       : (i + 1) * area_.width() / table.columns.size();
        edges.append(area_.left() + static_cast<int>(share));
    }
    return edges;
}

void ListPrinter::printSheet(QPainter& painter, const PrintTable& table, int page) const {
    painter.save();
    painter.setBackgroundMode(Qt::TransparentMode);
    painter.setPen(QPen(Qt::black, 0));
    const QList<int> edges = columnEdges(table);
    drawTitleBlock(painter, table, page, pageCount(table));
    drawHeaderRow(painter, table, edges);
    drawRows(painter, table, edges, page);
    drawFooter(painter, table);
    painter.restore();
}

void ListPrinter::drawTitleBlock(QPainter& painter, const PrintTable& table, int page,
                                 int pages) const {
    const QRect block(area_.left(), area_.top(), area_.width(), titleHeight_);
    painter.setFont(titleFont_);
    painter.drawText(block, Qt::AlignRight | Qt::AlignTop | Qt::TextWordWrap,
                     QStringLiteral("Page %1 of %2").arg(page).arg(pages));
    painter.drawText(block, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, drawable(table.title));
}

QRect ListPrinter::cellText(int left, int right, int top) const {
    return QRect(left + textInset_, top, std::max(0, right - left - 2 * textInset_), rowHeight_);
}

void ListPrinter::drawHeaderRow(QPainter& painter, const PrintTable& table,
                                const QList<int>& edges) const {
    const int top = headerTop();
    painter.setFont(rowFont_);
    painter.drawRect(QRect(edges.first(), top, edges.last() - edges.first(), rowHeight_));
    for (qsizetype c = 0; c < table.columns.size(); ++c) {
        painter.drawRect(QRect(edges[c], top, edges[c + 1] - edges[c], rowHeight_));
        painter.drawText(cellText(edges[c], edges[c + 1], top),
                         horizontal(table.columns[c].alignment) | Qt::AlignVCenter,
                         table.columns[c].header);
    }
}

void ListPrinter::drawRows(QPainter& painter, const PrintTable& table, const QList<int>& edges,
                           int page) const {
    painter.setFont(rowFont_);
    const int firstTop = headerTop() + rowHeight_;
    const int first = (page - 1) * rowsPerSheet_;
    int top = firstTop;
    for (int r = first; r < first + rowsPerSheet_; ++r, top += rowHeight_) {
        const bool exists = r < table.rows.size();
        for (qsizetype c = 0; c < table.columns.size(); ++c) {
            painter.drawLine(edges[c], top, edges[c], top + rowHeight_);
            painter.drawLine(edges[c], top, edges[c + 1], top);
            if (exists && c < table.rows[r].size()) {
                painter.drawText(cellText(edges[c], edges[c + 1], top),
                                 horizontal(table.columns[c].alignment) | Qt::AlignVCenter,
                                 table.rows[r][c]);
            }
        }
        painter.drawLine(edges.last(), top, edges.last(), top + rowHeight_);
    }
    painter.drawLine(edges.first(), top, edges.last(), top);
}

void ListPrinter::drawFooter(QPainter& painter, const PrintTable& table) const {
    const QRect block(area_.left(), footerTop(), area_.width(), footerHeight_);
    painter.setFont(footerFont_);
    painter.drawText(block, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap,
                     drawable(table.footer));
}
