#include "link/Transact.h"
#include "phone/PhoneLink.h"

int PhoneLink::ReadServiceCentre(QString& text) {
    QString answer;
    const int code = Transact(QStringLiteral("at+csca?\r"), answer);
    if (code != kTransactComplete) {
        return code;
    }
    const QString marker = QStringLiteral("+CSCA: ");
    const qsizetype at = answer.indexOf(marker);
    text = at >= 0 ? answer.mid(at + marker.size()) : QString();
    return code;
}

int PhoneLink::WriteServiceCentre(const QString& address) {
    QString answer;
    return Transact(QString("at+csca=\"%1\"\r").arg(address), answer);
}
