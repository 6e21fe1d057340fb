// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QCursor>
#include <QFontInfo>
#include <QFontMetrics>
#include <QImage>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>

#include "controls/GfxOutBarCtrl.h"

namespace {

constexpr int kH = CGfxOutBarCtrl::kHeaderHeight;

OutBarImageList makeImages(int side) {
    OutBarImageList list;
    list.imageSize = QSize(side, side);
    QPixmap pixmap(side, side);
    pixmap.fill(Qt::yellow);
    list.images.append(pixmap);
    return list;
}

// A shown bar with four folders, the second open; folder data values 10..13.
struct BarFixture : ::testing::Test {
    CGfxOutBarCtrl bar{nullptr, 0};

    void SetUp() override {
        bar.resize(150, 400);
        for (int f = 0; f < 4; ++f) {
            bar.addFolder(QStringLiteral("Folder %1").arg(f), 10 + f);
            for (int i = 0; i < 3; ++i) {
                bar.insertItem(f, -1, QStringLiteral("Item %1.%2").arg(f).arg(i), 0, 100 + i);
            }
        }
        bar.setImageList(makeImages(32), CGfxOutBarCtrl::LargeImages);
        bar.setImageList(makeImages(10), CGfxOutBarCtrl::SmallImages);
        bar.show();
        ASSERT_EQ(bar.selFolder(), 1);
    }

    void click(const QPoint& press, const QPoint& release) {
        QTest::mouseMove(&bar, press);
        QTest::mousePress(&bar, Qt::LeftButton, {}, press);
        QTest::mouseMove(&bar, release);
        QTest::mouseRelease(&bar, Qt::LeftButton, {}, release);
    }

    void fillFolder(int folder, int count) {
        for (int i = 0; i < count; ++i) {
            bar.insertItem(folder, -1, QStringLiteral("Extra %1").arg(i), 0, i);
        }
    }
};

TEST_F(BarFixture, FourFoldersSecondOpenStacksLaterHeadersAtTheBottom) {
    EXPECT_EQ(bar.folderHeaderRect(0), QRect(0, -1, 150, kH));
    EXPECT_EQ(bar.folderHeaderRect(1), QRect(0, kH - 1, 150, kH));
    EXPECT_EQ(bar.folderHeaderRect(2), QRect(0, 400 - 2 * kH, 150, kH));
    EXPECT_EQ(bar.folderHeaderRect(3), QRect(0, 400 - kH, 150, kH));
    const QRect area = bar.itemAreaRect();
    EXPECT_EQ(area.top(), 2 * kH - 1);
    EXPECT_EQ(area.bottom() + 1, bar.folderHeaderRect(2).top());
    EXPECT_EQ(area.top(), bar.folderHeaderRect(1).bottom() + 1);

    bar.setAnimated(false);
    bar.setSelFolder(3);
    EXPECT_EQ(bar.folderHeaderRect(3), QRect(0, 3 * kH - 1, 150, kH));
    EXPECT_EQ(bar.itemAreaRect().bottom(), 399);
}

TEST_F(BarFixture, HitTestingFindsHeadersItemsAndNothing) {
    using H = CGfxOutBarCtrl::HitResult;
    EXPECT_EQ(bar.hitTest(QPoint(70, 5)), (H{CGfxOutBarCtrl::HitFolder, 0}));
    EXPECT_EQ(bar.hitTest(QPoint(70, 30)), (H{CGfxOutBarCtrl::HitFolder, 1}));
    EXPECT_EQ(bar.hitTest(QPoint(70, 390)), (H{CGfxOutBarCtrl::HitFolder, 3}));
    EXPECT_EQ(bar.hitTest(QPoint(70, 370)), (H{CGfxOutBarCtrl::HitFolder, 2}));
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(bar.hitTest(bar.itemImageRect(i).center()), (H{CGfxOutBarCtrl::HitItem, i}));
        EXPECT_EQ(bar.hitTest(bar.itemLabelRect(i).center()), (H{CGfxOutBarCtrl::HitItem, i}));
    }
    // Large display: the space beside the image is not the item.
    const QRect image = bar.itemImageRect(0);
    EXPECT_EQ(bar.hitTest(QPoint(2, image.center().y())).area, CGfxOutBarCtrl::HitNothing);
    // Below the last item, inside the item area.
    EXPECT_EQ(bar.hitTest(QPoint(70, 340)).area, CGfxOutBarCtrl::HitNothing);
}

