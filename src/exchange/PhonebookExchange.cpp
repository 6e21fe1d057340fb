#include "exchange/PhonebookExchange.h"

namespace {
ExchangeResult notYet() {
    ExchangeResult result;
    result.error = QStringLiteral("phonebook exchange is not available yet");
    return result;
}
}  // namespace

ExchangeResult exportPhonebookVCard(const QString&, const QList<PhonebookMemory>&) {
    return notYet();
}
ExchangeResult importPhonebookVCard(const QString&, PhonebookMemory, PhoneLink*, Progress&) {
    return notYet();
}
ExchangeResult exportPhonebookCsv(const QString&, const QList<PhonebookMemory>&) {
    return notYet();
}
ExchangeResult importPhonebookCsv(const QString&, PhonebookMemory, PhoneLink*, Progress&) {
    return notYet();
}
