#include "controls/GfxOutBarCtrl.h"

#include <QCursor>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOption>
#include <QTimer>

#include <algorithm>

const QColor CGfxOutBarCtrl::kBackColour(70, 70, 123);

namespace {

constexpr int kArrowMargin = 4;
constexpr int kLargeLabelMaxHeight = 10000;

}  // namespace

CGfxOutBarCtrl::CGfxOutBarCtrl(QWidget* parent, int flags)
    : QWidget(parent),
      flags_(flags),
      hoverTimer_(new QTimer(this)),
      arrowTimer_(new QTimer(this)),
      animationTimer_(new QTimer(this)) {
    font_ = labelFont();
    setFont(font_);
    setMouseTracking(true);
    setFocusPolicy(Qt::ClickFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);

    hoverTimer_->setInterval(kHoverCheckInterval);
    connect(hoverTimer_, &QTimer::timeout, this, &CGfxOutBarCtrl::hoverTimerTick);
    arrowTimer_->setInterval(kArrowRepeatInterval);
    connect(arrowTimer_, &QTimer::timeout, this, &CGfxOutBarCtrl::arrowTimerTick);
    animationTimer_->setInterval(animationDelay_);
    connect(animationTimer_, &QTimer::timeout, this, [this] { advanceAnimation(); });
}

CGfxOutBarCtrl::~CGfxOutBarCtrl() = default;

QFont CGfxOutBarCtrl::labelFont() {
    QFont font(QStringLiteral("Arial"));
    // Metric-compatible stand-ins keep the labels' widths where Arial itself is missing;
    // a generic sans font would be wider and cut "Cancel Delete" at the bar's width.
    font.setFamilies(
        {QStringLiteral("Arial"), QStringLiteral("Liberation Sans"), QStringLiteral("Arimo")});
    font.setStyleHint(QFont::SansSerif);
    font.setWeight(QFont::Normal);
    // The height names the whole character cell, not the em: take the largest pixel size
    // whose cell still fits.
    int pixels = kFontHeight;
    font.setPixelSize(pixels);
    while (pixels > 1 && QFontMetrics(font).height() > kFontHeight) {
        font.setPixelSize(--pixels);
    }
    return font;
}

// ---------------------------------------------------------------- content

int CGfxOutBarCtrl::addFolder(const QString& name, int data) {
    Folder folder;
    folder.name = name;
    folder.data = data;
    folders_.append(folder);
    update();
    return int(folders_.size()) - 1;
}

int CGfxOutBarCtrl::insertItem(int folder, int position, const QString& label, int image,
                               int data) {
    if (folder < 0 || folder >= folders_.size()) {
        return -1;
    }
    auto& items = folders_[folder].items;
    if (position < 0 || position > items.size()) {
        position = int(items.size());
    }
    items.insert(position, Item{label, image, data});
    if (folder == selectedFolder_) {
        update();
    }
    return position;
}

void CGfxOutBarCtrl::removeFolder(int position) {
    if (position < 0 || position >= folders_.size()) {
        return;
    }
    finishAnimation();
    cancelLabelEdit();
    endTracking();
    if (QWidget* child = folders_[position].child) {
        child->hide();
    }
    folders_.removeAt(position);
    if (selectedFolder_ == position) {
        firstVisibleItem_ = 0;
    }
    if (selectedFolder_ >= position) {
        selectedFolder_ = std::max(selectedFolder_ - 1, folders_.isEmpty() ? -1 : 0);
    }
    setHover(-1, -1);
    placeChildren();
    update();
    emit folderRemoved(position);
}

void CGfxOutBarCtrl::removeItem(int position) {
    if (selectedFolder_ < 0 || selectedFolder_ >= folders_.size()) {
        return;
    }
    auto& items = folders_[selectedFolder_].items;
    if (position < 0 || position >= items.size()) {
        return;
    }
    cancelLabelEdit();
    endTracking();
    items.removeAt(position);
    firstVisibleItem_ = std::clamp(firstVisibleItem_, 0, std::max(0, int(items.size()) - 1));
    setHover(hoverHeader_, -1);
    update(itemAreaRect());
    emit itemRemoved(position);
}

int CGfxOutBarCtrl::folderCount() const {
    return int(folders_.size());
}

