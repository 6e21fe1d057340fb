// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

class QLabel;
class QMovie;
class CopyAnimationArea;

// "Phonebook Data Copy": the source and target phonebook names over an animation that runs
// while entries are copied. It plays a clip named filecopy (any format QMovie reads) from the
// working directory when there is one, otherwise a small painted animation.
class CopyAnimationDialog : public QDialog {
    Q_OBJECT
  public:
    explicit CopyAnimationDialog(QWidget* parent = nullptr);
    ~CopyAnimationDialog() override;

    void setNames(const QString& source, const QString& target);
    // Shows the dialog and plays the animation in an endless loop.
    void start();
    // Stops the animation, releases the clip and hides the dialog.
    void stop();

    bool playing() const;
    QString sourceText() const;
    QString targetText() const;

  private:
    QLabel* source_;
    QLabel* target_;
    QLabel* clipLabel_;
    CopyAnimationArea* painted_;
    QMovie* movie_ = nullptr;
};
