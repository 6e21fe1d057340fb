// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QFont>
#include <QList>
#include <QPixmap>
#include <QPoint>
#include <QPointer>
#include <QRect>
#include <QSize>
#include <QString>
#include <QWidget>

class QLineEdit;
class QTimer;

// Images for the bar's items, addressed by image number. All images share one size.
struct OutBarImageList {
    QSize imageSize;
    QList<QPixmap> images;

    bool isNull() const { return images.isEmpty(); }
};

// The outlook-style navigation bar: a stack of folder headers, one of them open and showing
// its items (or a child widget) between the headers above and below it.
//
// Notifications to the owner are signals:
//  - folderChanged(folder): the user opened a folder by clicking its header (emitted also when
//    the header clicked is the open folder's: the owner re-runs its folder switch);
//  - itemClicked(item): an item of the open folder was clicked (pressed and released on it);
//  - itemLabelEditRequested / folderLabelEditRequested: the user typed a new label; the owner
//    accepts it by calling setItemText / setFolderText (connect the signal to the slot to
//    accept every edit);
//  - itemRemoved / folderRemoved: after a removal.
//
// Timers: the hover check (every 100 ms while a highlight shows), the arrow repeat (300 ms while
// an arrow is held) and the folder-change animation (animationDelay() ms per frame). Each has a
// public step method so tests can drive it without waiting.
class CGfxOutBarCtrl : public QWidget {
    Q_OBJECT

  public:
    enum Flag {
        SmallIconFlag = 1,
        AnimateFlag = 256,
        DefaultFlags = 508,
    };

    enum ImageListKind {
        SmallImages = 1,
        LargeImages = 2,
    };

    enum HitArea {
        HitNothing = -1,
        HitFolder = 0,
        HitItem = 1,
        HitUpArrow = 2,
        HitDownArrow = 3,
    };

    struct HitResult {
        int area = HitNothing;
        int index = -1;  // folder or item position; -1 for the arrows and nothing
        bool operator==(const HitResult&) const = default;
    };

    // Commands acting on the folder or item last right-clicked.
    enum Command {
        CmdLargeIcons = 107,
        CmdSmallIcons = 108,
        CmdRemove = 109,
        CmdRename = 110,
    };

    static constexpr int kHeaderHeight = 22;
    static constexpr int kSmallLabelGap = 4;
    static constexpr int kLargeLabelGap = 3;
    static constexpr int kSmallItemSpacing = 10;
    static constexpr int kLargeItemSpacing = 8;
    static constexpr int kItemInsetX = 5;
    static constexpr int kItemInsetY = 5;
    static constexpr int kDefaultAnimationDelay = 10;
    static constexpr int kHoverCheckInterval = 100;
    static constexpr int kArrowRepeatInterval = 300;
    static const QColor kBackColour;  // RGB 70, 70, 123
    // Height of a label's character cell (ascent plus descent), in pixels.
    static constexpr int kFontHeight = 16;

    // Arial, or a sans font with Arial's metrics where Arial is not installed, sized so that its
    // character cell is kFontHeight pixels high.
    static QFont labelFont();

    explicit CGfxOutBarCtrl(QWidget* parent = nullptr, int flags = DefaultFlags);
    ~CGfxOutBarCtrl() override;

    // --- content ---
    int addFolder(const QString& name, int data);
    // A position below 0 or past the end appends. Returns the position used, -1 for a bad folder.
    int insertItem(int folder, int position, const QString& label, int image, int data);
    void removeFolder(int position);
    void removeItem(int position);  // in the open folder; invalid positions are ignored

    int folderCount() const;
    QString folderText(int folder) const;
    int folderData(int folder) const;  // 0 for an invalid folder
    int itemCount(int folder) const;   // 0 for an invalid folder
    QString itemText(int folder, int item) const;
    int itemData(int folder, int item) const;
    int itemImage(int folder, int item) const;

    // Returns the previous default list of that kind.
    OutBarImageList setImageList(const OutBarImageList& list, ImageListKind kind);
    OutBarImageList imageList(ImageListKind kind) const;
    // A folder's own list wins over the bar's default list.
    void setFolderImageList(int folder, const OutBarImageList& list, ImageListKind kind);
    // A folder may show a widget instead of items; the bar reparents it and sizes it to the
    // item area while the folder is open. nullptr removes it.
    void setFolderChild(int folder, QWidget* child);

    // --- display state ---
    int flags() const { return flags_; }
    bool isSmallIconView() const { return (flags_ & SmallIconFlag) != 0; }
    void setSmallIconView(bool on);
    void setAnimated(bool on);
    bool isAnimated() const { return (flags_ & AnimateFlag) != 0; }
    int animationDelay() const { return animationDelay_; }
    void setAnimationDelay(int ms);

    int selFolder() const { return selectedFolder_; }
    void setSelFolder(int position);
    int firstVisibleItem() const { return firstVisibleItem_; }

