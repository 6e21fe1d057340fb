// SPDX-License-Identifier: GPL-3.0-or-later
#include "scheduler/ui/AlarmDialog.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QStyle>
#include <QVBoxLayout>

AlarmDialog::AlarmDialog(const QString& title, const QString& message, QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(QStringLiteral("Alarm "));
    auto* bitmap = new QLabel(this);
    bitmap->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxInformation).pixmap(48, 48));

    title_ = new QLineEdit(title, this);
    title_->setReadOnly(true);
    title_->setAlignment(Qt::AlignCenter);
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(22);
    font.setBold(true);
    title_->setFont(font);
    QPalette palette = title_->palette();
    palette.setColor(QPalette::Base, QColor(255, 247, 188));
    title_->setPalette(palette);
    title_->setMinimumWidth(320);

    message_ = new QLabel(message, this);
    message_->setAlignment(Qt::AlignCenter);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto* texts = new QVBoxLayout;
    texts->addWidget(title_);
    texts->addWidget(message_);
    auto* row = new QHBoxLayout;
    row->addWidget(bitmap);
    row->addLayout(texts, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addWidget(buttons);
}
