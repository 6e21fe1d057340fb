#include "exchange/SmsExchange.h"

namespace {
ExchangeResult notYet() {
    ExchangeResult result;
    result.error = QStringLiteral("message exchange is not available yet");
    return result;
}
}  // namespace

ExchangeResult exportSmsCsv(const QString&) {
    return notYet();
}
ExchangeResult exportSmsXml(const QString&, const QDateTime&) {
    return notYet();
}
ExchangeResult importSmsCsv(const QString&, Progress&) {
    return notYet();
}
ExchangeResult importSmsXml(const QString&, Progress&) {
    return notYet();
}
