// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "scheduler/ScheduleCalendar.h"
#include "scheduler/ScheduleLeadTime.h"
#include "scheduler/ScheduleTestEntries.h"

namespace {

const QDateTime kMorningOf4March(QDate(2001, 3, 4), QTime(8, 0));

QStringList texts(const QList<CalendarCell>& cells) {
    QStringList out;
    for (const CalendarCell& cell : cells) {
        out << QStringLiteral("%1,%2:%3").arg(cell.row).arg(cell.column).arg(cell.text);
    }
    return out;
}

}  // namespace

TEST(ScheduleLeadTime, RingTimeIsTheEntryTimeLessTheLead) {
    const QDateTime nineThirty(QDate(2001, 3, 3), QTime(9, 30, 42));
    EXPECT_EQ(alarmTimeFor(nineThirty, 0), QTime(9, 30));
    EXPECT_EQ(alarmTimeFor(nineThirty, 1), QTime(9, 25));
    EXPECT_EQ(alarmTimeFor(nineThirty, 2), QTime(9, 20));
    EXPECT_EQ(alarmTimeFor(nineThirty, 3), QTime(9, 0));
    EXPECT_EQ(alarmTimeFor(nineThirty, 4), QTime(8, 30));
    // Before midnight: the clock time of the previous day.
    EXPECT_EQ(alarmTimeFor(QDateTime(QDate(2001, 3, 3), QTime(0, 10)), 3), QTime(23, 40));
}

TEST(ScheduleLeadTime, StoredRingTimeGivesBackItsItem) {
    EXPECT_EQ(recoverLeadTimeItem(9, 30, 9, 30), 0);
    EXPECT_EQ(recoverLeadTimeItem(9, 30, 9, 25), 1);
    EXPECT_EQ(recoverLeadTimeItem(9, 30, 9, 20), 2);
    EXPECT_EQ(recoverLeadTimeItem(9, 30, 9, 0), 3);
    EXPECT_EQ(recoverLeadTimeItem(10, 0, 9, 0), 4);
    EXPECT_EQ(recoverLeadTimeItem(0, 10, 23, 40), 3);
    EXPECT_EQ(recoverLeadTimeItem(0, 30, 23, 30), 4);
    EXPECT_EQ(recoverLeadTimeItem(0, 3, 23, 58), 1);
}

TEST(ScheduleLeadTime, RingTimeNoItemGivesLeavesTheListAlone) {
    // Set elsewhere: keeping it unchosen keeps the stored ring time on OK.
    EXPECT_EQ(recoverLeadTimeItem(11, 0, 9, 0), -1);
    EXPECT_EQ(recoverLeadTimeItem(10, 5, 9, 0), -1);
    EXPECT_EQ(recoverLeadTimeItem(10, 0, 0, 0), -1);  // no alarm on the phone
    EXPECT_EQ(recoverLeadTimeItem(9, 0, 9, 30), -1);
}

TEST(ScheduleCalendar, HourRowsRunFromSixToFiveOfTheNextDay) {
    EXPECT_EQ(hourRowLabel(1), "6 : 00  ");
    EXPECT_EQ(hourRowLabel(18), "23 : 00  ");
    EXPECT_EQ(hourRowLabel(19), "0 : 00  ");
    EXPECT_EQ(hourRowLabel(24), "5 : 00  ");
    const QDate day(2001, 3, 4);
    EXPECT_EQ(hourRowTime(day, 1), QDateTime(day, QTime(6, 0)));
    EXPECT_EQ(hourRowTime(day, 18), QDateTime(day, QTime(23, 0)));
    EXPECT_EQ(hourRowTime(day, 19), QDateTime(QDate(2001, 3, 5), QTime(0, 0)));
    EXPECT_EQ(hourRowTime(day, 22), QDateTime(QDate(2001, 3, 5), QTime(3, 0)));
}

TEST(ScheduleCalendar, EarlyHoursShowOnThePageOfTheDayBefore) {
    const ScheduleEntry early = scheduleEntry(-1, ScheduleMeeting, 2001, 3, 5, 3, 15, "Early");
    EXPECT_EQ(texts(dailyCells({early}, QDate(2001, 3, 4), kMorningOf4March)),
              QStringList{"22,1:(M)Early"});
    EXPECT_TRUE(dailyCells({early}, QDate(2001, 3, 5), kMorningOf4March).isEmpty());
    EXPECT_EQ(hourRowLabel(22), "3 : 00  ");
    // Six o'clock belongs to its own day.
    const ScheduleEntry six = scheduleEntry(-1, ScheduleCall, 2001, 3, 5, 6, 0, "0123");
    EXPECT_TRUE(dailyCells({six}, QDate(2001, 3, 4), kMorningOf4March).isEmpty());
    EXPECT_EQ(texts(dailyCells({six}, QDate(2001, 3, 5), kMorningOf4March)),
              QStringList{"1,1:(C)0123"});
}

