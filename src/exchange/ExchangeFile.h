// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

// Whole-file reads and writes for the exchange formats. A write goes to a temporary file that
// replaces the target only when every byte is written, so a failed export leaves an older file
// whole. Each returns an error text, empty on success.
QString readExchangeFile(const QString& file, QByteArray& bytes);
QString writeExchangeFile(const QString& file, const QByteArray& bytes);
