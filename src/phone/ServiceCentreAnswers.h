#pragma once

#include <QString>

// The text of a service centre read answer behind "+CSCA: ": address, type and the rest of
// the answer; empty when the marker is missing.
QString ServiceCentreText(const QString& answer);

// The address of that text: its first field, without quotes ("+4477",145 gives +4477).
QString ServiceCentreAddressOf(const QString& text);