QString CGfxOutBarCtrl::folderText(int folder) const {
    return folder >= 0 && folder < folders_.size() ? folders_[folder].name : QString();
}

int CGfxOutBarCtrl::folderData(int folder) const {
    return folder >= 0 && folder < folders_.size() ? folders_[folder].data : 0;
}

int CGfxOutBarCtrl::itemCount(int folder) const {
    return folder >= 0 && folder < folders_.size() ? int(folders_[folder].items.size()) : 0;
}

QString CGfxOutBarCtrl::itemText(int folder, int item) const {
    if (item < 0 || item >= itemCount(folder)) {
        return {};
    }
    return folders_[folder].items[item].label;
}

int CGfxOutBarCtrl::itemData(int folder, int item) const {
    if (item < 0 || item >= itemCount(folder)) {
        return 0;
    }
    return folders_[folder].items[item].data;
}

int CGfxOutBarCtrl::itemImage(int folder, int item) const {
    if (item < 0 || item >= itemCount(folder)) {
        return 0;
    }
    return folders_[folder].items[item].image;
}

void CGfxOutBarCtrl::setFolderText(int folder, const QString& name) {
    if (folder < 0 || folder >= folders_.size()) {
        return;
    }
    folders_[folder].name = name;
    update(folderHeaderRect(folder));
}

void CGfxOutBarCtrl::setItemText(int item, const QString& label) {
    if (item < 0 || item >= itemCount(selectedFolder_)) {
        return;
    }
    folders_[selectedFolder_].items[item].label = label;
    update(itemAreaRect());
}

OutBarImageList CGfxOutBarCtrl::setImageList(const OutBarImageList& list, ImageListKind kind) {
    OutBarImageList& slot = kind == LargeImages ? defaultLarge_ : defaultSmall_;
    OutBarImageList previous = slot;
    slot = list;
    update();
    return previous;
}

OutBarImageList CGfxOutBarCtrl::imageList(ImageListKind kind) const {
    return kind == LargeImages ? defaultLarge_ : defaultSmall_;
}

void CGfxOutBarCtrl::setFolderImageList(int folder, const OutBarImageList& list,
                                        ImageListKind kind) {
    if (folder < 0 || folder >= folders_.size()) {
        return;
    }
    (kind == LargeImages ? folders_[folder].largeImages : folders_[folder].smallImages) = list;
    update();
}

void CGfxOutBarCtrl::setFolderChild(int folder, QWidget* child) {
    if (folder < 0 || folder >= folders_.size()) {
        return;
    }
    if (QWidget* old = folders_[folder].child; old && old != child) {
        old->hide();
    }
    folders_[folder].child = child;
    if (child) {
        child->setParent(this);
        child->hide();
    }
    placeChildren();
    update();
}

// ---------------------------------------------------------------- display state

void CGfxOutBarCtrl::setSmallIconView(bool on) {
    firstVisibleItem_ = 0;
    const bool was = isSmallIconView();
    if (on) {
        flags_ |= SmallIconFlag;
    } else {
        flags_ &= ~SmallIconFlag;
    }
    if (was != on) {
        setHover(hoverHeader_, -1);
        update();
    }
}

void CGfxOutBarCtrl::setAnimated(bool on) {
    if (on) {
        flags_ |= AnimateFlag;
    } else {
        flags_ &= ~AnimateFlag;
    }
}

void CGfxOutBarCtrl::setAnimationDelay(int ms) {
    animationDelay_ = std::max(0, ms);
    animationTimer_->setInterval(animationDelay_);
}

