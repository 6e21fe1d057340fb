#include "exchange/CalendarExchange.h"

#include "phone/PhoneLink.h"
#include "platform/Progress.h"

ExchangeResult exportScheduleCalendar(const QString&, bool, const QDateTime&) {
    ExchangeResult result;
    result.error = QStringLiteral("Calendar export is not available yet.");
    return result;
}

ExchangeResult importScheduleCalendar(const QString&, PhoneLink*, Progress&) {
    ExchangeResult result;
    result.error = QStringLiteral("Calendar import is not available yet.");
    return result;
}

ExchangeResult exportTodoCalendar(const QString&, const QDateTime&) {
    ExchangeResult result;
    result.error = QStringLiteral("Calendar export is not available yet.");
    return result;
}

ExchangeResult importTodoCalendar(const QString&, PhoneLink*, Progress&) {
    ExchangeResult result;
    result.error = QStringLiteral("Calendar import is not available yet.");
    return result;
}
