// SPDX-License-Identifier: GPL-3.0-or-later
#include "print/PrintPhonebookTexts.h"

QString phonebookPrintTitle(int memory) {
    switch (memory) {
        case 1:
            return QStringLiteral("This is the Ms Data of PhoneBook\r\n");
        case 2:
            return QStringLiteral("This is the Pc Data of PhoneBook\r\n");
        default:
            return QStringLiteral("This is the Sim Data of PhoneBook\r\n");
    }
}

QString phonebookPrintFooter() {
    return QStringLiteral("QUILLON DEXMORO\r\n");
}

QList<PrintColumn> phonebookPrintColumns() {
    return {
        {50, Qt::AlignLeft, QStringLiteral("No")},
        {90, Qt::AlignLeft, QStringLiteral("Name")},
        {116, Qt::AlignLeft, QStringLiteral("Phone Number")},
    };
}

PrintTable phonebookPrintTable(int memory, const QList<QStringList>& rows) {
    return PrintTable{phonebookPrintTitle(memory), phonebookPrintFooter(), phonebookPrintColumns(),
                      rows};
}
