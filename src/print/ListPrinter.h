// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFont>
#include <QList>
#include <QRect>

#include "print/PrintTable.h"

class QPainter;
class QPaintDevice;

// Lays out one list as a ruled table on sheets of a paint device: title and page line on top,
// the column headers, as many ruled rows as fit, and the footer at the bottom margin. The layout
// depends only on the device and the fixed fonts, so one printer serves every list of a job.
class ListPrinter {
  public:
    explicit ListPrinter(const QPaintDevice& device);

    int rowsPerSheet() const { return rowsPerSheet_; }
    // Sheets the table needs; an empty table still prints one sheet of empty rows.
    int pageCount(const PrintTable& table) const;
    // Draws sheet `page` (from 1) of the table; the caller starts and ends the sheet.
    void printSheet(QPainter& painter, const PrintTable& table, int page) const;

    // Column edges from the left margin to the right one (columns + 1 values).
    QList<int> columnEdges(const PrintTable& table) const;
    QRect tableArea() const { return area_; }
    int rowHeight() const { return rowHeight_; }
    int headerTop() const { return area_.top() + titleHeight_; }
    int footerTop() const { return area_.bottom() + 1 - footerHeight_; }

  private:
    void drawTitleBlock(QPainter& painter, const PrintTable& table, int page, int pages) const;
    void drawHeaderRow(QPainter& painter, const PrintTable& table, const QList<int>& edges) const;
    void drawRows(QPainter& painter, const PrintTable& table, const QList<int>& edges,
                  int page) const;
    void drawFooter(QPainter& painter, const PrintTable& table) const;
    QRect cellText(int left, int right, int top) const;

    QFont titleFont_;
    QFont rowFont_;
    QFont footerFont_;
    QRect area_;  // the page inside the margins
    int titleHeight_ = 0;
    int rowHeight_ = 0;
    int footerHeight_ = 0;
    int textInset_ = 0;
    int rowsPerSheet_ = 1;
};
