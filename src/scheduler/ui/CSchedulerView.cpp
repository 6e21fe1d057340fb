// SPDX-License-Identifier: GPL-3.0-or-later
#include "scheduler/ui/CSchedulerView.h"

#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>

#include "phone/ApplicationPhone.h"
#include "phone/PhoneLink.h"
#include "platform/PresentTime.h"
#include "platform/Progress.h"
#include "platform/Prompter.h"
#include "scheduler/ScheduleAlarms.h"
#include "scheduler/ScheduleSync.h"
#include "scheduler/ui/AlarmDialog.h"
#include "scheduler/ui/CalendarPage.h"
#include "scheduler/ui/PreviousScheduleDialog.h"

CSchedulerView::CSchedulerView(QWidget* parent) : QWidget(parent) {
    context_.link = applicationPhone().link;
    setUp();
}

CSchedulerView::CSchedulerView(PhoneLink* link, QWidget* parent) : QWidget(parent) {
    context_.link = link;
    setUp();
}

CSchedulerView::~CSchedulerView() {
    // Removing the pages while the children go must not switch pages any more.
    if (tabs_) {
        tabs_->disconnect(this);
    }
}

void CSchedulerView::setUp() {
    phoneSchedule_ = std::make_unique<CPhoneScheduleDB>();
    reminders_ = std::make_unique<CReminderDB>();
    phoneSchedule_->Open();
    reminders_->Open();
    context_.phoneSchedule = phoneSchedule_.get();
    context_.reminders = reminders_.get();
    context_.selected = QDateTime(presentTime().date(), QTime(6, 0));

    tabs_ = new QTabWidget(this);
    tabs_->setTabPosition(QTabWidget::South);
    const char* const captions[] = {"   Daily", "   Weekly", "   Monthly"};
    for (int number = 0; number < 3; ++number) {
        pages_[number] = new CalendarPage(static_cast<CalendarPage::Kind>(number), context_, tabs_);
        tabs_->addTab(pages_[number], QString::fromLatin1(captions[number]));
    }
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(tabs_);
    connect(tabs_, &QTabWidget::currentChanged, this, &CSchedulerView::pageChanged);
}

int CSchedulerView::currentPage() const {
    return shown_;
}

CalendarPage* CSchedulerView::page(int number) const {
    return number >= 0 && number < 3 ? pages_[number] : nullptr;
}

CalendarPage* CSchedulerView::shownPage() const {
    return pages_[shown_];
}

void CSchedulerView::pageChanged(int index) {
    if (index < 0 || index >= 3 || index == shown_) {
        return;
    }
    const QDate date = pages_[shown_]->chosenDate();
    shown_ = index;
    pages_[index]->setChosenDate(date);
    pages_[index]->redraw();
    pages_[index]->grid()->setFocus();
}

void CSchedulerView::newEntry() {
    newSchedule(ScheduleReminder);
}
void CSchedulerView::editEntry() {
    shownPage()->editEntry();
}
void CSchedulerView::copy() {
    shownPage()->copyEntry();
}
void CSchedulerView::move() {
    shownPage()->moveEntry();
}
void CSchedulerView::deleteEntry() {
    shownPage()->deleteEntry();
}
void CSchedulerView::deleteAll() {
    shownPage()->deleteDay();
}
void CSchedulerView::reload() {
    reloadSchedule();
}
void CSchedulerView::newSchedule(int kind) {
    if (kind >= ScheduleReminder && kind <= ScheduleBirthday) {
        shownPage()->newEntry(kind);
    }
}
void CSchedulerView::editSchedule() {
    editEntry();
}
void CSchedulerView::copySchedule() {
    copy();
}
void CSchedulerView::moveSchedule() {
    move();
}
void CSchedulerView::deleteSchedule() {
    deleteEntry();
}
void CSchedulerView::deleteDaySchedule() {
    deleteAll();
}

void CSchedulerView::reloadSchedule() {
    if (!context_.link) {
        showNotice(offLineNotice());
        return;
    }
    const MirrorOutcome outcome =
        ReloadSchedule(*context_.link, currentProgress(), *phoneSchedule_);
    if (outcome.notice) {
        showNotice(*outcome.notice);
    }
    shownPage()->redraw();
}

void CSchedulerView::runPreviousScheduleCheck() {
    RunPreviousScheduleCheck(context_, this);
    shownPage()->redraw();
}

void RunSchedulerAlarmCheck(PhoneLink* link, QWidget* parent) {
    if (link && link->phoneFound) {
        return;
    }
    CReminderDB reminders;
    reminders.Open();
    RunAlarmCheck(link, reminders, presentTime(),
                  [parent](const QString& title, const QString& message) {
                      AlarmDialog dialog(title, message, parent);
                      dialog.exec();
                  });
}
