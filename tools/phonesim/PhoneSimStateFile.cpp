// SPDX-License-Identifier: GPL-3.0-or-later
#include "phonesim/PhoneSimStateFile.h"

#include <QFile>
#include <QJsonDocument>
#include <QSaveFile>

bool loadPhoneSimState(const QString& path, PhoneSimState* state, QString* error) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = QStringLiteral("cannot read %1: %2").arg(path, file.errorString());
        return false;
    }
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(file.readAll(), &parseError);
    if (parseError.error != QJsonParseError::NoError || !document.isObject()) {
        if (error)
            *error = QStringLiteral("%1 holds no JSON object: %2")
                         .arg(path, parseError.error != QJsonParseError::NoError
                                        ? parseError.errorString()
                                        : QStringLiteral("not an object"));
        return false;
    }
    *state = PhoneSimState::fromJson(document.object());
    return true;
}

bool savePhoneSimState(const QString& path, const PhoneSimState& state, QString* error) {
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly)) {
        file.write(QJsonDocument(state.toJson()).toJson(QJsonDocument::Indented));
        if (file.commit())
            return true;
    }
    if (error)
        *error = QStringLiteral("cannot write %1: %2").arg(path, file.errorString());
    return false;
}
