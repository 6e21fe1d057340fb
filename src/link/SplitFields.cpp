// SPDX-License-Identifier: GPL-3.0-or-later
#include "link/SplitFields.h"

#include "link/LeadingInteger.h"

namespace {

constexpr int kFreeTextFields = 12;
constexpr int kFreeTextField = 11;
constexpr int kFreeTextLengthField = 10;

}  // namespace

void SplitFields(QString source, QStringList& fields, int n) {
    if (n <= 0) {
        return;
    }
    while (fields.size() < n) {
        fields.append(QString());
    }
    int i = 0;
    bool quoted = false;
    fields[0].clear();
    for (qsizetype pos = 0; pos < source.size(); ++pos) {
        const QChar ch = source[pos];
        if (n == kFreeTextFields && i == kFreeTextField) {
            if (fields[kFreeTextField].size() >= leadingInteger(fields[kFreeTextLengthField])) {
                break;
            }
            fields[kFreeTextField].append(ch);
        } else if ((ch == ',' || ch == '\r') && !quoted) {
            ++i;
            if (i >= n) {
                break;
            }
            fields[i].clear();
            if (ch == '\r' && pos + 1 < source.size() && source[pos + 1] == '\n') {
                ++pos;  // CR LF is one separator; the LF is not looked at again
            }
        } else if (ch != '"' && ch.unicode() != 255) {
            fields[i].append(ch);
        }
        if (ch == '"' || ch == '\n') {
            quoted = !quoted;
        }
    }
}