void CGfxOutBarCtrl::setSelFolder(int position) {
    if (position == selectedFolder_ || position < 0 || position >= folders_.size()) {
        return;
    }
    finishAnimation();
    cancelLabelEdit();
    if (const Folder* open = openFolder(); open && open->child) {
        open->child->hide();
    }
    const int oldFolder = selectedFolder_;
    const bool animate = isAnimated() && oldFolder >= 0 && oldFolder < folders_.size() &&
                         isVisible() && !size().isEmpty();
    if (animate) {
        animationFrom_ = QPixmap(size());
        QPainter painter(&animationFrom_);
        paintBar(painter);
    }
    setHover(-1, -1);
    selectedFolder_ = position;
    firstVisibleItem_ = 0;
    placeChildren();
    if (animate) {
        animationTo_ = QPixmap(size());
        QPainter painter(&animationTo_);
        paintBar(painter);
        painter.end();
        // The moving header travels from its old place to its new one.
        const int n = int(folders_.size());
        const int h = kHeaderHeight;
        const int bottom = height();
        if (position > oldFolder) {
            animationDistance_ = (bottom - h * (n - position)) - (position * h - 1);
        } else {
            animationDistance_ = (bottom - h * (n - position - 1)) - ((position + 1) * h - 1);
        }
        animationDistance_ = std::max(0, animationDistance_);
        animationFrames_ = (animationDistance_ + h - 1) / h;
        animationOldFolder_ = oldFolder;
        if (animationFrames_ > 0) {
            animationFrame_ = 0;
            animationTimer_->start();
        } else {
            finishAnimation();
        }
    }
    update();
}

bool CGfxOutBarCtrl::advanceAnimation() {
    if (!isAnimating()) {
        return false;
    }
    ++animationFrame_;
    if (animationFrame_ >= animationFrames_) {
        finishAnimation();
        return false;
    }
    update();
    return true;
}

void CGfxOutBarCtrl::finishAnimation() {
    if (!isAnimating()) {
        return;
    }
    animationTimer_->stop();
    animationFrame_ = -1;
    animationFrom_ = QPixmap();
    animationTo_ = QPixmap();
    placeChildren();
    update();
}

// ---------------------------------------------------------------- geometry

const CGfxOutBarCtrl::Folder* CGfxOutBarCtrl::openFolder() const {
    if (selectedFolder_ < 0 || selectedFolder_ >= folders_.size()) {
        return nullptr;
    }
    return &folders_[selectedFolder_];
}

const OutBarImageList& CGfxOutBarCtrl::imagesInUse() const {
    const Folder* folder = openFolder();
    if (isSmallIconView()) {
        return folder && !folder->smallImages.isNull() ? folder->smallImages : defaultSmall_;
    }
    return folder && !folder->largeImages.isNull() ? folder->largeImages : defaultLarge_;
}

QSize CGfxOutBarCtrl::imageSizeInUse() const {
    const OutBarImageList& list = imagesInUse();
    return list.isNull() ? QSize(0, 0) : list.imageSize;
}

QRect CGfxOutBarCtrl::folderHeaderRect(int folder) const {
    const int n = int(folders_.size());
    if (folder < 0 || folder >= n) {
        return {};
    }
    const int h = kHeaderHeight;
    if (folder <= selectedFolder_) {
        return QRect(0, folder * h - 1, width(), h);
    }
    return QRect(0, height() - h * (n - folder), width(), h);
}

QRect CGfxOutBarCtrl::itemAreaRect() const {
    const int n = int(folders_.size());
    const int h = kHeaderHeight;
    const int top = (selectedFolder_ + 1) * h - 1;
    const int bottom = height() - (n - selectedFolder_ - 1) * h;  // exclusive
    return QRect(0, top, width(), std::max(0, bottom - top));
}

QRect CGfxOutBarCtrl::largeLabelBounds(const QString& label) const {
    const QFontMetrics metrics(font_);
    const int width = std::max(1, itemAreaRect().width());
    return metrics.boundingRect(QRect(0, 0, width, kLargeLabelMaxHeight),
                                Qt::AlignHCenter | Qt::TextWordWrap, label);
}

QSize CGfxOutBarCtrl::itemSize(int item) const {
    const Folder* folder = openFolder();
    if (!folder || item < 0 || item >= folder->items.size()) {
        return {};
    }
    const QString& label = folder->items[item].label;
    const QSize image = imageSizeInUse();
    if (isSmallIconView()) {
        const QFontMetrics metrics(font_);
        return QSize(metrics.horizontalAdvance(label) + kSmallLabelGap + image.width(),
                     std::max(metrics.height(), image.height()));
    }
    const QRect text = largeLabelBounds(label);
    return QSize(std::max(text.width(), image.width()),
                 kLargeItemSpacing + kLargeLabelGap + text.height() + image.height());
}

