#include "phonebook/ui/CPhonebookView.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QMouseEvent>
#include <QStatusBar>
#include <QTimer>
#include <QVBoxLayout>

#include "phone/ApplicationPhone.h"
#include "phone/DetachedPhoneLink.h"
#include "phone/PhoneLink.h"
#include "phonebook/CPCListDB.h"
#include "phonebook/PhoneMemoryTable.h"
#include "phonebook/PhonebookCopy.h"
#include "phonebook/PhonebookEntryRules.h"
#include "phonebook/ui/CopyAnimationDialog.h"
#include "phonebook/ui/FilterSettingDialog.h"
#include "phonebook/ui/PhonebookEntryDialog.h"
#include "phonebook/ui/PhonebookListWidget.h"
#include "phonebook/ui/PrintPhonebooks.h"
#include "phonebook/ui/PrintTableFromView.h"
#include "platform/Prompter.h"

namespace {
bool startedOnce = false;

// A port number beyond any serial port: the link stays closed without touching a device.
constexpr int kCopyPauseMs = 1500;

const char* const kListTitles[] = {"SIM", "MS", "PC"};

// Plays the copy animation with the names of the two phonebooks while items go.
class AnimationObserver : public PhonebookCopyObserver {
  public:
    explicit AnimationObserver(CopyAnimationDialog& animation) : animation_(animation) {}
    void copyStarted(const QString& sourceName, const QString& targetName) override {
        animation_.setNames(sourceName, targetName);
        animation_.start();
    }
    void itemCopied(const QString& sourceName, const QString& targetName) override {
        animation_.setNames(sourceName, targetName);
    }

