// SPDX-License-Identifier: GPL-3.0-or-later
#include "phone/ServiceCentreAnswers.h"

#include <QStringList>

#include "link/SplitFields.h"

namespace {
const QString kReadMarker = QStringLiteral("+CSCA: ");
constexpr int kFields = 2;  // address and type; the type is not used
}  // namespace

QString ServiceCentreText(const QString& answer) {
    const qsizetype at = answer.indexOf(kReadMarker);
    return at >= 0 ? answer.mid(at + kReadMarker.size()) : QString();
}

QString ServiceCentreAddressOf(const QString& text, PhoneCharset set) {
    QStringList fields;
    SplitFields(text, fields, kFields);
    return phoneFieldText(fields.value(0), set, PhoneTextKind::Number);
}