TEST_F(BarFixture, ReleasingOnTheHeaderPressedOpensItsFolder) {
    QSignalSpy changed(&bar, &CGfxOutBarCtrl::folderChanged);
    bar.setAnimated(false);
    const QPoint header2 = bar.folderHeaderRect(2).center();
    click(header2, header2);
    EXPECT_EQ(bar.selFolder(), 2);
    ASSERT_EQ(changed.count(), 1);
    EXPECT_EQ(changed.at(0).at(0).toInt(), 2);
    EXPECT_EQ(bar.folderData(changed.at(0).at(0).toInt()), 12);
    EXPECT_EQ(bar.pressedHeader(), -1);
}

TEST_F(BarFixture, ReleasingOnAnotherHeaderOpensThatOneAndOutsideOpensNothing) {
    QSignalSpy changed(&bar, &CGfxOutBarCtrl::folderChanged);
    const QPoint header0 = bar.folderHeaderRect(0).center();
    const QPoint header3 = bar.folderHeaderRect(3).center();

    QTest::mousePress(&bar, Qt::LeftButton, {}, header0);
    EXPECT_EQ(bar.pressedHeader(), 0);
    EXPECT_TRUE(bar.isHeaderDrawnPressed());
    QTest::mouseMove(&bar, header3);
    EXPECT_FALSE(bar.isHeaderDrawnPressed());
    QTest::mouseRelease(&bar, Qt::LeftButton, {}, header3);
    bar.finishAnimation();
    EXPECT_EQ(bar.selFolder(), 3);
    ASSERT_EQ(changed.count(), 1);
    EXPECT_EQ(changed.at(0).at(0).toInt(), 3);
    EXPECT_EQ(bar.pressedHeader(), -1);

    const QPoint openHeader = bar.folderHeaderRect(3).center();
    click(openHeader, QPoint(70, 5000));
    EXPECT_EQ(bar.selFolder(), 3);
    EXPECT_EQ(changed.count(), 1);
}

TEST_F(BarFixture, EscapeCancelsAHeldHeader) {
    QSignalSpy changed(&bar, &CGfxOutBarCtrl::folderChanged);
    const QPoint header3 = bar.folderHeaderRect(3).center();
    QTest::mousePress(&bar, Qt::LeftButton, {}, header3);
    QTest::keyClick(&bar, Qt::Key_A);
    EXPECT_EQ(bar.pressedHeader(), 3);
    QTest::keyClick(&bar, Qt::Key_Escape);
    EXPECT_EQ(bar.pressedHeader(), -1);
    QTest::mouseRelease(&bar, Qt::LeftButton, {}, header3);
    EXPECT_EQ(changed.count(), 0);
}

TEST_F(BarFixture, ItemClickReportsItsPositionOnlyWhenReleasedOnIt) {
    QSignalSpy clicked(&bar, &CGfxOutBarCtrl::itemClicked);
    const QPoint item1 = bar.itemImageRect(1).center();
    const QPoint item2 = bar.itemImageRect(2).center();
    click(item1, item2);
    EXPECT_EQ(clicked.count(), 0);
    click(item2, item2);
    ASSERT_EQ(clicked.count(), 1);
    EXPECT_EQ(clicked.at(0).at(0).toInt(), 2);
    EXPECT_EQ(bar.itemData(bar.selFolder(), 2), 102);
    EXPECT_EQ(bar.pressedItem(), -1);
}

