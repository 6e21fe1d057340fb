// SPDX-License-Identifier: GPL-3.0-or-later
#include "sms/ui/CSmsView.h"

#include <algorithm>
#include <optional>

#include <QCheckBox>
#include <QContextMenuEvent>
#include <QCursor>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "controls/ListKeys.h"
#include "controls/MenuMnemonics.h"
#include "db/TableColumns.h"
#include "phone/ApplicationPhone.h"
#include "phone/DetachedPhoneLink.h"
#include "phone/PhoneLink.h"
#include "platform/Notice.h"
#include "platform/Progress.h"
#include "sms/CSmsDB.h"
#include "sms/ui/CAddNumberDlg.h"

namespace {
namespace C = SmsColumns;

const char* const kStatusTexts[] = {"Not Read", "Read", "Not Sent", "Sent"};
const int kColumnWidths[] = {100, 120, 395, 135, 82};

}  // namespace

CSmsView::CSmsView(QWidget* parent) : QWidget(parent) {
    const ApplicationPhone phone = applicationPhone();
    link_ = &applicationLinkOr(detachedLink_);
    online_ = phone.link && phone.online;
    setUp();
    initialUpdate();
}

CSmsView::CSmsView(PhoneLink& link, bool online, QWidget* parent)
    : QWidget(parent), link_(&link), online_(online) {
    setUp();
    initialUpdate();
}

CSmsView::~CSmsView() = default;

SortHeader CSmsView::sortHeader() const {
    auto both = [](const QString& column) {
        return ColumnSort{column + QStringLiteral(" ASC"), column + QStringLiteral(" DESC")};
    };
    return SortHeader(list_->header(), {both(C::Name), both(C::PhoneNumber), both(C::Message),
                                        both(C::Date), both(C::Number)});
}

void CSmsView::setUp() {
    store_ = std::make_unique<CSmsDB>();
    installAddNumberDialog();

    auto* boxes = new QHBoxLayout;
    for (int i = 0; i < 4; ++i) {
        auto* box = new QCheckBox(QString::fromLatin1(kStatusTexts[i]), this);
        box->setObjectName(QStringLiteral("statusBox%1").arg(1 << i));
        box->setChecked(true);
        connect(box, &QCheckBox::clicked, this, [this, box] {
            // A box just cleared takes "ALL" with it.
            if (!box->isChecked()) {
                all_->setChecked(false);
            }
            statusClicked();
        });
        statusBoxes_[i] = box;
        boxes->addWidget(box);
    }
    all_ = new QCheckBox(QStringLiteral("ALL"), this);
    all_->setObjectName(QStringLiteral("allBox"));
    all_->setChecked(true);
    connect(all_, &QCheckBox::clicked, this, &CSmsView::allClicked);
    boxes->addWidget(all_);
    boxes->addStretch(1);
    location_ = new QLabel(QStringLiteral("SIM"), this);
    location_->setObjectName(QStringLiteral("locationLabel"));
    boxes->addWidget(location_);

    list_ = new QTreeWidget(this);
    list_->setObjectName(QStringLiteral("smsList"));
    list_->setHeaderLabels({QStringLiteral("Name"), QStringLiteral("Phone Number"),
                            QStringLiteral("Message"), QStringLiteral("Time"),
                            QStringLiteral("Status")});
    for (int column = 0; column < 5; ++column) {
        list_->setColumnWidth(column, kColumnWidths[column]);
    }
    list_->setRootIsDecorated(false);
    list_->setAllColumnsShowFocus(true);
    list_->setUniformRowHeights(true);
    list_->setSelectionBehavior(QAbstractItemView::SelectRows);
    list_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    list_->setContextMenuPolicy(Qt::CustomContextMenu);
    list_->header()->setSectionsClickable(true);
    list_->installEventFilter(this);
    list_->viewport()->installEventFilter(this);
    connect(list_, &QTreeWidget::itemClicked, this,
            [this](QTreeWidgetItem* item) { clickLine(list_->indexOfTopLevelItem(item)); });
    connect(list_, &QTreeWidget::itemDoubleClicked, this, [this] { viewMessage(); });
    onEnterKey(list_, [this] { viewMessage(); });
    connect(list_, &QWidget::customContextMenuRequested, this, [this] {
        const std::unique_ptr<QMenu> menu = contextMenu();
        addMnemonics(menu.get());
        menu->exec(QCursor::pos());
    });
    connect(list_->header(), &QHeaderView::sectionClicked, this, [this](int column) {
        const SortHeader header = sortHeader();
        store_->setSort(header.clicked(column, store_->sort()));
        fillList();
        header.show(store_->sort());
    });
    sortHeader().show(store_->sort());

    auto* messageBox = new QGroupBox(QStringLiteral("Message"), this);
    preview_ = new QPlainTextEdit(messageBox);
    preview_->setObjectName(QStringLiteral("previewEdit"));
    preview_->setTabChangesFocus(true);
    preview_->setReadOnly(true);
    (new QVBoxLayout(messageBox))->addWidget(preview_);
    messageBox->setMaximumHeight(130);

    total_ = new QLabel(QStringLiteral("TOTAL : 0"), this);
    total_->setObjectName(QStringLiteral("totalLabel"));

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(boxes);
    layout->addWidget(list_, 1);
    layout->addWidget(total_);
    layout->addWidget(messageBox);

    indicationTimer_ = new QTimer(this);
    indicationTimer_->setSingleShot(true);
    connect(indicationTimer_, &QTimer::timeout, this, &CSmsView::indicationTick);
}

