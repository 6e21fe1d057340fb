// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

// Splits an answer text into fields on commas and line ends outside double quotes. Fills
// fields[0..n-1]; fields the text never reaches keep what they held (fields is grown to n
// when shorter). With n == 12 the last field is free text whose length field 10 gives.
void SplitFields(QString source, QStringList& fields, int n);