TEST_F(BarFixture, HoverFrameFollowsTheMouseAndTheTimerRemovesIt) {
    QTest::mouseMove(&bar, bar.folderHeaderRect(3).center());
    EXPECT_EQ(bar.hoverHeader(), 3);
    EXPECT_EQ(bar.hotItem(), -1);
    EXPECT_TRUE(bar.isHoverTimerActive());

    QTest::mouseMove(&bar, bar.itemImageRect(1).center());
    EXPECT_EQ(bar.hoverHeader(), -1);
    EXPECT_EQ(bar.hotItem(), 1);

    // Still inside: the tick keeps the highlight.
    QCursor::setPos(bar.mapToGlobal(bar.itemImageRect(1).center()));
    bar.hoverTimerTick();
    EXPECT_EQ(bar.hotItem(), 1);

    QCursor::setPos(bar.mapToGlobal(QPoint(-50, -50)));
    bar.hoverTimerTick();
    EXPECT_EQ(bar.hotItem(), -1);
    EXPECT_FALSE(bar.isHoverTimerActive());

    QTest::mouseMove(&bar, bar.itemImageRect(0).center());
    QTest::mouseMove(&bar, QPoint(70, 340));
    EXPECT_EQ(bar.hotItem(), -1);
}

TEST_F(BarFixture, HoldingTheDownArrowScrollsUntilTheLastItemShows) {
    bar.setSmallIconView(true);
    fillFolder(1, 40);
    const int last = bar.itemCount(1) - 1;
    ASSERT_TRUE(bar.isDownArrowShown());
    EXPECT_FALSE(bar.isUpArrowShown());
    EXPECT_EQ(bar.hitTest(bar.downArrowRect().center()).area, CGfxOutBarCtrl::HitDownArrow);

    const QPoint arrow = bar.downArrowRect().center();
    QTest::mousePress(&bar, Qt::LeftButton, {}, arrow);
    EXPECT_TRUE(bar.isDownArrowPressed());
    EXPECT_TRUE(bar.isArrowTimerActive());
    int ticks = 0;
    while (bar.itemRect(last).bottom() > bar.itemAreaRect().bottom() && ticks < 100) {
        const int before = bar.firstVisibleItem();
        bar.arrowTimerTick();
        ASSERT_EQ(bar.firstVisibleItem(), before + 1);
        ++ticks;
    }
    EXPECT_LE(bar.itemRect(last).bottom(), bar.itemAreaRect().bottom());
    EXPECT_GT(ticks, 0);
    // One step earlier the last item did not fit.
    const int stop = bar.firstVisibleItem();
    bar.arrowTimerTick();
    EXPECT_EQ(bar.firstVisibleItem(), stop);
    EXPECT_FALSE(bar.isDownArrowShown());
    EXPECT_TRUE(bar.isUpArrowShown());
    QTest::mouseRelease(&bar, Qt::LeftButton, {}, arrow);
    EXPECT_EQ(bar.firstVisibleItem(), stop);
    EXPECT_FALSE(bar.isArrowTimerActive());

    // The up arrow walks back, and a release on it adds one more step.
    const QPoint up = bar.upArrowRect().center();
    QTest::mousePress(&bar, Qt::LeftButton, {}, up);
    bar.arrowTimerTick();
    QTest::mouseRelease(&bar, Qt::LeftButton, {}, up);
    EXPECT_EQ(bar.firstVisibleItem(), stop - 2);
}

TEST_F(BarFixture, ArrowRepeatPausesWhileTheCursorIsOffTheArrow) {
    bar.setSmallIconView(true);
    fillFolder(1, 40);
    const QPoint arrow = bar.downArrowRect().center();
    QTest::mousePress(&bar, Qt::LeftButton, {}, arrow);
    QTest::mouseMove(&bar, QPoint(10, 200));
    EXPECT_FALSE(bar.isDownArrowPressed());
    bar.arrowTimerTick();
    EXPECT_EQ(bar.firstVisibleItem(), 0);
    QTest::mouseRelease(&bar, Qt::LeftButton, {}, QPoint(10, 200));
    EXPECT_EQ(bar.firstVisibleItem(), 0);
}

