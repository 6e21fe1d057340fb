// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>

#include "db/DatabaseSchema.h"
#include "db/JetTranslator.h"

// A dynaset over one table of one database file. The filter and the sort are Jet condition and
// order strings (see JetTranslator.h) that take effect at the next Open or Requery. Requery
// reads every matching row, so the record count is always complete.
//
// Cursor: after Open/Requery on the first row (BOF and EOF both true when there is none).
// MoveNext past the last row gives EOF, MovePrev before the first BOF; moves at either end stay
// there. AddNew/Edit fill an edit buffer that Update stores; after the Update of an AddNew the
// current row stays current and the new row is appended to the rows in memory; after Delete
// there is no current row until the next move (MoveNext goes to the row after the deleted one).
// Every change is one transaction (or joins an open DbTransaction of the same file).
//
// Errors of the engine, an unknown column or a filter outside the supported syntax are shown
// in an error message box; the operation then returns false and changes nothing.
//
// A store derives from it and names its file and table:
//   class CSimViewDB : public Recordset {
//     public:
//       CSimViewDB() : Recordset(kPhonebookDbFile, QStringLiteral("sim")) {
//           setSort(QStringLiteral("Number ASC"));
//       }
//   };
class Recordset {
  public:
    Recordset(const QString& fileName, const QString& tableName);
    virtual ~Recordset();
    Recordset(const Recordset&) = delete;
    Recordset& operator=(const Recordset&) = delete;

    const QString& fileName() const { return fileName_; }
    const QString& tableName() const { return tableName_; }

    // Jet condition without WHERE; empty selects every row.
    void setFilter(const QString& filter) { filter_ = filter; }
    const QString& filter() const { return filter_; }
    // Jet order list without ORDER BY; empty keeps the table's natural (insertion) order.
    void setSort(const QString& sort) { sort_ = sort; }
    const QString& sort() const { return sort_; }

    bool Open();
    void Close();
    bool IsOpen() const { return open_; }
    // Runs the query again with the current filter and sort (opens the recordset if needed).
    bool Requery();

    bool MoveFirst();
    bool MoveNext();
    bool MovePrev();
    bool MoveLast();
    // Moves to the row at a position from 0 (first row, then forward); false past the end.
    bool moveTo(int position);
    bool IsBOF() const;
    bool IsEOF() const;
    // Whether a current row exists (false at BOF/EOF and right after Delete).
    bool hasCurrent() const;
    // Position of the current row from 0, or -1.
    int position() const;

    int GetRecordCount() const { return static_cast<int>(rows_.size()); }
    // The count, after a move to the last row when there are rows (the cursor stays there).
    int FullRecordCount();

    bool AddNew();
    bool Edit();
    bool Update();
    void CancelUpdate();
    bool Delete();
    bool isEditing() const { return mode_ != Mode::None; }

    // Bulk changes, each one transaction (all or nothing), followed by a requery.
    // Every row of the table goes, whatever the filter.
    bool deleteAllRows();
    // Each list holds the values of `columns` in that order, stored as setValue stores them.
    bool addRows(const QStringList& columns, const QList<QVariantList>& rows);

    // Field access by column name (case-blind). During AddNew/Edit the edit buffer is read and
    // written; otherwise the current row is read. A null value reads as an empty text, 0 or
    // false through the typed helpers.
    QVariant value(const QString& column) const;
    QString textValue(const QString& column) const;
    int intValue(const QString& column) const;
    bool boolValue(const QString& column) const;
    // Only during AddNew/Edit. The value is stored as the column's kind: text as text, a Long
    // or Short as an integer (a text that is no number is refused), Yes/No as 0 or 1. After a
    // refused value the following Update stores nothing and returns false.
    bool setValue(const QString& column, const QVariant& value);

    // Column names of the table as the file spells them.
    QStringList columnNames() const;

  private:
    enum class Mode { None, Adding, Editing };
    struct Column {
        QString name;
        ColumnKind kind = ColumnKind::Text;
        bool known = false;  // declared by the schema module
    };
    struct Row {
        qint64 rowid = 0;
        QVariantList values;
    };

    bool connect();
    bool loadColumns();
    int columnIndex(const QString& column) const;
    bool fetchRow(qint64 rowid, Row* row, QString* error);
    bool normalize(int column, const QVariant& in, QVariant* out, QString* error) const;
    void fail(const QString& detail) const;

    QString fileName_;
    QString tableName_;
    QString connection_;
    QString filter_;
    QString sort_;
    bool open_ = false;

    QList<Column> columns_;
    SqlColumns sqlColumns_;
    QList<Row> rows_;
    int pos_ = 0;  // -1 BOF, rows_.size() EOF
    bool deletedCurrent_ = false;

    Mode mode_ = Mode::None;
    QVariantList buffer_;
    QList<bool> dirty_;
    bool bufferFailed_ = false;  // a refused setValue: the buffer is not stored
};
