// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QFontMetrics>
#include <QFormLayout>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QTest>
#include <QTreeWidget>

#include "calllog/ui/CallView.h"

namespace {

QString formLabel(QWidget* field) {
    auto* form = qobject_cast<QFormLayout*>(field->parentWidget()->layout());
    if (!form) {
        return {};
    }
    auto* label = form->labelForField(field);
    auto* text = label ? qobject_cast<QLabel*>(label) : nullptr;
    return text ? text->text() : QString();
}

TEST(CallView, LayoutHoldsItsControlsWithTheirTexts) {
    CCallView view;
    view.resize(700, 500);
    view.show();

    EXPECT_EQ(view.callLogGroup()->title(), "Call Log");
    EXPECT_TRUE(view.callLogGroup()->isAncestorOf(view.callList()));
    EXPECT_EQ(view.callList()->topLevelItemCount(), 0);

    EXPECT_EQ(view.optionGroup()->title(), "Option");
    EXPECT_EQ(view.outgoingCheck()->text(), "Out going");
    EXPECT_EQ(view.incomingCheck()->text(), "In coming");
    EXPECT_TRUE(view.optionGroup()->isAncestorOf(view.outgoingCheck()));
    EXPECT_TRUE(view.optionGroup()->isAncestorOf(view.incomingCheck()));

    EXPECT_EQ(view.messageGroup()->title(), "Message");
    EXPECT_TRUE(view.messageGroup()->isAncestorOf(view.itemsCombo()));
    EXPECT_TRUE(view.messageGroup()->isAncestorOf(view.searchEdit()));
    EXPECT_EQ(formLabel(view.itemsCombo()), "Items");
    EXPECT_EQ(formLabel(view.searchEdit()), "Search Value");

    QStringList items;
    for (int i = 0; i < view.itemsCombo()->count(); ++i) {
        items << view.itemsCombo()->itemText(i);
    }
    EXPECT_EQ(items, (QStringList{"Date / Time", "Name", "Phone Number"}));
    EXPECT_TRUE(view.itemsCombo()->isEditable());

    // Nothing overlaps the title band.
    for (QWidget* w :
         {static_cast<QWidget*>(view.callLogGroup()), static_cast<QWidget*>(view.optionGroup())}) {
        EXPECT_GE(w->geometry().top(), view.titleRect().bottom());
    }
}

TEST(CallView, TitleTextAndFont) {
    CCallView view;
    EXPECT_EQ(view.titleText(), "Dexmoro Call Log");
    EXPECT_EQ(view.titleFont().family(), "Arial");
    EXPECT_EQ(view.titleFont().pixelSize(), 24);
    EXPECT_EQ(view.titleFont().weight(), QFont::Bold);
    EXPECT_TRUE(view.titleFont().italic());
    EXPECT_FALSE(view.titleFont().underline());
    const QRect title = view.titleRect();
    EXPECT_EQ(title.topLeft(), QPoint(10, 0));
    EXPECT_EQ(title.height(), 50);
    EXPECT_GE(title.width(), 190);
    // Never cut, whatever font stands in for Arial.
    EXPECT_GE(title.width(), QFontMetrics(view.titleFont()).horizontalAdvance(view.titleText()));
}

TEST(CallView, TitleIsEngravedInTheThreeDColours) {
    CCallView view;
    QPalette palette = view.palette();
    palette.setColor(QPalette::Window, QColor(128, 128, 128));
    palette.setColor(QPalette::Light, QColor(255, 0, 0));
    palette.setColor(QPalette::Dark, QColor(0, 0, 255));
    view.setPalette(palette);
    view.setAutoFillBackground(true);
    view.resize(400, 300);

    const QImage image = view.grab(view.titleRect().adjusted(0, 0, 2, 2)).toImage();
    int highlight = 0;
    int shadow = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            highlight += c.red() > 200 && c.blue() < 80;
            shadow += c.blue() > 200 && c.red() < 80;
        }
    }
    EXPECT_GT(highlight, 0);
    EXPECT_GT(shadow, highlight / 4);
}

TEST(CallView, ControlsChangeNothingElse) {
    CCallView view;
    view.resize(700, 500);
    view.show();
    view.layout()->activate();
    QTest::mouseClick(view.outgoingCheck(), Qt::LeftButton, {}, QPoint(5, 5));
    QTest::keyClicks(view.searchEdit(), QStringLiteral("0123"));
    view.itemsCombo()->setCurrentIndex(2);
    EXPECT_TRUE(view.outgoingCheck()->isChecked());
    EXPECT_FALSE(view.incomingCheck()->isChecked());
    EXPECT_EQ(view.callList()->topLevelItemCount(), 0);
    EXPECT_EQ(view.itemsCombo()->count(), 3);
    EXPECT_EQ(view.searchEdit()->text(), "0123");
    EXPECT_EQ(view.titleText(), "Dexmoro Call Log");
}

}  // namespace
