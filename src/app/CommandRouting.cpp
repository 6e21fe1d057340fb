// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/CommandRouting.h"

#include <QMetaMethod>
#include <QMetaObject>
#include <QObject>

namespace {
QByteArray signatureOf(const QByteArray& slot, int argumentCount) {
    QByteArray signature = slot + '(';
    for (int i = 0; i < argumentCount; ++i) {
        signature += i == 0 ? "int" : ",int";
    }
    return signature + ')';
}
}  // namespace

bool hasCommandSlot(const QObject* target, const QByteArray& slot, int argumentCount) {
    if (!target || slot.isEmpty()) {
        return false;
    }
    const QMetaObject* meta = target->metaObject();
    const int index = meta->indexOfMethod(signatureOf(slot, argumentCount).constData());
    return index >= 0 && meta->method(index).methodType() == QMetaMethod::Slot;
}

bool commandEnabledByView(const QObject* target, const QByteArray& slot) {
    if (!target || target->metaObject()->indexOfMethod("isCommandEnabled(QByteArray)") < 0) {
        return true;
    }
    bool enabled = true;
    QMetaObject::invokeMethod(const_cast<QObject*>(target), "isCommandEnabled",
                              Qt::DirectConnection, Q_RETURN_ARG(bool, enabled),
                              Q_ARG(QByteArray, slot));
    return enabled;
}

bool invokeCommand(QObject* target, const QByteArray& slot, const QList<int>& arguments) {
    if (!hasCommandSlot(target, slot, int(arguments.size()))) {
        return false;
    }
    const char* name = slot.constData();
    switch (arguments.size()) {
        case 0:
            return QMetaObject::invokeMethod(target, name, Qt::DirectConnection);
        case 1:
            return QMetaObject::invokeMethod(target, name, Qt::DirectConnection,
                                             Q_ARG(int, arguments[0]));
        case 2:
            return QMetaObject::invokeMethod(target, name, Qt::DirectConnection,
                                             Q_ARG(int, arguments[0]), Q_ARG(int, arguments[1]));
        default:
            return false;
    }
}
