// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDateTime>
#include <QHash>
#include <QList>
#include <QString>

// The service-centre time stamp "yy/MM/dd,hh:mm:ss+zz" (zone in quarter hours, optional) as a
// point in time; invalid for any other text, such as a stored message's validity text.
QDateTime timeOfStamp(const QString& text);
// The stamp of a point in time, in that time's own offset.
QString stampOfTime(const QDateTime& time);

// Messages known by number and text, and by time where one is known. A message written to the
// SIM in text mode keeps no time, so a message without one matches a known one with any time,
// and the other way round; two times match when they are the same instant, whatever the zone.
class MessageIndex {
  public:
    // date: the table's Date (a time stamp, or a validity text that counts as no time).
    void add(const QString& number, const QString& date, const QString& text);
    bool contains(const QString& number, const QString& date, const QString& text) const;

  private:
    QHash<QString, QList<QDateTime>> times_;
};