TEST_F(BarFixture, SmallAndLargeIconGeometry) {
    const QFontMetrics metrics(bar.font());
    const QString label = bar.itemText(1, 0);
    bar.setSmallIconView(true);
    const QSize small = bar.itemSize(0);
    EXPECT_EQ(small.width(), metrics.horizontalAdvance(label) + 4 + 10);
    EXPECT_EQ(small.height(), std::max(metrics.height(), 10));
    const QRect area = bar.itemAreaRect();
    EXPECT_EQ(bar.itemRect(0).topLeft(), area.topLeft() + QPoint(5, 5));
    EXPECT_EQ(bar.itemRect(1).top(), bar.itemRect(0).bottom() + 1 + 10);
    EXPECT_EQ(bar.itemImageRect(0).left(), bar.itemRect(0).left() + 2);
    EXPECT_EQ(bar.itemLabelRect(0).left(), bar.itemImageRect(0).right() + 1 + 4);

    bar.setSmallIconView(false);
    const QSize large = bar.itemSize(0);
    EXPECT_EQ(large.height(), 8 + 3 + metrics.height() + 32);
    EXPECT_EQ(bar.itemRect(0).width(), area.width());
    EXPECT_EQ(bar.itemRect(1).top(), bar.itemRect(0).bottom() + 1 + 8);
    EXPECT_EQ(bar.itemImageRect(0).center().x(), area.center().x());
    EXPECT_EQ(bar.itemLabelRect(0).top(), bar.itemImageRect(0).bottom() + 1 + 3);
}

TEST_F(BarFixture, SwitchingTheDisplayResetsTheScrollPosition) {
    bar.setSmallIconView(true);
    fillFolder(1, 40);
    QTest::mouseClick(&bar, Qt::LeftButton, {}, bar.downArrowRect().center());
    ASSERT_EQ(bar.firstVisibleItem(), 1);
    bar.setSmallIconView(true);
    EXPECT_EQ(bar.firstVisibleItem(), 0);
}

TEST_F(BarFixture, LabelChangesAndEditRequests) {
    bar.setFolderText(2, QStringLiteral("Renamed"));
    bar.setItemText(1, QStringLiteral("New label"));
    bar.setItemText(7, QStringLiteral("ignored"));
    bar.setFolderText(-1, QStringLiteral("ignored"));
    EXPECT_EQ(bar.folderText(2), "Renamed");
    EXPECT_EQ(bar.itemText(1, 1), "New label");

    QSignalSpy requested(&bar, &CGfxOutBarCtrl::itemLabelEditRequested);
    QObject::connect(&bar, &CGfxOutBarCtrl::itemLabelEditRequested, &bar,
                     &CGfxOutBarCtrl::setItemText);
    QTest::mouseClick(&bar, Qt::RightButton, {}, bar.itemImageRect(2).center());
    bar.runCommand(CGfxOutBarCtrl::CmdRename);
    ASSERT_NE(bar.labelEditor(), nullptr);
    bar.labelEditor()->setText(QStringLiteral("Edited"));
    QTest::keyClick(bar.labelEditor(), Qt::Key_Return);
    ASSERT_EQ(requested.count(), 1);
    EXPECT_EQ(requested.at(0).at(0).toInt(), 2);
    EXPECT_EQ(bar.itemText(1, 2), "Edited");
    EXPECT_EQ(bar.labelEditor(), nullptr);

    // A folder edit the owner does not accept changes nothing.
    QSignalSpy folderRequested(&bar, &CGfxOutBarCtrl::folderLabelEditRequested);
    QTest::mouseClick(&bar, Qt::RightButton, {}, bar.folderHeaderRect(3).center());
    bar.runCommand(CGfxOutBarCtrl::CmdRename);
    ASSERT_NE(bar.labelEditor(), nullptr);
    bar.labelEditor()->setText(QStringLiteral("Nope"));
    QTest::keyClick(bar.labelEditor(), Qt::Key_Return);
    ASSERT_EQ(folderRequested.count(), 1);
    EXPECT_EQ(folderRequested.at(0).at(1).toString(), "Nope");
    EXPECT_EQ(bar.folderText(3), "Folder 3");
}

TEST_F(BarFixture, RemovingFoldersMovesTheOpenFolder) {
    QSignalSpy removed(&bar, &CGfxOutBarCtrl::folderRemoved);
    bar.removeFolder(3);  // after the open one: it stays open
    EXPECT_EQ(bar.selFolder(), 1);
    bar.removeFolder(0);  // before it: the same folder, one position up
    EXPECT_EQ(bar.selFolder(), 0);
    EXPECT_EQ(bar.folderText(0), "Folder 1");
    bar.removeFolder(0);  // the open one at the top: the first remaining opens
    EXPECT_EQ(bar.selFolder(), 0);
    EXPECT_EQ(bar.folderText(0), "Folder 2");
    bar.removeFolder(5);
    EXPECT_EQ(removed.count(), 3);
    bar.removeFolder(0);
    EXPECT_EQ(bar.folderCount(), 0);
    EXPECT_EQ(bar.hitTest(QPoint(70, 100)).area, CGfxOutBarCtrl::HitNothing);
    bar.repaint();
}

