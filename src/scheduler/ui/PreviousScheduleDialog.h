// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <QList>

#include "phone/ScheduleEntry.h"

class QListWidget;
class QPushButton;
struct ScheduleContext;

// "Previous Schedule List": the entries whose time has passed, with "Delete" for the selected
// one and "All Delete" for every line. Escape and the close box only close it.
class PreviousScheduleDialog : public QDialog {
    Q_OBJECT

  public:
    PreviousScheduleDialog(ScheduleContext& context, QWidget* parent = nullptr);

    QListWidget* list() const { return list_; }
    QPushButton* deleteButton() const { return delete_; }
    QPushButton* allDeleteButton() const { return allDelete_; }

    void deleteSelected();
    void deleteAll();

  private:
    // Removes the entry of a line; the line goes when its entry was found and removed.
    void deleteLine(int line);

    ScheduleContext& context_;
    QList<ScheduleEntry> entries_;
    QListWidget* list_;
    QPushButton* delete_;
    QPushButton* allDelete_;
};

// Shows the list when the shown table holds an entry before the present time.
void RunPreviousScheduleCheck(ScheduleContext& context, QWidget* parent);