// The first showing in a run loads the messages; the indication check starts once a load has
// been counted, and re-arms itself from then on.
void CSmsView::initialUpdate() {
    const std::optional<MirrorOutcome> outcome =
        LoadMessagesOnce(link_, online_, *store_, currentProgress());
    if (outcome && outcome->notice) {
        showNotice(*outcome->notice);
    }
    if (appState().messagesLoaded != 0 && !indicationTimer_->isActive()) {
        indicationTimer_->start(kIndicationTimerMs);
    }
    if (!store_->IsOpen()) {
        store_->Open();
    }
    fillList();
}

void CSmsView::fillList() {
    const SmsListContents contents = store_->FillList(link_->simMessageCapacity);
    list_->clear();
    QList<QTreeWidgetItem*> items;
    for (const SmsListRow& row : contents.rows) {
        items.append(new QTreeWidgetItem(
            QStringList{row.name, row.phoneNumber, row.message, row.time, row.status}));
    }
    list_->addTopLevelItems(items);
    total_->setText(contents.total);
}

QCheckBox* CSmsView::statusBox(int bit) const {
    for (int i = 0; i < 4; ++i) {
        if (bit == 1 << i) {
            return statusBoxes_[i];
        }
    }
    return nullptr;
}

int CSmsView::selectedPosition() const {
    const QList<int> positions = selectedPositions();
    if (positions.isEmpty()) {
        return -1;
    }
    // The focused line when it is one of the selected, else the first selected.
    const int current = list_->indexOfTopLevelItem(list_->currentItem());
    return positions.contains(current) ? current : positions.first();
}

QList<int> CSmsView::selectedPositions() const {
    QList<int> positions;
    for (QTreeWidgetItem* item : list_->selectedItems()) {
        positions.append(list_->indexOfTopLevelItem(item));
    }
    std::sort(positions.begin(), positions.end());
    return positions;
}

void CSmsView::showCurrentRow() {
    location_->setText(QStringLiteral("%1 %2").arg(store_->textValue(SmsColumns::Type),
                                                   store_->textValue(SmsColumns::Number)));
    preview_->setPlainText(store_->textValue(SmsColumns::Message).remove(u'\r'));
}