TEST_F(BarFixture, RemovingItemsOfTheOpenFolder) {
    QSignalSpy removed(&bar, &CGfxOutBarCtrl::itemRemoved);
    bar.removeItem(3);
    bar.removeItem(-1);
    EXPECT_EQ(bar.itemCount(1), 3);
    bar.removeItem(0);
    ASSERT_EQ(removed.count(), 1);
    EXPECT_EQ(bar.itemCount(1), 2);
    EXPECT_EQ(bar.itemText(1, 0), "Item 1.1");
    EXPECT_EQ(bar.itemCount(0), 3);

    QTest::mouseClick(&bar, Qt::RightButton, {}, bar.itemImageRect(1).center());
    bar.runCommand(CGfxOutBarCtrl::CmdRemove);
    EXPECT_EQ(bar.itemCount(1), 1);
    QTest::mouseClick(&bar, Qt::RightButton, {}, bar.folderHeaderRect(0).center());
    bar.runCommand(CGfxOutBarCtrl::CmdRemove);
    EXPECT_EQ(bar.folderCount(), 3);
}

TEST_F(BarFixture, InsertItemClampsItsPosition) {
    EXPECT_EQ(bar.insertItem(0, 99, QStringLiteral("end"), 0, 0), 3);
    EXPECT_EQ(bar.insertItem(0, -5, QStringLiteral("end too"), 0, 0), 4);
    EXPECT_EQ(bar.insertItem(0, 0, QStringLiteral("first"), 0, 0), 0);
    EXPECT_EQ(bar.itemText(0, 0), "first");
    EXPECT_EQ(bar.insertItem(9, 0, QStringLiteral("no folder"), 0, 0), -1);
}

TEST_F(BarFixture, AnimatedFolderChangeSlidesOneHeaderPerFrame) {
    bar.setAnimated(true);
    bar.setSelFolder(3);
    EXPECT_EQ(bar.selFolder(), 3);
    ASSERT_TRUE(bar.isAnimating());
    // Header 3 climbs from the bottom (400 - 22) to its place at 3 * 22 - 1.
    const int distance = (400 - kH) - (3 * kH - 1);
    EXPECT_EQ(bar.animationFrameCount(), (distance + kH - 1) / kH);
    int frames = 1;
    while (bar.advanceAnimation()) {
        bar.repaint();
        ++frames;
    }
    EXPECT_EQ(frames, bar.animationFrameCount());
    EXPECT_FALSE(bar.isAnimating());

    bar.setSelFolder(1);
    bar.finishAnimation();
    // Opening the last folder: every header below the old one climbs together, one header
    // height per frame, so the third header is never hidden.
    bar.setSelFolder(3);
    ASSERT_TRUE(bar.advanceAnimation());
    const QImage frame = bar.grab().toImage();
    const int header2Top = (400 - 2 * kH) - 2 * kH;
    const QColor face = bar.palette().color(QPalette::Button);
    EXPECT_EQ(QColor(frame.pixel(5, header2Top + kH / 2)), face);
    EXPECT_NE(QColor(frame.pixel(5, header2Top - kH / 2)), face);
    bar.finishAnimation();

    bar.setSelFolder(0);
    ASSERT_TRUE(bar.isAnimating());
    bar.repaint();
    bar.finishAnimation();
    EXPECT_FALSE(bar.isAnimating());

    // The open folder again: nothing at all.
    bar.setSelFolder(0);
    EXPECT_FALSE(bar.isAnimating());
}

// Counts the paints the bar receives.
struct PaintCounter : QObject {
    int paints = 0;
    bool eventFilter(QObject*, QEvent* event) override {
        paints += event->type() == QEvent::Paint;
        return false;
    }
};

