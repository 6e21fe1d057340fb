#include "link/SplitFields.h"

namespace {

// The leading decimal integer of a text (blanks skipped, optional sign), 0 when there is none.
int leadingInteger(const QString& text) {
    int pos = 0;
    while (pos < text.size() && (text[pos] == ' ' || text[pos] == '\t')) {
        ++pos;
    }
    bool negative = false;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
        negative = text[pos] == '-';
        ++pos;
    }
    qint64 value = 0;
    while (pos < text.size() && text[pos] >= '0' && text[pos] <= '9' && value < 1000000000) {
        value = value * 10 + (text[pos].unicode() - '0');
        ++pos;
    }
    return static_cast<int>(negative ? -value : value);
}

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