void CSmsView::clickLine(int position) {
    if (position >= 0 && position < list_->topLevelItemCount() &&
        !list_->topLevelItem(position)->isSelected()) {
        list_->setCurrentItem(list_->topLevelItem(position));
    }
    const int selected = selectedPosition();
    if (selected < 0) {
        replyEnabled_ = forwardEnabled_ = resendEnabled_ = true;
        return;
    }
    if (!store_->moveTo(selected)) {
        return;
    }
    const QString status = store_->textValue(SmsColumns::Status);
    if (status.contains(QLatin1String("Read"))) {
        resendEnabled_ = false;
        replyEnabled_ = forwardEnabled_ = true;
    }
    if (status.contains(QLatin1String("Sent"))) {
        replyEnabled_ = forwardEnabled_ = false;
        resendEnabled_ = true;
    }
    showCurrentRow();
}

bool CSmsView::isCommandEnabled(const QByteArray& slot) const {
    if (slot == "replyMessage") {
        return replyEnabled_;
    }
    if (slot == "forwardMessage") {
        return forwardEnabled_;
    }
    if (slot == "resendMessage") {
        return resendEnabled_;
    }
    return true;
}

bool CSmsView::eventFilter(QObject* watched, QEvent* event) {
    // A click beside the lines clears the selection without an item click.
    if (watched == list_->viewport() && event->type() == QEvent::MouseButtonRelease &&
        !list_->itemAt(static_cast<QMouseEvent*>(event)->position().toPoint())) {
        QTimer::singleShot(0, this, [this] { clickLine(-1); });
    }
    if (watched == list_ && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Delete) {
            deleteMessage();
            return true;
        }
        if (key == Qt::Key_Up || key == Qt::Key_Down) {
            const int target = selectedPosition() + (key == Qt::Key_Up ? -1 : 1);
            if (selectedPosition() >= 0 && target >= 0 && target < list_->topLevelItemCount() &&
                store_->moveTo(target)) {
                showCurrentRow();
            }
        }
    }
    return QWidget::eventFilter(watched, event);
}

std::unique_ptr<QMenu> CSmsView::contextMenu() {
    auto menu = std::make_unique<QMenu>();
    const int selected = selectedPosition();
    QString status;
    if (selected >= 0 && store_->moveTo(selected)) {
        status = store_->textValue(SmsColumns::Status);
    }
    auto add = [&](const char* text, void (CSmsView::*slot)(), bool enabled) {
        QAction* action = menu->addAction(QString::fromLatin1(text));
        connect(action, &QAction::triggered, this, slot);
        action->setEnabled(enabled);
    };
    const bool any = selected >= 0;
    add("New", &CSmsView::newMessage, true);
    add("View", &CSmsView::viewMessage, any);
    menu->addSeparator();
    add("Reply", &CSmsView::replyMessage, any && !status.contains(QLatin1String("Sent")));
    add("Forward", &CSmsView::forwardMessage, any && !status.contains(QLatin1String("Sent")));
    add("Resend", &CSmsView::resendMessage, any && !status.contains(QLatin1String("Read")));
    menu->addSeparator();
    add("Delete", &CSmsView::deleteMessage, any);
    add("Delete All", &CSmsView::deleteAllMessages, true);
    menu->addSeparator();
    add("Reload", &CSmsView::reloadMessages, true);
    return menu;
}

void CSmsView::statusClicked() {
    int mask = 0;
    for (int i = 0; i < 4; ++i) {
        if (statusBoxes_[i]->isChecked()) {
            mask |= 1 << i;
        }
    }
    store_->setStatusMask(mask);
    fillList();
}

void CSmsView::allClicked() {
    const bool all = all_->isChecked();
    for (QCheckBox* box : statusBoxes_) {
        box->setChecked(all);
    }
    store_->setStatusMask(all ? kSmsAllStatuses : 0);
    fillList();
}
