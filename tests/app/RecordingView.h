// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringList>
#include <QWidget>

// A stand-in for every feature view: it has every command slot of every view and records each
// call as "<view number> <slot>(<arguments>)" in a log shared by all its instances.
class RecordingView : public QWidget {
    Q_OBJECT

  public:
    explicit RecordingView(int view) : viewNumber(view) {}
    static QStringList log;
    const int viewNumber;

  public slots:
    void newEntry() { record("newEntry"); }
    void editEntry() { record("editEntry"); }
    void copy() { record("copy"); }
    void move() { record("move"); }
    void deleteEntry() { record("deleteEntry"); }
    void deleteAll() { record("deleteAll"); }
    void reload() { record("reload"); }
    void copyToSim() { record("copyToSim"); }
    void copyToMs() { record("copyToMs"); }
    void copyToPc() { record("copyToPc"); }
    void cancelDeletion() { record("cancelDeletion"); }
    void print() { record("print"); }
    void filterSetting() { record("filterSetting"); }
    void replyMessage() { record("replyMessage"); }
    void forwardMessage() { record("forwardMessage"); }
    void resendMessage() { record("resendMessage"); }
    void newMessage() { record("newMessage"); }
    void newSchedule(int kind) { record(QString("newSchedule(%1)").arg(kind)); }
    void showTab(int tab, int sub) { record(QString("showTab(%1,%2)").arg(tab).arg(sub)); }

  private:
    void record(const QString& call) { log.append(QString("%1 %2").arg(viewNumber).arg(call)); }
};
