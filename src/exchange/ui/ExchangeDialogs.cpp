// SPDX-License-Identifier: GPL-3.0-or-later
#include "exchange/ui/ExchangeDialogs.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <utility>

#include "phone/PhoneLink.h"
#include "platform/Notice.h"
#include "platform/Progress.h"
#include "platform/Prompter.h"

namespace {

// The skipped items a summary box lists; the rest is counted only.
constexpr int kListedReasons = 10;

const ExchangeWhat kWhats[] = {ExchangeWhat::Phonebook, ExchangeWhat::Schedule, ExchangeWhat::Todo,
                               ExchangeWhat::Sms};
const ExchangeFormat kFormats[] = {ExchangeFormat::VCard, ExchangeFormat::ICalendar,
                                   ExchangeFormat::Csv, ExchangeFormat::Xml};

QString whatCaption(ExchangeWhat what) {
    switch (what) {
        case ExchangeWhat::Phonebook:
            return QStringLiteral("Phone Book");
        case ExchangeWhat::Schedule:
            return QStringLiteral("Scheduler");
        case ExchangeWhat::Todo:
            return QStringLiteral("To Do List");
        case ExchangeWhat::Sms:
            return QStringLiteral("Short Messages");
    }
    return {};
}

QString formatCaption(ExchangeFormat format) {
    switch (format) {
        case ExchangeFormat::VCard:
            return QStringLiteral("vCard (.vcf)");
        case ExchangeFormat::ICalendar:
            return QStringLiteral("iCalendar (.ics)");
        case ExchangeFormat::Csv:
            return QStringLiteral("CSV (.csv)");
        case ExchangeFormat::Xml:
            return QStringLiteral("SMS backup XML (.xml)");
    }
    return {};
}

QString entries(int count) {
    return count == 1 ? QStringLiteral("1 entry") : QStringLiteral("%1 entries").arg(count);
}

QString withError(const QString& summary, const ExchangeResult& result) {
    return result.ok() ? summary : summary + QStringLiteral("\n\n") + result.error;
}

}  // namespace

ExchangeDialog::ExchangeDialog(bool forImport, bool phoneOnline, ExchangeFileChooser chooser,
                               QWidget* parent)
    : QDialog(parent),
      forImport_(forImport),
      phoneOnline_(phoneOnline),
      chooser_(std::move(chooser)),
      what_(new QComboBox(this)),
      memoryLabel_(new QLabel(this)),
      memory_(new QComboBox(this)),
      format_(new QComboBox(this)),
      file_(new QLineEdit(this)),
      browse_(new QPushButton(QStringLiteral("..."), this)) {
    setWindowTitle(forImport ? QStringLiteral("Import") : QStringLiteral("Export"));
    for (ExchangeWhat what : kWhats) {
        what_->addItem(whatCaption(what), static_cast<int>(what));
    }
    browse_->setToolTip(QStringLiteral("Choose the file"));
    browse_->setFixedWidth(browse_->fontMetrics().horizontalAdvance(QStringLiteral("....")) + 16);

    auto* fileRow = new QHBoxLayout;
    fileRow->addWidget(file_, 1);
    fileRow->addWidget(browse_);
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("What"), what_);
    form->addRow(memoryLabel_, memory_);
    form->addRow(QStringLiteral("Format"), format_);
    form->addRow(QStringLiteral("File"), fileRow);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    ok_ = buttons->button(QDialogButtonBox::Ok);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
    setMinimumWidth(420);

    connect(buttons, &QDialogButtonBox::accepted, this, &ExchangeDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(browse_, &QPushButton::clicked, this, &ExchangeDialog::chooseFile);
    connect(what_, &QComboBox::currentIndexChanged, this, [this] {
        fillMemories();
        fillFormats();
    });
    fillMemories();
    fillFormats();
}

void ExchangeDialog::fillMemories() {
    memory_->clear();
    switch (static_cast<ExchangeWhat>(what_->currentData().toInt())) {
        case ExchangeWhat::Phonebook:
            memoryLabel_->setText(QStringLiteral("Memory"));
            memory_->addItem(
                forImport_ ? QStringLiteral("As the file says") : QStringLiteral("All"), QString());
            memory_->addItem(QStringLiteral("SIM"), QStringLiteral("sim"));
            memory_->addItem(QStringLiteral("MS"), QStringLiteral("ms"));
            memory_->addItem(QStringLiteral("PC"), QStringLiteral("pc"));
            memory_->setEnabled(true);
            break;
        case ExchangeWhat::Schedule:
            memoryLabel_->setText(QStringLiteral("Table"));
            if (forImport_) {
                // Imported entries go where a new entry goes: the PC's copy, and the phone
                // while it answers.
                memory_->addItem(phoneOnline_ ? QStringLiteral("PC schedule and phone")
                                              : QStringLiteral("PC schedule"),
                                 QStringLiteral("pc"));
                memory_->setEnabled(false);
            } else {
                memory_->addItem(QStringLiteral("PC schedule"), QStringLiteral("pc"));
                memory_->addItem(QStringLiteral("Phone schedule"), QStringLiteral("phone"));
                memory_->setEnabled(true);
            }
            break;
        case ExchangeWhat::Todo:
        case ExchangeWhat::Sms:
            memoryLabel_->setText(QStringLiteral("Table"));
            memory_->addItem(QStringLiteral("The whole list"), QString());
            memory_->setEnabled(false);
            break;
    }
}

