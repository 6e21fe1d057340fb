#pragma once

#include <QDateTime>
#include <QString>

#include "exchange/ExchangeResult.h"

class PhoneLink;
class Progress;

// The scheduler and the to-do list as iCalendar files. Exports write the cache tables as they
// are; `stamp` is the file's DTSTAMP, so the same tables give the same bytes. Imports read
// iCalendar and vCalendar 1.0.

// A VEVENT per reminder row, or per phone_schedule row when `phoneTable` is set.
ExchangeResult exportScheduleCalendar(const QString& file, bool phoneTable, const QDateTime& stamp);
// Every readable VEVENT becomes a reminder row; while a phone answers it goes to the phone
// first, and an event the phone refuses is skipped.
ExchangeResult importScheduleCalendar(const QString& file, PhoneLink* phoneOrNull,
                                      Progress& progress);

// A VTODO per to-do item.
ExchangeResult exportTodoCalendar(const QString& file, const QDateTime& stamp);
// Every readable VTODO becomes a new to-do item, on the phone too while one answers.
ExchangeResult importTodoCalendar(const QString& file, PhoneLink* phoneOrNull, Progress& progress);