int CGfxOutBarCtrl::itemTop(int item) const {
    const int spacing = isSmallIconView() ? kSmallItemSpacing : kLargeItemSpacing;
    int y = itemAreaRect().top() + kItemInsetY;
    if (item >= firstVisibleItem_) {
        for (int i = firstVisibleItem_; i < item; ++i) {
            y += itemSize(i).height() + spacing;
        }
    } else {
        for (int i = item; i < firstVisibleItem_; ++i) {
            y -= itemSize(i).height() + spacing;
        }
    }
    return y;
}

QRect CGfxOutBarCtrl::itemRect(int item) const {
    const QSize size = itemSize(item);
    if (!size.isValid()) {
        return {};
    }
    const QRect area = itemAreaRect();
    if (isSmallIconView()) {
        return QRect(QPoint(area.left() + kItemInsetX, itemTop(item)), size);
    }
    return QRect(area.left(), itemTop(item), area.width(), size.height());
}

QRect CGfxOutBarCtrl::itemImageRect(int item) const {
    const QRect rect = itemRect(item);
    if (!rect.isValid()) {
        return {};
    }
    const QSize image = imageSizeInUse();
    if (isSmallIconView()) {
        return QRect(QPoint(rect.left() + 2, rect.top() + (rect.height() - image.height()) / 2),
                     image);
    }
    return QRect(QPoint(rect.left() + (rect.width() - image.width()) / 2, rect.top()), image);
}

QRect CGfxOutBarCtrl::itemLabelRect(int item) const {
    const QRect rect = itemRect(item);
    if (!rect.isValid()) {
        return {};
    }
    const QSize image = imageSizeInUse();
    const QString& label = openFolder()->items[item].label;
    if (isSmallIconView()) {
        const QFontMetrics metrics(font_);
        const int left = rect.left() + 2 + image.width() + kSmallLabelGap;
        return QRect(left, rect.top() + (rect.height() - metrics.height()) / 2,
                     metrics.horizontalAdvance(label), metrics.height());
    }
    const QRect text = largeLabelBounds(label);
    return QRect(rect.left() + (rect.width() - text.width()) / 2,
                 rect.top() + image.height() + kLargeLabelGap, text.width(), text.height());
}

int CGfxOutBarCtrl::arrowExtent() const {
    return style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
}

QRect CGfxOutBarCtrl::upArrowRect() const {
    const QRect area = itemAreaRect();
    const int side = arrowExtent();
    return QRect(area.right() - kArrowMargin - side + 1, area.top() + kArrowMargin, side, side);
}

QRect CGfxOutBarCtrl::downArrowRect() const {
    const QRect area = itemAreaRect();
    const int side = arrowExtent();
    return QRect(area.right() - kArrowMargin - side + 1, area.bottom() - kArrowMargin - side + 1,
                 side, side);
}

bool CGfxOutBarCtrl::isLastItemFullyVisible() const {
    const Folder* folder = openFolder();
    if (!folder || folder->child || folder->items.isEmpty()) {
        return true;
    }
    return itemRect(int(folder->items.size()) - 1).bottom() <= itemAreaRect().bottom();
}

bool CGfxOutBarCtrl::isUpArrowShown() const {
    const Folder* folder = openFolder();
    return folder && !folder->child && firstVisibleItem_ > 0;
}

bool CGfxOutBarCtrl::isDownArrowShown() const {
    return !isLastItemFullyVisible();
}

CGfxOutBarCtrl::HitResult CGfxOutBarCtrl::hitTest(const QPoint& point) const {
    if (isUpArrowShown() && upArrowRect().contains(point)) {
        return {HitUpArrow, -1};
    }
    if (isDownArrowShown() && downArrowRect().contains(point)) {
        return {HitDownArrow, -1};
    }
    for (int i = 0; i < folders_.size(); ++i) {
        if (folderHeaderRect(i).contains(point)) {
            return {HitFolder, i};
        }
    }
    const Folder* folder = openFolder();
    if (!folder || folder->child) {
        return {};
    }
    const QRect area = itemAreaRect();
    if (!area.contains(point)) {
        return {};
    }
    for (int i = firstVisibleItem_; i < folder->items.size(); ++i) {
        const QRect rect = itemRect(i);
        if (rect.top() > area.bottom()) {
            break;
        }
        const bool hit = isSmallIconView()
                             ? rect.contains(point)
                             : itemImageRect(i).contains(point) || itemLabelRect(i).contains(point);
        if (hit) {
            return {HitItem, i};
        }
    }
    return {};
}

