// SPDX-License-Identifier: GPL-3.0-or-later
#include "exchange/PhonebookCards.h"

#include <QSet>

#include "exchange/VCardFormat.h"

namespace phonebook_exchange {

namespace {

const QString kMemoryProperty = QStringLiteral("X-DEXMORO-MEMORY");
const QString kIndexProperty = QStringLiteral("X-DEXMORO-INDEX");

QString nameOfCard(const VCardCard& card) {
    if (const VCardProperty* fn = card.first(QStringLiteral("FN"))) {
        if (const QString name = fn->text().trimmed(); !name.isEmpty()) {
            return name;
        }
    }
    if (const VCardProperty* n = card.first(QStringLiteral("N"))) {
        // Family; Given; Middle; Prefix; Suffix, read in the order a name is spoken.
        const QStringList parts = n->components();
        QStringList spoken;
        for (const int part : {3, 1, 2, 0, 4}) {
            if (const QString text = parts.value(part).trimmed(); !text.isEmpty()) {
                spoken << text;
            }
        }
        if (!spoken.isEmpty()) {
            return spoken.join(u' ');
        }
    }
    // A company's card may name the company alone.
    if (const VCardProperty* org = card.first(QStringLiteral("ORG"))) {
        return org->components().value(0).trimmed();
    }
    return {};
}

QString addressOf(const VCardCard& card) {
    if (const VCardProperty* adr = card.first(QStringLiteral("ADR"))) {
        QStringList parts;
        for (const QString& part : adr->components()) {
            if (!part.trimmed().isEmpty()) {
                parts << part.trimmed();
            }
        }
        return parts.join(QStringLiteral(", "));
    }
    if (const VCardProperty* label = card.first(QStringLiteral("LABEL"))) {
        return label->text();
    }
    return {};
}

}  // namespace

void writeCard(VCardWriter& out, const ListedEntry& listed) {
    const PcPhonebookEntry& entry = listed.entry;
    const QString name = VCardWriter::escapeText(entry.name);
    out.begin();
    out.property(QStringLiteral("FN"), name);
    out.property(QStringLiteral("N"), name + QStringLiteral(";;;;"));
    auto optional = [&out](const QString& property, const QString& value) {
        if (!value.isEmpty()) {
            out.property(property, VCardWriter::escapeText(value));
        }
    };
    if (listed.memory != MemoryPc) {
        optional(QStringLiteral("TEL;TYPE=VOICE"), entry.mainNumber);
    } else {
        optional(QStringLiteral("TEL;TYPE=VOICE,PREF"), entry.mainNumber);
        optional(QStringLiteral("TEL;TYPE=WORK,VOICE"), entry.officeNumber);
        optional(QStringLiteral("TEL;TYPE=FAX"), entry.faxNumber);
        optional(QStringLiteral("TEL;TYPE=CELL,VOICE"), entry.mobileNumber);
        optional(QStringLiteral("TEL;TYPE=HOME,VOICE"), entry.homeNumber);
        optional(QStringLiteral("TEL;TYPE=PAGER"), entry.pagerNumber);
        optional(QStringLiteral("EMAIL;TYPE=INTERNET"), entry.emailAddress);
        if (!entry.address.isEmpty()) {
            // The address is one free text: it goes whole into the street part.
            out.property(QStringLiteral("ADR"), QStringLiteral(";;") +
                                                    VCardWriter::escapeText(entry.address) +
                                                    QStringLiteral(";;;;"));
        }
        optional(QStringLiteral("NOTE"), entry.memo);
    }
    out.property(kMemoryProperty, memoryText(listed.memory));
    out.property(kIndexProperty, QString::number(entry.number));
    out.end();
}

IncomingEntry entryOfCard(const VCardCard& card) {
    IncomingEntry incoming;
    incoming.origin = QStringLiteral("card at line %1").arg(card.line);
    if (const VCardProperty* memory = card.first(kMemoryProperty)) {
        incoming.memory = memoryOfText(memory->text());
    }
    if (const VCardProperty* index = card.first(kIndexProperty)) {
        incoming.index = index->text().trimmed().toInt();
    }
    PcPhonebookEntry& entry = incoming.entry;
    entry.name = nameOfCard(card);

    QStringList extras;
    QString firstNumber;
    for (const VCardProperty* tel : card.all(QStringLiteral("TEL"))) {
        QString number = tel->text().trimmed();
        if (number.startsWith(QLatin1String("tel:"), Qt::CaseInsensitive)) {
            number = number.mid(4);  // 4.0 writes numbers as URIs
        }
        if (number.isEmpty()) {
            continue;
        }
        if (firstNumber.isEmpty()) {
            firstNumber = number;
        }
        const QSet<QString>& types = tel->types;
        QString* slot = &entry.mainNumber;
        if (types.contains(QStringLiteral("PREF"))) {
            slot = &entry.mainNumber;
        } else if (types.contains(QStringLiteral("FAX"))) {
            slot = &entry.faxNumber;
        } else if (types.contains(QStringLiteral("PAGER"))) {
            slot = &entry.pagerNumber;
        } else if (types.contains(QStringLiteral("CELL"))) {
            slot = &entry.mobileNumber;
        } else if (types.contains(QStringLiteral("WORK"))) {
            slot = &entry.officeNumber;
        } else if (types.contains(QStringLiteral("HOME"))) {
            slot = &entry.homeNumber;
        }
        if (slot->isEmpty()) {
            *slot = number;
        } else if (entry.mainNumber.isEmpty()) {
            entry.mainNumber = number;
        } else {
            extras << QStringLiteral("Phone: ") + number;
        }
    }
    if (entry.mainNumber.isEmpty()) {
        // The lists and the phone show the main number: a card whose numbers are all typed
        // still gets one.
        entry.mainNumber = firstNumber;
    }
    const QList<const VCardProperty*> emails = card.all(QStringLiteral("EMAIL"));
    for (qsizetype i = 0; i < emails.size(); ++i) {
        if (i == 0) {
            entry.emailAddress = emails[i]->text().trimmed();
        } else {
            extras << QStringLiteral("E-mail: ") + emails[i]->text().trimmed();
        }
    }
    entry.address = addressOf(card);
    if (const VCardProperty* note = card.first(QStringLiteral("NOTE"))) {
        entry.memo = note->text();
    }
    if (!extras.isEmpty()) {
        // Nothing of the card is lost: what has no column of its own goes into the memo.
        entry.memo +=
            (entry.memo.isEmpty() ? QString() : QStringLiteral("\n")) + extras.join(u'\n');
    }
    return incoming;
}

}  // namespace phonebook_exchange
