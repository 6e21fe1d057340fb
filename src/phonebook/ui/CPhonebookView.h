// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <memory>

#include <QString>
#include <QWidget>

#include "controls/SortHeader.h"
#include "phonebook/PhonebookEntry.h"

class QLabel;
class QMenu;
class PhoneLink;
class PhonebookTable;
class PhonebookListWidget;
class PhoneMemoryTable;
class CSimViewDB;
class CMsListDB;
class CPCListDB;
class CopyAnimationDialog;

// The phonebook view: the SIM, MS and PC lists with their totals, and the phonebook commands
// (entry dialogs, copies between memories, deletion, filter, reload). It draws what the three
// tables produce and refills the lists after every command.
class CPhonebookView : public QWidget {
    Q_OBJECT
  public:
    // Takes the phone link and the on-line flag from the application object; without one the
    // view works off-line on the tables alone.
    explicit CPhonebookView(QWidget* parent = nullptr);
    // Tests hand in the link directly.
    CPhonebookView(PhoneLink& link, bool online, QWidget* parent = nullptr);
    ~CPhonebookView() override;

    int currentMemory() const { return currentMemory_; }
    void setCurrentMemory(int memory) { currentMemory_ = memory; }
    int lastAction() const { return lastAction_; }
    bool filterOn() const { return filterOn_; }
    QString nameFilterText() const { return nameFilter_; }
    QString numberFilterText() const { return numberFilter_; }

    PhonebookListWidget* list(int memory) const;
    QLabel* totalLabel(int memory) const;
    PhonebookTable& table(int memory) const;
    CopyAnimationDialog* copyAnimation() const { return animation_; }

    // The context menu of a list as it would pop up now (current memory set to that list).
    std::unique_ptr<QMenu> contextMenuFor(int memory);

    // How the view waits after a copy so that the animation is seen; tests replace it.
    void setCopyPause(std::function<void()> pause) { copyPause_ = std::move(pause); }
    // Modal dialogs run through this; tests drive the dialog instead of exec().
    void setDialogRunner(std::function<int(QDialog&)> runner) { runDialog_ = std::move(runner); }
    // Reload runs by itself only at the first start in a run.
    static void resetFirstStart();

  public slots:
    void newEntry();
    void editEntry();
    void copyToSim();
    void copyToMs();
    void copyToPc();
    void deleteEntry();
    void deleteAll();
    void reload();
    void cancelDeletion();
    void filterSetting();
    void toggleFilter();
    void print();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    SortHeader sortHeader(int memory) const;
    // "SIM", "MS" or "PC".
    static QString listTitle(int memory);
    void setUp(bool online);
    void refill(int memory, int selectMode);
    void refillAll(int selectMode);
    PhoneMemoryTable* phoneTable(int memory) const;

    void viewEdit();
    QString pcMobileAt(int index, const QString& fallback) const;
    void storeNewEntry();
    void deleteSelected();
    void copyTo(int target);
    // Loads one phone memory; false when the phone was lost and the program is to end.
    bool loadKept(PhoneMemoryTable& table);
    bool openFilterDialog();
    void listClicked(int memory);
    void headerClicked(int memory, int column);
    void showContextMenu(int memory, const QPoint& globalPos);
    void waitAfterCopy();
    int runDialog(QDialog& dialog);
    void setMainWindowTitle(const QString& title);
    void showStatus(const QString& text);

    std::unique_ptr<PhoneLink> detachedLink_;
    PhoneLink* link_;
    std::unique_ptr<CSimViewDB> sim_;
    std::unique_ptr<CMsListDB> ms_;
    std::unique_ptr<CPCListDB> pc_;
    PhonebookListWidget* lists_[3] = {};
    QLabel* totals_[3] = {};
    CopyAnimationDialog* animation_ = nullptr;

    int currentMemory_ = MemorySim;
    int lastAction_ = 0;
    bool itemSelected_ = false;
    QString nameFilter_;
    QString numberFilter_;
    bool filterOn_ = false;

    std::function<void()> copyPause_;
    std::function<int(QDialog&)> runDialog_;
};