bool CGfxOutBarCtrl::isHoverTimerActive() const {
    return hoverTimer_->isActive();
}

bool CGfxOutBarCtrl::isArrowTimerActive() const {
    return arrowTimer_->isActive();
}

// ---------------------------------------------------------------- painting

void CGfxOutBarCtrl::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (!isAnimating()) {
        paintBar(painter);
        return;
    }
    const int offset = std::min(animationDistance_, (animationFrame_ + 1) * kHeaderHeight);
    const int h = kHeaderHeight;
    const int n = int(folders_.size());
    const int s = selectedFolder_;
    if (s > animationOldFolder_) {
        // The headers down to the new one climb from the bottom stack together, pulling the
        // new items over the old ones.
        painter.drawPixmap(0, 0, animationFrom_);
        const int top = (animationOldFolder_ + 1) * h - 1;
        const QRect source(0, top, width(), height() - top);
        painter.drawPixmap(QPoint(0, top + animationDistance_ - offset), animationTo_, source);
    } else {
        // The headers below the new folder sink to the bottom, uncovering its items.
        painter.drawPixmap(0, 0, animationTo_);
        const int top = (s + 1) * h - 1;
        const int stackTop = height() - h * (n - animationOldFolder_ - 1);
        const QRect source(0, top, width(), std::max(0, stackTop - top));
        painter.setClipRect(QRect(0, top, width(), std::max(0, stackTop - top)));
        painter.drawPixmap(QPoint(0, top + offset), animationFrom_, source);
    }
}

void CGfxOutBarCtrl::paintBar(QPainter& painter) const {
    painter.setFont(font_);
    const Folder* folder = openFolder();
    const QRect area = itemAreaRect();
    if (!folder || !folder->child) {
        painter.fillRect(area, kBackColour);
    }
    // Whatever the headers and the item area leave uncovered (no folders at all).
    if (folders_.isEmpty()) {
        painter.fillRect(rect(), kBackColour);
    }
    for (int i = 0; i < folders_.size(); ++i) {
        paintHeader(painter, i);
    }
    if (folder && !folder->child) {
        paintItems(painter);
    }
}

void CGfxOutBarCtrl::paintHeader(QPainter& painter, int folder) const {
    const QRect rect = folderHeaderRect(folder);
    const QPalette& pal = palette();
    const bool pressed = folder == pressedHeader_ && headerDrawnPressed_;
    painter.fillRect(rect, pal.color(QPalette::Button));

    const QColor topLeftOuter = pressed ? pal.color(QPalette::Shadow) : pal.color(QPalette::Light);
    const QColor bottomRightOuter =
        pressed ? pal.color(QPalette::Light) : pal.color(QPalette::Shadow);
    const QColor bottomRightInner =
        pressed ? pal.color(QPalette::Midlight) : pal.color(QPalette::Dark);
    painter.setPen(topLeftOuter);
    painter.drawLine(rect.topLeft(), rect.topRight());
    painter.drawLine(rect.topLeft(), rect.bottomLeft());
    painter.setPen(bottomRightOuter);
    painter.drawLine(rect.bottomLeft(), rect.bottomRight());
    painter.drawLine(rect.topRight(), rect.bottomRight());
    painter.setPen(bottomRightInner);
    painter.drawLine(rect.bottomLeft() + QPoint(1, -1), rect.bottomRight() + QPoint(-1, -1));
    painter.drawLine(rect.topRight() + QPoint(-1, 1), rect.bottomRight() + QPoint(-1, -1));

    if (folder == hoverHeader_ && !pressed) {
        // Two-line hover border.
        const QRect outer = rect.adjusted(1, 1, -1, -1);
        painter.setPen(pal.color(QPalette::Shadow));
        painter.drawRect(outer.adjusted(0, 0, -1, -1));
        painter.setPen(kBackColour);
        painter.drawRect(outer.adjusted(1, 1, -2, -2));
    }

    painter.setPen(pal.color(QPalette::ButtonText));
    const QRect text = pressed ? rect.translated(1, 1) : rect;
    painter.drawText(text, Qt::AlignCenter | Qt::TextSingleLine, folders_[folder].name);
}

