#include "scheduler/ui/CSchedulerView.h"

CSchedulerView::CSchedulerView(QWidget* parent) : QWidget(parent) {}

void CSchedulerView::newEntry() {}
void CSchedulerView::editEntry() {}
void CSchedulerView::copy() {}
void CSchedulerView::move() {}
void CSchedulerView::deleteEntry() {}
void CSchedulerView::deleteAll() {}
void CSchedulerView::reload() {}
void CSchedulerView::newSchedule(int) {}
void CSchedulerView::editSchedule() {}
void CSchedulerView::copySchedule() {}
void CSchedulerView::moveSchedule() {}
void CSchedulerView::deleteSchedule() {}
void CSchedulerView::deleteDaySchedule() {}
void CSchedulerView::reloadSchedule() {}