TEST(ScheduleCalendar, SameHourEntriesShareTheirRow) {
    const QList<ScheduleEntry> entries = {
        scheduleEntry(-1, ScheduleReminder, 2001, 3, 4, 9, 0, "Dentist"),
        scheduleEntry(-1, ScheduleMeeting, 2001, 3, 4, 9, 45, "Budget"),
        scheduleEntry(-1, ScheduleBirthday, 2001, 3, 4, 12, 0, "Ann")};
    EXPECT_EQ(texts(dailyCells(entries, QDate(2001, 3, 4), kMorningOf4March)),
              (QStringList{"4,1:(R)Dentist,   (M)Budget", "7,1:(B)Ann"}));
}

TEST(ScheduleCalendar, PastEntriesAreMarkedGrey) {
    const QList<ScheduleEntry> entries = {
        scheduleEntry(-1, ScheduleReminder, 2001, 3, 4, 7, 59, "Gone"),
        scheduleEntry(-1, ScheduleReminder, 2001, 3, 4, 8, 0, "Now"),
        scheduleEntry(-1, ScheduleReminder, 2001, 3, 4, 15, 0, "Later")};
    const QList<CalendarCell> cells = dailyCells(entries, QDate(2001, 3, 4), kMorningOf4March);
    ASSERT_EQ(cells.size(), 3);
    EXPECT_TRUE(cells[0].past);
    EXPECT_FALSE(cells[1].past);
    EXPECT_FALSE(cells[2].past);
}

TEST(ScheduleCalendar, WeekColumnsStartOnSundayAndJoinWithDots) {
    // 4 March 2001 was a Sunday.
    EXPECT_EQ(weekStart(QDate(2001, 3, 7)), QDate(2001, 3, 4));
    EXPECT_EQ(weekStart(QDate(2001, 3, 4)), QDate(2001, 3, 4));
    EXPECT_EQ(weekStart(QDate(2001, 3, 10)), QDate(2001, 3, 4));
    const QList<ScheduleEntry> entries = {
        scheduleEntry(-1, ScheduleReminder, 2001, 3, 10, 9, 0, "Short"),
        scheduleEntry(-1, ScheduleReminder, 2001, 3, 10, 9, 30, "Second"),
        scheduleEntry(-1, ScheduleMeeting, 2001, 3, 6, 10, 0, "A long meeting title"),
        scheduleEntry(-1, ScheduleMeeting, 2001, 3, 6, 10, 5, "B"),
        scheduleEntry(-1, ScheduleReminder, 2001, 3, 11, 2, 0, "Night"),
        scheduleEntry(-1, ScheduleReminder, 2001, 3, 3, 9, 0, "Other week")};
    EXPECT_EQ(texts(weeklyCells(entries, QDate(2001, 3, 7), kMorningOf4March)),
              (QStringList{"5,3:(M)A long meet....   (M)B", "4,7:(R)Short....   (R)Second",
                           "21,7:(R)Night"}));
}

TEST(ScheduleCalendar, MonthGridPlacesDaysByWeekday) {
    // March 2001 begins on a Thursday.
    int row = -1;
    int column = -1;
    monthlyDayCell(QDate(2001, 3, 1), &row, &column);
    EXPECT_EQ(std::pair(row, column), std::pair(0, 4));
    monthlyDayCell(QDate(2001, 3, 3), &row, &column);
    EXPECT_EQ(std::pair(row, column), std::pair(0, 6));
    monthlyDayCell(QDate(2001, 3, 4), &row, &column);
    EXPECT_EQ(std::pair(row, column), std::pair(2, 0));
    monthlyDayCell(QDate(2001, 3, 31), &row, &column);
    EXPECT_EQ(std::pair(row, column), std::pair(8, 6));
    EXPECT_EQ(monthlyCellDay(QDate(2001, 3, 15), 3, 0), QDate(2001, 3, 4));
    EXPECT_EQ(monthlyCellDay(QDate(2001, 3, 15), 0, 3), QDate());
    EXPECT_EQ(monthlyCellDay(QDate(2001, 3, 15), 10, 0), QDate());
    // A month that needs six weeks: September 2001 begins on a Saturday.
    monthlyDayCell(QDate(2001, 9, 30), &row, &column);
    EXPECT_EQ(std::pair(row, column), std::pair(10, 0));
}

TEST(ScheduleCalendar, MonthCellHoldsOneEntryPerLine) {
    const QList<ScheduleEntry> entries = {
        scheduleEntry(-1, ScheduleReminder, 2001, 3, 7, 23, 0, "Late"),
        scheduleEntry(-1, ScheduleReminder, 2001, 3, 7, 2, 0, "Early"),
        scheduleEntry(-1, ScheduleMeeting, 2001, 3, 7, 9, 0, "Quarterly planning review"),
        scheduleEntry(-1, ScheduleMeeting, 2001, 4, 7, 9, 0, "April")};
    const QList<CalendarCell> cells = monthlyCells(entries, QDate(2001, 3, 20));
    ASSERT_EQ(cells.size(), 1);
    EXPECT_EQ(cells[0].row, 3);
    EXPECT_EQ(cells[0].column, 3);
    EXPECT_EQ(cells[0].text, "(R)Late\n(R)Early\n(M)Quarterly p....");
    EXPECT_EQ(cells[0].fullText, "(R)Late\n(R)Early\n(M)Quarterly planning review");
    for (const QString& line : cells[0].text.split('\n')) {
        EXPECT_LE(line.size(), kMonthlyLineChars);
    }
}