void CGfxOutBarCtrl::paintItems(QPainter& painter) const {
    const Folder* folder = openFolder();
    const QRect area = itemAreaRect();
    const OutBarImageList& images = imagesInUse();
    painter.save();
    painter.setClipRect(area);
    painter.setPen(palette().color(QPalette::Base));
    const int flagsForLabel = isSmallIconView()
                                  ? int(Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine)
                                  : int(Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap);
    for (int i = firstVisibleItem_; i < folder->items.size(); ++i) {
        const QRect rect = itemRect(i);
        if (rect.top() > area.bottom()) {
            break;
        }
        const Item& item = folder->items[i];
        if (item.image >= 0 && item.image < images.images.size()) {
            painter.drawPixmap(itemImageRect(i), images.images[item.image]);
        }
        painter.drawText(itemLabelRect(i), flagsForLabel, item.label);
    }
    const int framed = pressedItem_ >= 0 ? pressedItem_ : hotItem_;
    if (framed >= 0 && framed < folder->items.size()) {
        const bool sunken =
            pressedItem_ >= 0 && hitTest(lastMousePos_) == HitResult{HitItem, framed};
        paintItemFrame(painter, framed, sunken);
    }
    if (isUpArrowShown()) {
        paintArrow(painter, upArrowRect(), true, upArrowPressed_);
    }
    if (isDownArrowShown()) {
        paintArrow(painter, downArrowRect(), false, downArrowPressed_);
    }
    painter.restore();
}

void CGfxOutBarCtrl::paintItemFrame(QPainter& painter, int item, bool sunken) const {
    const QRect frame = itemImageRect(item).adjusted(-1, -1, 1, 1);
    const QColor light = palette().color(QPalette::Button);
    const QColor dark = palette().color(QPalette::Shadow);
    painter.setPen(sunken ? dark : light);
    painter.drawLine(frame.topLeft(), frame.topRight());
    painter.drawLine(frame.topLeft(), frame.bottomLeft());
    painter.setPen(sunken ? light : dark);
    painter.drawLine(frame.bottomLeft(), frame.bottomRight());
    painter.drawLine(frame.topRight(), frame.bottomRight());
}

void CGfxOutBarCtrl::paintArrow(QPainter& painter, const QRect& rect, bool up, bool pressed) const {
    QStyleOptionButton button;
    button.initFrom(this);
    button.rect = rect;
    button.state |= pressed ? QStyle::State_Sunken : QStyle::State_Raised;
    style()->drawPrimitive(QStyle::PE_PanelButtonBevel, &button, &painter, this);
    QStyleOption arrow;
    arrow.initFrom(this);
    arrow.rect = pressed ? rect.adjusted(4, 4, -2, -2) : rect.adjusted(3, 3, -3, -3);
    style()->drawPrimitive(up ? QStyle::PE_IndicatorArrowUp : QStyle::PE_IndicatorArrowDown, &arrow,
                           &painter, this);
}

// ---------------------------------------------------------------- mouse

void CGfxOutBarCtrl::setHover(int header, int item) {
    if (header == hoverHeader_ && item == hotItem_) {
        return;
    }
    hoverHeader_ = header;
    hotItem_ = item;
    update();
}

void CGfxOutBarCtrl::mouseMoveEvent(QMouseEvent* event) {
    lastMousePos_ = event->position().toPoint();
    const HitResult hit = hitTest(lastMousePos_);
    switch (tracking_) {
        case Tracking::Header: {
            const bool over = hit == HitResult{HitFolder, pressedHeader_};
            if (over != headerDrawnPressed_) {
                headerDrawnPressed_ = over;
                update(folderHeaderRect(pressedHeader_));
            }
            return;
        }
        case Tracking::Item:
            update(itemAreaRect());
            return;
        case Tracking::UpArrow:
        case Tracking::DownArrow: {
            const bool up = tracking_ == Tracking::UpArrow;
            const bool over = hit.area == (up ? HitUpArrow : HitDownArrow);
            bool& drawn = up ? upArrowPressed_ : downArrowPressed_;
            if (over != drawn) {
                drawn = over;
                update(itemAreaRect());
            }
            return;
        }
        case Tracking::None:
            break;
    }
    if (isAnimating()) {
        return;
    }
    if (hit.area == HitFolder) {
        setHover(hit.index, -1);
        hoverTimer_->start();
    } else if (hit.area == HitItem) {
        setHover(-1, hit.index);
        hoverTimer_->start();
    } else {
        setHover(-1, -1);
    }
}

