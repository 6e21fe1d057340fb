// SPDX-License-Identifier: GPL-3.0-or-later
#include "phonebook/ui/CPhonebookView.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QMouseEvent>
#include <QStatusBar>
#include <QVBoxLayout>

#include "controls/ListKeys.h"
#include "controls/MenuMnemonics.h"
#include "db/TableColumns.h"
#include "phone/ApplicationPhone.h"
#include "phone/DetachedPhoneLink.h"
#include "phone/PhoneLink.h"
#include "phonebook/CPCListDB.h"
#include "phonebook/PhoneMemoryTable.h"
#include "phonebook/ui/CopyAnimationDialog.h"
#include "phonebook/ui/PhonebookListWidget.h"

namespace {
bool startedOnce = false;

const char* const kListTitles[] = {"SIM", "MS", "PC"};
}  // namespace

CPhonebookView::CPhonebookView(QWidget* parent) : QWidget(parent) {
    const ApplicationPhone phone = applicationPhone();
    link_ = &applicationLinkOr(detachedLink_);
    setUp(phone.link && phone.online);
}

CPhonebookView::CPhonebookView(PhoneLink& link, bool online, QWidget* parent)
    : QWidget(parent), link_(&link) {
    setUp(online);
}

CPhonebookView::~CPhonebookView() = default;

void CPhonebookView::resetFirstStart() {
    startedOnce = false;
}

void CPhonebookView::setUp(bool online) {
    sim_ = std::make_unique<CSimViewDB>();
    ms_ = std::make_unique<CMsListDB>();
    pc_ = std::make_unique<CPCListDB>();

    auto* layout = new QHBoxLayout(this);
    for (int memory = MemorySim; memory <= MemoryPc; ++memory) {
        auto* column = new QVBoxLayout;
        auto* title = new QLabel(listTitle(memory), this);
        auto* list = new PhonebookListWidget(PhonebookMemory(memory), this);
        list->setObjectName(QStringLiteral("%1List").arg(listTitle(memory).toLower()));
        auto* total = new QLabel(this);
        total->setObjectName(QStringLiteral("%1Total").arg(listTitle(memory).toLower()));
        column->addWidget(title);
        column->addWidget(list, 1);
        column->addWidget(total);
        layout->addLayout(column, 1);
        lists_[memory] = list;
        totals_[memory] = total;

        // A phone without a phonebook of its own (SIM only) shows no column for it.
        if (memory == MemoryMs && online && link_ && !link_->phonebookOffered(1)) {
            title->hide();
            list->hide();
            total->hide();
        }
        list->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(list, &QWidget::customContextMenuRequested, this, [this, list, memory](QPoint at) {
            showContextMenu(memory, list->viewport()->mapToGlobal(at));
        });
        connect(list->horizontalHeader(), &QHeaderView::sectionClicked, this,
                [this, memory](int column) { headerClicked(memory, column); });
        // The Delete key deletes the current memory's selection, as the Delete command does;
        // Tab only passes through a list, so the list last clicked or chosen with the arrow keys
        // stays the one whose highlighted entry goes.
        connect(list, &PhonebookListWidget::deleteKeyPressed, this, [this] { deleteSelected(); });
        connect(list, &PhonebookListWidget::selectionMovedByKeys, this,
                [this, memory] { currentMemory_ = memory; });
        connect(list, &PhonebookListWidget::droppedFrom, this,
                [this](PhonebookMemory source, PhonebookMemory target) {
                    currentMemory_ = source;
                    copyTo(target);
                });
        list->viewport()->installEventFilter(this);
        onEnterKey(list, [this, memory] {
            currentMemory_ = memory;
            lastAction_ = 2;
            viewEdit();
        });
        sortHeader(memory).show(table(memory).sort());
    }

    animation_ = new CopyAnimationDialog(this);
    animation_->hide();

    const bool firstStart = !startedOnce;
    startedOnce = true;
    if (online && firstStart && link_->Identify()) {
        reload();
    }
    refillAll(lastAction_);
}

PhonebookListWidget* CPhonebookView::list(int memory) const {
    return lists_[memory];
}

QLabel* CPhonebookView::totalLabel(int memory) const {
    return totals_[memory];
}

PhonebookTable& CPhonebookView::table(int memory) const {
    switch (memory) {
        case MemorySim:
            return *sim_;
        case MemoryMs:
            return *ms_;
        default:
            return *pc_;
    }
}

PhoneMemoryTable* CPhonebookView::phoneTable(int memory) const {
    switch (memory) {
        case MemorySim:
            return sim_.get();
        case MemoryMs:
            return ms_.get();
        default:
            return nullptr;
    }
}

void CPhonebookView::refill(int memory, int selectMode) {
    lists_[memory]->fill(table(memory).RefillList(selectMode));
    if (PhoneMemoryTable* phone = phoneTable(memory)) {
        totals_[memory]->setText(phone->ShowTotal(*link_));
    } else {
        totals_[memory]->setText(pc_->ShowTotal());
    }
}