void ExchangeDialog::fillFormats() {
    const ExchangeWhat what = static_cast<ExchangeWhat>(what_->currentData().toInt());
    format_->clear();
    for (ExchangeFormat format : kFormats) {
        if (exchangeFormatFits(what, format)) {
            format_->addItem(formatCaption(format), static_cast<int>(format));
        }
    }
    format_->setCurrentIndex(format_->findData(static_cast<int>(defaultExchangeFormat(what))));
}

ExchangeOptions ExchangeDialog::options() const {
    ExchangeOptions options;
    options.what = static_cast<ExchangeWhat>(what_->currentData().toInt());
    options.format = static_cast<ExchangeFormat>(format_->currentData().toInt());
    const QString memory = memory_->currentData().toString();
    if (options.what == ExchangeWhat::Phonebook && !memory.isEmpty()) {
        options.memories = {memory};
    }
    options.phoneTable = options.what == ExchangeWhat::Schedule && memory == "phone";
    options.file = file_->text().trimmed();
    return options;
}

void ExchangeDialog::chooseFile() {
    const ExchangeOptions current = options();
    QString suggested = current.file;
    if (suggested.isEmpty()) {
        suggested = QStringLiteral("%1.%2").arg(exchangeWhatText(current.what),
                                                exchangeFileSuffix(current.format));
    }
    QString chosen;
    if (chooser_) {
        chosen = chooser_(suggested);
    } else {
        const QString filter = formatCaption(current.format).section('(', 0, 0).trimmed() +
                               QStringLiteral(" (*.") + exchangeFileSuffix(current.format) +
                               QStringLiteral(");;All files (*)");
        chosen = forImport_ ? QFileDialog::getOpenFileName(this, windowTitle(), suggested, filter)
                            : QFileDialog::getSaveFileName(this, windowTitle(), suggested, filter);
    }
    if (!chosen.isEmpty()) {
        file_->setText(chosen);
    }
}

void ExchangeDialog::accept() {
    const ExchangeOptions chosen = options();
    if (chosen.file.isEmpty()) {
        showMessage(QStringLiteral("Please choose a file."), windowTitle(), PromptIcon::Warning);
        file_->setFocus();
        return;
    }
    const QString problem = exchangeOptionsProblem(chosen, forImport_);
    if (!problem.isEmpty()) {
        showMessage(problem, windowTitle(), PromptIcon::Warning);
        return;
    }
    result_ = run(chosen);
    const bool nothingDone = result_.exported == 0 && result_.imported == 0;
    if (!result_.ok() && nothingDone && result_.skipped == 0) {
        showMessage(result_.error, windowTitle(), PromptIcon::Error);
        return;
    }
    showMessage(summary(result_), windowTitle(),
                result_.ok() ? PromptIcon::Information : PromptIcon::Error);
    QDialog::accept();
}

ExportDialog::ExportDialog(QWidget* parent, ExchangeFileChooser chooser)
    : ExchangeDialog(false, false, std::move(chooser), parent) {}

ExchangeResult ExportDialog::run(const ExchangeOptions& options) {
    return exportList(options, currentProgress());
}

QString ExportDialog::summaryText(const ExchangeResult& result) {
    QString text = QStringLiteral("Exported %1").arg(entries(result.exported));
    if (result.skipped > 0) {
        text += QStringLiteral(", skipped %1").arg(result.skipped);
    }
    return withError(text + QLatin1Char('.'), result);
}

ImportDialog::ImportDialog(PhoneLink* link, QWidget* parent, ExchangeFileChooser chooser)
    : ExchangeDialog(true, link && link->phoneFound, std::move(chooser), parent), link_(link) {}

ExchangeResult ImportDialog::run(const ExchangeOptions& options) {
    ExchangeResult result =
        importList(options, link_ && link_->phoneFound ? link_ : nullptr, currentProgress());
    showNotices(std::exchange(result.notices, {}));
    return result;
}

QString ImportDialog::summaryText(const ExchangeResult& result) {
    QString text = QStringLiteral("Imported %1, skipped %2.")
                       .arg(entries(result.imported))
                       .arg(result.skipped);
    if (!result.skippedReasons.isEmpty()) {
        text += QLatin1Char('\n');
        for (qsizetype i = 0; i < result.skippedReasons.size() && i < kListedReasons; ++i) {
            text += QLatin1Char('\n') + result.skippedReasons[i];
        }
        if (result.skippedReasons.size() > kListedReasons) {
            text += QStringLiteral("\n... and %1 more.")
                        .arg(result.skippedReasons.size() - kListedReasons);
        }
    }
    for (const QString& note : result.notes) {
        text += QStringLiteral("\n\n") + note;
    }
    return withError(text, result);
}