void CGfxOutBarCtrl::hoverTimerTick() {
    if (!rect().contains(mapFromGlobal(QCursor::pos()))) {
        setHover(-1, -1);
        hoverTimer_->stop();
    }
}

void CGfxOutBarCtrl::leaveEvent(QEvent* event) {
    if (tracking_ == Tracking::None) {
        setHover(-1, -1);
        hoverTimer_->stop();
    }
    QWidget::leaveEvent(event);
}

void CGfxOutBarCtrl::mousePressEvent(QMouseEvent* event) {
    lastMousePos_ = event->position().toPoint();
    finishAnimation();
    if (editor_) {
        commitLabelEdit();
    }
    const HitResult hit = hitTest(lastMousePos_);
    if (event->button() == Qt::RightButton) {
        rightClicked_ = hit;
        return;
    }
    if (event->button() != Qt::LeftButton || tracking_ != Tracking::None) {
        return;
    }
    if (!hasFocus()) {
        setFocus(Qt::MouseFocusReason);
    }
    switch (hit.area) {
        case HitFolder:
            tracking_ = Tracking::Header;
            pressedHeader_ = hit.index;
            headerDrawnPressed_ = true;
            setHover(-1, -1);
            update(folderHeaderRect(hit.index));
            break;
        case HitItem:
            tracking_ = Tracking::Item;
            pressedItem_ = hit.index;
            hotItem_ = hit.index;
            update(itemAreaRect());
            break;
        case HitUpArrow:
        case HitDownArrow:
            tracking_ = hit.area == HitUpArrow ? Tracking::UpArrow : Tracking::DownArrow;
            (hit.area == HitUpArrow ? upArrowPressed_ : downArrowPressed_) = true;
            setHover(-1, -1);
            arrowTimer_->start();
            update(itemAreaRect());
            break;
        default:
            break;
    }
}

void CGfxOutBarCtrl::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || tracking_ == Tracking::None) {
        return;
    }
    lastMousePos_ = event->position().toPoint();
    const HitResult hit = hitTest(lastMousePos_);
    const Tracking tracking = tracking_;
    const int item = pressedItem_;
    endTracking();
    switch (tracking) {
        case Tracking::Header:
            // A release over any header opens that header's folder; elsewhere, nothing.
            if (hit.area == HitFolder) {
                setSelFolder(hit.index);
                emit folderChanged(hit.index);
            }
            break;
        case Tracking::Item:
            if (hit == HitResult{HitItem, item}) {
                emit itemClicked(item);
            }
            break;
        case Tracking::UpArrow:
            if (hit.area == HitUpArrow) {
                scrollOneStep(false);
            }
            break;
        case Tracking::DownArrow:
            if (hit.area == HitDownArrow) {
                scrollOneStep(true);
            }
            break;
        case Tracking::None:
            break;
    }
}

void CGfxOutBarCtrl::endTracking() {
    if (tracking_ == Tracking::None) {
        return;
    }
    tracking_ = Tracking::None;
    arrowTimer_->stop();
    pressedHeader_ = -1;
    pressedItem_ = -1;
    headerDrawnPressed_ = false;
    upArrowPressed_ = false;
    downArrowPressed_ = false;
    update();
}

void CGfxOutBarCtrl::arrowTimerTick() {
    if (tracking_ == Tracking::UpArrow && upArrowPressed_) {
        scrollOneStep(false);
    } else if (tracking_ == Tracking::DownArrow && downArrowPressed_) {
        scrollOneStep(true);
    }
}

