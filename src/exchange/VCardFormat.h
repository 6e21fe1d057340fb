// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>

// vCard text as other programs write it: 3.0 (RFC 2426) out, 2.1 and 3.0 in.

// One property of a card, decoded: the name in upper case without its group, the TYPE values
// (also 2.1's bare ones such as WORK or QUOTED-PRINTABLE's neighbours) in upper case, and the
// value after quoted-printable and character-set decoding, still escaped.
struct VCardProperty {
    QString name;
    QSet<QString> types;
    QString value;
    int line = 0;  // where the property starts in the file, from 1

    // The value with the text escapes undone (\\, \;, \,, \n).
    QString text() const;
    // The value cut at unescaped semicolons, each part unescaped (N, ADR).
    QStringList components() const;
};

struct VCardCard {
    int line = 0;  // the BEGIN line
    QList<VCardProperty> properties;

    // The first property of the name, or null.
    const VCardProperty* first(const QString& name) const;
    QList<const VCardProperty*> all(const QString& name) const;
};

// What reading a file gave: every card read whole, and a line for each card (or stray text)
// that could not be read, naming its line.
struct VCardReadResult {
    QList<VCardCard> cards;
    QStringList problems;
};

VCardReadResult readVCards(const QByteArray& bytes);

// Writes 3.0 properties with CRLF line ends, folded at 75 octets without cutting a UTF-8
// character in two.
class VCardWriter {
  public:
    void begin();
    void end();
    // value is written as given: escape text with escapeText first.
    void property(const QString& nameAndParameters, const QString& value);
    QByteArray bytes() const { return bytes_; }

    static QString escapeText(const QString& text);

  private:
    QByteArray bytes_;
};