  private:
    CopyAnimationDialog& animation_;
};

void warn(const QString& text) {
    showMessage(text, QStringLiteral("Warning"), PromptIcon::Warning);
}

PcPhonebookEntry pcEntryOf(const PhonebookEntryValues& values, const QString& mobileNumber) {
    PcPhonebookEntry entry;
    entry.number = int(values.index);
    entry.name = values.name;
    entry.mainNumber = values.dialString;
    entry.officeNumber = values.office;
    entry.faxNumber = values.fax;
    entry.mobileNumber = mobileNumber;
    entry.homeNumber = values.home;
    entry.pagerNumber = values.pager;
    entry.emailAddress = values.email;
    entry.address = values.address;
    entry.memo = values.memo;
    return entry;
}

PhonebookEntryValues valuesOf(const PcPhonebookEntry& entry) {
    PhonebookEntryValues values;
    values.index = entry.number;
    values.name = entry.name;
    values.dialString = entry.mainNumber;
    values.memory = MemoryPc;
    values.office = entry.officeNumber;
    values.pager = entry.pagerNumber;
    values.fax = entry.faxNumber;
    values.home = entry.homeNumber;
    values.email = entry.emailAddress;
    values.address = entry.address;
    values.memo = entry.memo;
    return values;
}
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
        auto* title = new QLabel(QString::fromLatin1(kListTitles[memory]), this);
        auto* list = new PhonebookListWidget(PhonebookMemory(memory), this);
        list->setObjectName(
            QStringLiteral("%1List").arg(QString::fromLatin1(kListTitles[memory]).toLower()));
        auto* total = new QLabel(this);
        total->setObjectName(
            QStringLiteral("%1Total").arg(QString::fromLatin1(kListTitles[memory]).toLower()));
        column->addWidget(title);
        column->addWidget(list, 1);
        column->addWidget(total);
        layout->addLayout(column, 1);
        lists_[memory] = list;
        totals_[memory] = total;

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

// ---- entries ----

void CPhonebookView::newEntry() {
    lastAction_ = 1;
    storeNewEntry();
}

void CPhonebookView::editEntry() {
    lastAction_ = 2;
    if (lists_[currentMemory_]->focusedSelectedPosition() < 0) {
        warn(QStringLiteral("You must select phone book item to view the data"));
        return;
    }
    viewEdit();
}

void CPhonebookView::storeNewEntry() {
    if (currentMemory_ == MemorySim && link_->simPhonebookCapacity < sim_->FirstFreeIndex()) {
        warn(QStringLiteral(
            "You can not enter more data to SIM PB due to the maximum capacity excess!"));
        return;
    }
    if (currentMemory_ == MemoryMs && link_->mePhonebookCapacity < ms_->FirstFreeIndex()) {
        warn(QStringLiteral(
            "You can not enter more data to MS PB due to the maximum capacity excess!"));
        return;
    }

    PhonebookEntryDialog::Context context;
    context.simCapacity = link_->simPhonebookCapacity;
    context.msCapacity = link_->mePhonebookCapacity;
    context.firstFreeIndex = [this](int memory) { return table(memory).FirstFreeIndex(); };
    PhonebookEntryDialog dialog(PhonebookEntryDialog::Kind::New, context, this);
    dialog.setMemory(currentMemory_);
    if (runDialog(dialog) != QDialog::Accepted) {
        return;
    }
    const PhonebookEntryValues values = dialog.values();
    const int index = int(values.index);
    switch (values.memory) {
        case MemorySim:
            sim_->StoreNewEntry(*link_, index, values.name, values.dialString, 0);
            refill(MemorySim, lastAction_);
            break;
        case MemoryMs:
            ms_->StoreNewEntry(*link_, index, values.name, values.dialString, 2);
            refill(MemoryMs, lastAction_);
            break;
        default:
            pc_->StoreNewEntry(pcEntryOf(values, pcMobileAt(index, QString())));
            refill(MemoryPc, lastAction_);
            break;
    }
}

void CPhonebookView::viewEdit() {
    const int position = lists_[currentMemory_]->focusedSelectedPosition();
    if (position < 0) {
        storeNewEntry();
        return;
    }

    PhonebookEntryValues stored;
    PcPhonebookEntry storedPc;
    if (PhoneMemoryTable* phone = phoneTable(currentMemory_)) {
        const PhonebookEntry entry = phone->entryAt(position);
        stored.index = entry.index;
        stored.name = entry.name;
        stored.dialString = entry.dialString;
        stored.memory = currentMemory_;
    } else {
        storedPc = pc_->entryAt(position);
        stored = valuesOf(storedPc);
    }

    PhonebookEntryDialog::Context context;
    context.simCapacity = link_->simPhonebookCapacity;
    context.msCapacity = link_->mePhonebookCapacity;
    PhonebookEntryDialog dialog(PhonebookEntryDialog::Kind::Edit, context, this);
    dialog.setValues(stored);
    if (runDialog(dialog) != QDialog::Accepted || !dialog.changed()) {
        return;
    }
    const PhonebookEntryValues values = dialog.values();
    const int index = int(values.index);
    if (PhoneMemoryTable* phone = phoneTable(currentMemory_)) {
        phone->StoreEditedEntry(*link_, index, values.name, values.dialString);
        refill(currentMemory_, lastAction_);
        return;
    }

    const QString keptMobile = index == storedPc.number ? storedPc.mobileNumber : QString();
    pc_->StoreEditedEntry(pcEntryOf(values, pcMobileAt(index, keptMobile)));
    refill(MemoryPc, lastAction_);
}

QString CPhonebookView::pcMobileAt(int index, const QString& fallback) const {
    // The dialogs have no mobile number field: rewriting a row keeps the one it holds.
    const int position = pc_->positionOfIndex(index);
    return position >= 0 ? pc_->entryAt(position).mobileNumber : fallback;
}

// ---- deletion ----

void CPhonebookView::deleteEntry() {
    lastAction_ = 3;
    deleteSelected();
}

void CPhonebookView::deleteSelected() {
    const QList<int> positions = lists_[currentMemory_]->selectedPositions();
    if (PhoneMemoryTable* phone = phoneTable(currentMemory_)) {
        phone->DeleteSelected(*link_, positions);
    } else {
        pc_->DeleteSelected(positions);
    }
    refill(currentMemory_, lastAction_);
}

void CPhonebookView::deleteAll() {
    const QString text = QStringLiteral("Do you want to delete all %1 data of phone book ?")
                             .arg(QString::fromLatin1(kListTitles[currentMemory_]));
    if (askQuestion(text, QStringLiteral("Delete All")) != PromptAnswer::Yes) {
        return;
    }
    if (PhoneMemoryTable* phone = phoneTable(currentMemory_)) {
        phone->DeleteAll(*link_);
    } else {
        pc_->DeleteAll();
    }
    refill(currentMemory_, lastAction_);
}

void CPhonebookView::cancelDeletion() {
    if (PhoneMemoryTable* phone = phoneTable(currentMemory_)) {
        phone->RestoreDeleted(*link_);
    } else {
        pc_->RestoreDeleted();
    }
    refill(currentMemory_, lastAction_);
}

// ---- copies ----

void CPhonebookView::copyToSim() {
    copyTo(MemorySim);
}

void CPhonebookView::copyToMs() {
    copyTo(MemoryMs);
}

void CPhonebookView::copyToPc() {
    copyTo(MemoryPc);
}

void CPhonebookView::copyTo(int target) {
    const auto source = PhonebookMemory(currentMemory_);
    PhonebookListWidget* sourceList = lists_[source];
    QList<PhonebookListRow> items;
    for (int position : sourceList->selectedPositions()) {
        items.append(sourceList->rowTexts(position));
    }

    AnimationObserver observer(*animation_);
    PhonebookCopy copy(*sim_, *ms_, *pc_);
    copy.setObserver(&observer);
    const PhonebookCopyResult result = copy.run(link_, source, PhonebookMemory(target), items);
    switch (result.end) {
        case PhonebookCopyEnd::NothingToCopy:
            return;
        case PhonebookCopyEnd::TargetFull:
        case PhonebookCopyEnd::UnsafeText:
            break;
        case PhonebookCopyEnd::PhoneLost:
            showMessage(result.message->text, result.message->caption, result.message->icon);
            animation_->stop();
            setMainWindowTitle(QStringLiteral("Quillon Dexmoro - Out of Service"));
            refill(target, lastAction_);
            return;
        case PhonebookCopyEnd::Copied:
            waitAfterCopy();
            animation_->stop();
            refill(target, lastAction_);
            break;
    }
    showMessage(result.message->text, result.message->caption, result.message->icon);
}

void CPhonebookView::waitAfterCopy() {
    if (copyPause_) {
        copyPause_();
        return;
    }
    // Paint and timer events go on (the animation keeps moving); input waits.
    QEventLoop loop;
    QTimer::singleShot(kCopyPauseMs, &loop, &QEventLoop::quit);
    loop.exec(QEventLoop::ExcludeUserInputEvents);
}

// ---- reload and filter ----

void CPhonebookView::reload() {
    if (link_->Identify()) {
        link_->QueryCapacities();
        if (sim_->LoadFromPhone(*link_) == PhonebookLoadResult::PhoneLost ||
            ms_->LoadFromPhone(*link_) == PhonebookLoadResult::PhoneLost) {
            // The phone went away in the middle of a load: the program ends.
            QMetaObject::invokeMethod(QCoreApplication::instance(), &QCoreApplication::quit,
                                      Qt::QueuedConnection);
        }
    } else {
        showMessage(QStringLiteral("Now is Off line"), QStringLiteral("Load"), PromptIcon::Error);
    }
    refillAll(lastAction_);
}

bool CPhonebookView::openFilterDialog() {
    FilterSettingDialog dialog(nameFilter_, numberFilter_, this);
    if (runDialog(dialog) != QDialog::Accepted) {
        return false;
    }
    nameFilter_ = dialog.nameText();
    numberFilter_ = dialog.numberText();
    return true;
}

void CPhonebookView::filterSetting() {
    openFilterDialog();
    showStatus(QStringLiteral("Name(%1),PhoneNumber(%2) Setted").arg(nameFilter_, numberFilter_));
}

void CPhonebookView::toggleFilter() {
    filterOn_ = !filterOn_;
    QString nameText;
    QString numberText;
    if (filterOn_) {
        if (nameFilter_.isEmpty() && numberFilter_.isEmpty()) {
            const PromptAnswer answer = askQuestion(
                QStringLiteral("You have to set the filter setting first. Do you want to set the "
                               "filter now?"),
                QStringLiteral("No Filter Setting"), PromptButtons::OkCancel,
                PromptIcon::Information);
            if (answer != PromptAnswer::Ok || !openFilterDialog()) {
                filterOn_ = !filterOn_;
                return;
            }
        }
        nameText = nameFilter_;
        numberText = numberFilter_;
    }
    for (int memory = MemorySim; memory <= MemoryPc; ++memory) {
        table(memory).SetFilterStrings(nameText, numberText);
    }
    refillAll(lastAction_);
}

void CPhonebookView::print() {
    printPhonebooks(window(), phonebookPrintTableFromList(MemorySim, *lists_[MemorySim]),
                    phonebookPrintTableFromList(MemoryMs, *lists_[MemoryMs]),
                    phonebookPrintTableFromList(MemoryPc, *lists_[MemoryPc]));
}

// ---- list events ----

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

void CPhonebookView::headerClicked(int memory, int column) {
    table(memory).ToggleSort(column);
    refill(memory, 0);
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
