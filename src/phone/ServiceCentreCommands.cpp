#include "link/Transact.h"
#include "phone/PhoneLink.h"
#include "phone/PhoneSafeText.h"
#include "phone/ServiceCentreAnswers.h"

int PhoneLink::ReadServiceCentre(QString& text) {
    QString answer;
    const int code = Transact(QStringLiteral("at+csca?\r"), answer);
    if (code != kTransactComplete) {
        return code;
    }
    text = ServiceCentreText(answer);
    return code;
}

int PhoneLink::WriteServiceCentre(const QString& address) {
    if (!isPhoneSafeText(address, PhoneTextKind::Number)) {
        return kTransactFailed;  // never sent: it would not survive the command line
    }
    QString answer;
    return Transact(QString("at+csca=\"%1\"\r").arg(address), answer);
}