    // --- geometry, in client coordinates ---
    QRect folderHeaderRect(int folder) const;
    QRect itemAreaRect() const;
    QRect itemRect(int item) const;  // item of the open folder, scrolled position
    QRect itemImageRect(int item) const;
    QRect itemLabelRect(int item) const;
    QSize itemSize(int item) const;
    QRect upArrowRect() const;
    QRect downArrowRect() const;
    bool isUpArrowShown() const;
    bool isDownArrowShown() const;
    HitResult hitTest(const QPoint& point) const;

    // --- mouse tracking state (-1 when none) ---
    int hoverHeader() const { return hoverHeader_; }
    int hotItem() const { return hotItem_; }
    int pressedHeader() const { return pressedHeader_; }
    int pressedItem() const { return pressedItem_; }
    bool isHeaderDrawnPressed() const { return headerDrawnPressed_; }
    bool isUpArrowPressed() const { return upArrowPressed_; }
    bool isDownArrowPressed() const { return downArrowPressed_; }
    bool isHoverTimerActive() const;
    bool isArrowTimerActive() const;

    // --- timer steps (run by the timers; public so tests can drive them) ---
    // Removes both highlights and stops the hover timer when the cursor is outside the bar.
    void hoverTimerTick();
    // One repeat step of the held arrow: scrolls one item when the cursor is on it.
    void arrowTimerTick();
    bool isAnimating() const { return animationFrame_ >= 0; }
    int animationFrameCount() const { return animationFrames_; }
    // Advances the folder-change animation by one frame; returns false once it has ended.
    bool advanceAnimation();
    void finishAnimation();

    // The item or folder last right-clicked is the target of the commands.
    HitResult lastRightClicked() const { return rightClicked_; }
    void runCommand(int command);
    QLineEdit* labelEditor() const { return editor_; }

    // The keyboard cursor: a folder header or an item of the open folder. The arrow keys walk
    // the headers and items as they stand on screen; Enter or Space opens the folder or clicks
    // the item, as the mouse does.
    HitResult keyCursor() const { return keyCursor_; }

  public slots:
    void setFolderText(int folder, const QString& name);
    void setItemText(int item, const QString& label);  // in the open folder

  signals:
    void folderChanged(int folder);
    void itemClicked(int item);
    void itemLabelEditRequested(int item, const QString& label);
    void folderLabelEditRequested(int folder, const QString& name);
    void itemRemoved(int item);
    void folderRemoved(int folder);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    struct Item {
        QString label;
        int image = 0;
        int data = 0;
    };
    struct Folder {
        QString name;
        int data = 0;
        OutBarImageList largeImages;
        OutBarImageList smallImages;
        QList<Item> items;
        QPointer<QWidget> child;
    };
    enum class Tracking { None, Header, Item, UpArrow, DownArrow };

    const Folder* openFolder() const;
    const OutBarImageList& imagesInUse() const;
    QSize imageSizeInUse() const;
    int itemTop(int item) const;
    QRect largeLabelBounds(const QString& label) const;
    bool isLastItemFullyVisible() const;
    int arrowExtent() const;
    void scrollOneStep(bool down);
    void paintBar(QPainter& painter) const;
    void paintHeader(QPainter& painter, int folder) const;
    void paintItems(QPainter& painter) const;
    void paintItemFrame(QPainter& painter, int item, bool sunken) const;
    void paintArrow(QPainter& painter, const QRect& rect, bool up, bool pressed) const;
    void setHover(int header, int item);
    QList<HitResult> keyStops() const;
    bool handleNavigationKey(int key);
    void activateKeyCursor();
    void scrollItemIntoView(int item);
    void paintKeyCursor(QPainter& painter) const;
    void endTracking();
    void placeChildren();
    void startLabelEdit(const HitResult& target);
    void commitLabelEdit();
    void cancelLabelEdit();

    QList<Folder> folders_;
    QFont font_;
    int flags_;
    int selectedFolder_ = 1;
    int hoverHeader_ = -1;
    int hotItem_ = -1;
    int pressedHeader_ = -1;
    int pressedItem_ = -1;
    bool headerDrawnPressed_ = false;
    bool upArrowPressed_ = false;
    bool downArrowPressed_ = false;
    int firstVisibleItem_ = 0;
    int animationDelay_ = kDefaultAnimationDelay;
    Tracking tracking_ = Tracking::None;
    QPoint lastMousePos_;
    OutBarImageList defaultLarge_;
    OutBarImageList defaultSmall_;
    HitResult rightClicked_;
    HitResult keyCursor_;

    QTimer* hoverTimer_;
    QTimer* arrowTimer_;
    QTimer* animationTimer_;
    // Folder-change animation: pictures before and after, the folders involved, frame counter.
    QPixmap animationFrom_;
    QPixmap animationTo_;
    int animationOldFolder_ = -1;
    int animationFrame_ = -1;
    int animationFrames_ = 0;
    int animationDistance_ = 0;

    QLineEdit* editor_ = nullptr;
    HitResult editTarget_;
};