void CGfxOutBarCtrl::scrollOneStep(bool down) {
    if (down) {
        if (!isLastItemFullyVisible()) {
            ++firstVisibleItem_;
        }
    } else if (firstVisibleItem_ > 0) {
        --firstVisibleItem_;
    }
    // The arrow that vanished with this step can no longer be held.
    if (tracking_ == Tracking::DownArrow && !isDownArrowShown()) {
        endTracking();
    } else if (tracking_ == Tracking::UpArrow && !isUpArrowShown()) {
        endTracking();
    }
    setHover(hoverHeader_, -1);
    update(itemAreaRect());
}

void CGfxOutBarCtrl::keyPressEvent(QKeyEvent* event) {
    if (tracking_ != Tracking::None) {
        if (event->key() == Qt::Key_Escape) {
            endTracking();
        }
        return;
    }
    QWidget::keyPressEvent(event);
}

// ---------------------------------------------------------------- layout and commands

void CGfxOutBarCtrl::resizeEvent(QResizeEvent* event) {
    finishAnimation();
    cancelLabelEdit();
    placeChildren();
    QWidget::resizeEvent(event);
}

void CGfxOutBarCtrl::placeChildren() {
    const QRect area = itemAreaRect();
    for (int i = 0; i < folders_.size(); ++i) {
        QWidget* child = folders_[i].child;
        if (!child) {
            continue;
        }
        child->setGeometry(area);
        child->setVisible(i == selectedFolder_ && !isAnimating());
    }
}

void CGfxOutBarCtrl::runCommand(int command) {
    const HitResult target = rightClicked_;
    switch (command) {
        case CmdLargeIcons:
            setSmallIconView(false);
            break;
        case CmdSmallIcons:
            setSmallIconView(true);
            break;
        case CmdRemove:
            if (target.area == HitFolder) {
                removeFolder(target.index);
            } else if (target.area == HitItem) {
                removeItem(target.index);
            }
            rightClicked_ = {};
            break;
        case CmdRename:
            if (target.area == HitFolder || target.area == HitItem) {
                startLabelEdit(target);
            }
            break;
        default:
            break;
    }
}

void CGfxOutBarCtrl::startLabelEdit(const HitResult& target) {
    cancelLabelEdit();
    QRect rect;
    QString text;
    if (target.area == HitFolder && target.index < folders_.size()) {
        rect = folderHeaderRect(target.index).adjusted(2, 2, -2, -2);
        text = folders_[target.index].name;
    } else if (target.area == HitItem && target.index < itemCount(selectedFolder_)) {
        rect = itemLabelRect(target.index).adjusted(-2, -2, 2, 2);
        rect.setWidth(std::max(rect.width(), 60));
        text = folders_[selectedFolder_].items[target.index].label;
    } else {
        return;
    }
    editTarget_ = target;
    editor_ = new QLineEdit(text, this);
    editor_->setFont(font_);
    editor_->setGeometry(rect);
    editor_->selectAll();
    editor_->installEventFilter(this);
    connect(editor_, &QLineEdit::returnPressed, this, &CGfxOutBarCtrl::commitLabelEdit);
    editor_->show();
    editor_->setFocus();
}

bool CGfxOutBarCtrl::eventFilter(QObject* watched, QEvent* event) {
    if (editor_ && watched == editor_) {
        if (event->type() == QEvent::KeyPress &&
            static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
            cancelLabelEdit();
            return true;
        }
        if (event->type() == QEvent::FocusOut) {
            QMetaObject::invokeMethod(this, &CGfxOutBarCtrl::commitLabelEdit, Qt::QueuedConnection);
        }
    }
    return QWidget::eventFilter(watched, event);
}

void CGfxOutBarCtrl::commitLabelEdit() {
    if (!editor_) {
        return;
    }
    const QString text = editor_->text();
    const HitResult target = editTarget_;
    cancelLabelEdit();
    if (target.area == HitFolder) {
        emit folderLabelEditRequested(target.index, text);
    } else if (target.area == HitItem) {
        emit itemLabelEditRequested(target.index, text);
    }
}

void CGfxOutBarCtrl::cancelLabelEdit() {
    if (!editor_) {
        return;
    }
    QLineEdit* editor = editor_;
    editor_ = nullptr;
    editTarget_ = {};
    editor->removeEventFilter(this);
    editor->hide();
    editor->deleteLater();
}
