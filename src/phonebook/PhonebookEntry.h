// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>

// Memory kinds as the phonebook code numbers them.
enum PhonebookMemory { MemorySim = 0, MemoryMs = 1, MemoryPc = 2 };

// One row of the SIM or phone-memory table: the index on the phone, the name and the dial
// string (phone form when it came from the phone).
struct PhonebookEntry {
    int index = 0;
    QString name;
    QString dialString;

    bool operator==(const PhonebookEntry&) const = default;
};

// One row of the PC table.
struct PcPhonebookEntry {
    int number = 0;
    QString name;
    QString mainNumber;
    QString officeNumber;
    QString faxNumber;
    QString mobileNumber;
    QString homeNumber;
    QString pagerNumber;
    QString emailAddress;
    QString address;
    QString memo;

    bool operator==(const PcPhonebookEntry&) const = default;
};

// What a list shows: one row per table row with the three column texts ("No", "Name",
// "Phone Number", the number in display form), and the position to select (-1: none).
struct PhonebookListRow {
    QString number;
    QString name;
    QString phoneNumber;

    bool operator==(const PhonebookListRow&) const = default;
};

struct PhonebookListContents {
    QList<PhonebookListRow> rows;
    int selectedPosition = -1;
};
