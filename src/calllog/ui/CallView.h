// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFont>
#include <QRect>
#include <QString>
#include <QWidget>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLineEdit;
class QTreeWidget;

// The call log page: its final layout with an engraved title. Nothing is read from the phone
// or a database, and its controls have no behaviour yet.
class CCallView : public QWidget {
    Q_OBJECT

  public:
    explicit CCallView(QWidget* parent = nullptr);

    // Creates the title font and text; run once, as the view is set up.
    void onInitialUpdate();

    QString titleText() const { return titleText_; }
    QFont titleFont() const { return titleFont_; }
    // Where the title is drawn, in the view's own coordinates.
    QRect titleRect() const;

    QTreeWidget* callList() const { return callList_; }
    QGroupBox* callLogGroup() const { return callLogGroup_; }
    QGroupBox* optionGroup() const { return optionGroup_; }
    QGroupBox* messageGroup() const { return messageGroup_; }
    QCheckBox* outgoingCheck() const { return outgoing_; }
    QCheckBox* incomingCheck() const { return incoming_; }
    QComboBox* itemsCombo() const { return items_; }
    QLineEdit* searchEdit() const { return search_; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QTreeWidget* callList_;
    QGroupBox* callLogGroup_;
    QGroupBox* optionGroup_;
    QGroupBox* messageGroup_;
    QCheckBox* outgoing_;
    QCheckBox* incoming_;
    QComboBox* items_;
    QLineEdit* search_;
    QFont titleFont_;
    QString titleText_;
};