TEST_F(BarFixture, OpeningTheOpenFolderDoesNothing) {
    bar.setAnimated(true);
    PaintCounter counter;
    QCoreApplication::processEvents();
    bar.installEventFilter(&counter);
    bar.setSelFolder(1);
    QCoreApplication::processEvents();
    EXPECT_FALSE(bar.isAnimating());
    EXPECT_EQ(counter.paints, 0);

    // A click on its header still tells the owner, which re-runs its folder switch.
    QSignalSpy changed(&bar, &CGfxOutBarCtrl::folderChanged);
    const QPoint header1 = bar.folderHeaderRect(1).center();
    click(header1, header1);
    EXPECT_EQ(changed.count(), 1);
    EXPECT_FALSE(bar.isAnimating());
    EXPECT_EQ(bar.selFolder(), 1);
}

TEST_F(BarFixture, PaintsEveryStateWithoutTrouble) {
    fillFolder(1, 40);
    for (bool small : {false, true}) {
        bar.setSmallIconView(small);
        QTest::mouseMove(&bar, bar.folderHeaderRect(0).center());
        bar.repaint();
        QTest::mousePress(&bar, Qt::LeftButton, {}, bar.itemImageRect(0).center());
        bar.repaint();
        QTest::mouseRelease(&bar, Qt::LeftButton, {}, bar.itemImageRect(0).center());
        QTest::mousePress(&bar, Qt::LeftButton, {}, bar.downArrowRect().center());
        bar.repaint();
        QTest::mouseRelease(&bar, Qt::LeftButton, {}, bar.downArrowRect().center());
        ASSERT_TRUE(bar.isUpArrowShown());
        const QImage image = bar.grab().toImage();
        // The item area shows the bar's colour behind the items.
        EXPECT_EQ(QColor(image.pixel(2, bar.itemAreaRect().center().y())),
                  CGfxOutBarCtrl::kBackColour);
    }
}

TEST_F(BarFixture, ChildWidgetTakesTheItemAreaOfItsFolder) {
    bar.setAnimated(false);
    auto* child = new QWidget;
    bar.setFolderChild(2, child);
    EXPECT_FALSE(child->isVisible());
    bar.setSelFolder(2);
    EXPECT_TRUE(child->isVisible());
    EXPECT_EQ(child->geometry(), bar.itemAreaRect());
    EXPECT_EQ(bar.hitTest(bar.itemAreaRect().center()).area, CGfxOutBarCtrl::HitNothing);
    bar.setSelFolder(0);
    EXPECT_FALSE(child->isVisible());
}

}  // namespace

TEST(OutBarFont, ArialOrAnArialMetricTwinWithASixteenPixelCell) {
    const QFont font = CGfxOutBarCtrl::labelFont();
    const QString family = QFontInfo(font).family();
    EXPECT_TRUE((QStringList{"Arial", "Liberation Sans", "Arimo"}.contains(family)))
        << family.toStdString();
    EXPECT_EQ(QFontMetrics(font).height(), CGfxOutBarCtrl::kFontHeight);
    EXPECT_EQ(font.weight(), QFont::Normal);
    CGfxOutBarCtrl bar;
    EXPECT_EQ(bar.font(), font);
}

TEST(OutBarFont, EveryPhoneBookItemFitsTheFramesBarWidth) {
    CGfxOutBarCtrl bar(nullptr, 0);
    bar.resize(130, 400);
    bar.addFolder("Phone Book", 0);
    const QStringList items{"Copy to SIM   ", "Copy To MS   ", "Copy To PC   ",
                            "Cancel Delete     ", "Print          "};
    for (const QString& item : items) {
        bar.insertItem(0, -1, item, 0, 0);
    }
    bar.setImageList(makeImages(10), CGfxOutBarCtrl::SmallImages);
    bar.setSelFolder(0);
    bar.finishAnimation();
    bar.setSmallIconView(true);
    const QFontMetrics metrics(bar.font());
    for (int i = 0; i < items.size(); ++i) {
        SCOPED_TRACE(items[i].toStdString());
        // The trailing blanks may run past the edge; the letters may not.
        const int inkRight =
            bar.itemLabelRect(i).left() + metrics.horizontalAdvance(items[i].trimmed());
        EXPECT_LE(inkRight, 130);
    }
}
