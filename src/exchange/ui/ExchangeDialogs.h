// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <functional>

#include "exchange/Exchange.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

// Asks for a file: the suggested path in, the chosen one out (empty: none chosen). The dialogs
// use the system's file dialog unless they are handed another chooser.
using ExchangeFileChooser = std::function<QString(const QString& suggested)>;

// The shared form of "Export" and "Import": what, which memory or table, format, file. OK runs
// the export or import through the exchange room and ends with a summary box; a failure keeps
// the dialog open with the user's values.
class ExchangeDialog : public QDialog {
    Q_OBJECT
  public:
    QComboBox* whatBox() const { return what_; }
    QComboBox* memoryBox() const { return memory_; }
    QComboBox* formatBox() const { return format_; }
    QLineEdit* fileEdit() const { return file_; }
    QPushButton* browseButton() const { return browse_; }
    QPushButton* okButton() const { return ok_; }

    // The options the controls stand for now.
    ExchangeOptions options() const;
    // What the last OK did.
    const ExchangeResult& exchangeResult() const { return result_; }

  protected:
    // phoneOnline: imports reach the phone too, which the table choice says.
    ExchangeDialog(bool forImport, bool phoneOnline, ExchangeFileChooser chooser, QWidget* parent);
    virtual ExchangeResult run(const ExchangeOptions& options) = 0;
    virtual QString summary(const ExchangeResult& result) const = 0;

  private:
    void fillMemories();
    void fillFormats();
    void chooseFile();
    void accept() override;

    bool forImport_;
    bool phoneOnline_;
    ExchangeFileChooser chooser_;
    QComboBox* what_;
    QLabel* memoryLabel_;
    QComboBox* memory_;
    QComboBox* format_;
    QLineEdit* file_;
    QPushButton* browse_;
    QPushButton* ok_;
    ExchangeResult result_;
};

class ExportDialog : public ExchangeDialog {
    Q_OBJECT
  public:
    explicit ExportDialog(QWidget* parent = nullptr, ExchangeFileChooser chooser = {});
    // "Exported 120 entries." (with the skipped count when there was one).
    static QString summaryText(const ExchangeResult& result);

  protected:
    ExchangeResult run(const ExchangeOptions& options) override;
    QString summary(const ExchangeResult& result) const override { return summaryText(result); }
};

class ImportDialog : public ExchangeDialog {
    Q_OBJECT
  public:
    // link: the phone imports go to first while it answers; null: the cache only.
    explicit ImportDialog(PhoneLink* link, QWidget* parent = nullptr,
                          ExchangeFileChooser chooser = {});
    // "Imported 120 entries, skipped 3.", then one line per skipped item (the first ten).
    static QString summaryText(const ExchangeResult& result);

  protected:
    ExchangeResult run(const ExchangeOptions& options) override;
    QString summary(const ExchangeResult& result) const override { return summaryText(result); }

  private:
    PhoneLink* link_;
};