void CPhonebookView::refillAll(int selectMode) {
    for (int memory = MemorySim; memory <= MemoryPc; ++memory) {
        refill(memory, selectMode);
    }
}

QString CPhonebookView::listTitle(int memory) {
    return QString::fromLatin1(kListTitles[memory]);
}

void CPhonebookView::listClicked(int memory) {
    currentMemory_ = memory;
    for (int other = MemorySim; other <= MemoryPc; ++other) {
        if (other != memory) {
            refill(other, 3);
        }
    }
    if (lists_[memory]->selectedPositions().isEmpty()) {
        refill(memory, 3);
    }
}

SortHeader CPhonebookView::sortHeader(int memory) const {
    auto both = [](const QString& column) {
        return ColumnSort{column + QStringLiteral(" ASC"), column + QStringLiteral(" DESC")};
    };
    return SortHeader(lists_[memory]->horizontalHeader(),
                      {both(PhonebookColumns::Number), both(PhonebookColumns::Name),
                       both(PhonebookColumns::MainNumber)});
}

void CPhonebookView::headerClicked(int memory, int column) {
    const SortHeader header = sortHeader(memory);
    table(memory).setSort(header.clicked(column, table(memory).sort()));
    refill(memory, 0);
    header.show(table(memory).sort());
}

std::unique_ptr<QMenu> CPhonebookView::contextMenuFor(int memory) {
    currentMemory_ = memory;
    PhonebookListWidget* list = lists_[memory];
    const bool nothingChosen = list->focusedSelectedPosition() < 0 &&
                               (list->rowCount() == 0 || list->selectedPositions().isEmpty());

    auto menu = std::make_unique<QMenu>(QStringLiteral("Phone Book"));
    auto add = [&](const QString& text, void (CPhonebookView::*slot)(), bool enabled) {
        QAction* action = menu->addAction(text, this, slot);
        action->setEnabled(enabled);
    };
    add(QStringLiteral("New"), &CPhonebookView::newEntry, true);
    add(QStringLiteral("View/Edit "), &CPhonebookView::editEntry, !nothingChosen);
    menu->addSeparator();
    add(QStringLiteral("Copy to SIM"), &CPhonebookView::copyToSim, !nothingChosen);
    add(QStringLiteral("Copy to MS"), &CPhonebookView::copyToMs, !nothingChosen);
    add(QStringLiteral("Copy to PC"), &CPhonebookView::copyToPc, !nothingChosen);
    menu->addSeparator();
    add(QStringLiteral("Delete"), &CPhonebookView::deleteEntry, !nothingChosen);
    add(QStringLiteral("Delete All"), &CPhonebookView::deleteAll, true);
    add(QStringLiteral("Reload"), &CPhonebookView::reload, true);
    const bool deletions = memory == MemoryPc ? !pc_->deletionTable().isEmpty()
                                              : !phoneTable(memory)->deletionTable().isEmpty();
    add(QStringLiteral("Cancel Deletion"), &CPhonebookView::cancelDeletion, deletions);
    menu->addSeparator();
    add(QStringLiteral("Print"), &CPhonebookView::print, true);
    return menu;
}

void CPhonebookView::showContextMenu(int memory, const QPoint& globalPos) {
    std::unique_ptr<QMenu> menu = contextMenuFor(memory);
    addMnemonics(menu.get());
    menu->exec(globalPos);
}

bool CPhonebookView::eventFilter(QObject* watched, QEvent* event) {
    for (int memory = MemorySim; memory <= MemoryPc; ++memory) {
        if (watched != lists_[memory]->viewport()) {
            continue;
        }
        if (event->type() == QEvent::MouseButtonRelease) {
            auto* mouse = static_cast<QMouseEvent*>(event);
            if (mouse->button() == Qt::LeftButton) {
                itemSelected_ = lists_[memory]->itemAt(mouse->position().toPoint()) != nullptr;
                listClicked(memory);
            }
        } else if (event->type() == QEvent::MouseButtonDblClick) {
            auto* mouse = static_cast<QMouseEvent*>(event);
            if (mouse->button() == Qt::LeftButton) {
                // The press before it has already selected the row under the cursor.
                currentMemory_ = memory;
                lastAction_ = 2;
                viewEdit();
                return true;
            }
        }
        break;
    }
    return QWidget::eventFilter(watched, event);
}

// ---- frame ----

int CPhonebookView::runDialog(QDialog& dialog) {
    return runDialog_ ? runDialog_(dialog) : dialog.exec();
}

void CPhonebookView::setMainWindowTitle(const QString& title) {
    QWidget* frame = window();
    frame->setWindowTitle(title);
    frame->repaint();
}

void CPhonebookView::showStatus(const QString& text) {
    if (auto* frame = qobject_cast<QMainWindow*>(window())) {
        frame->statusBar()->showMessage(text);
    }
}
