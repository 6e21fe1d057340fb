// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

#include <functional>

class QLabel;
class QLineEdit;

// Shown when no phone answered at start-up: go on off-line (OK), stop (Cancel), or choose
// another port in the Option dialog and try again ("Manual Select").
class CableDetectionDialog : public QDialog {
    Q_OBJECT

  public:
    // The result of exec() after "Manual Select".
    static constexpr int ManualSelect = 10;

    // runOptionDialog shows the Option dialog modally (by default the real one) and tells
    // whether the user chose a port there (OK).
    explicit CableDetectionDialog(QWidget* parent = nullptr,
                                  std::function<bool(QWidget*)> runOptionDialog = {});

    QString portLine() const;
    // A line on what the phone that did answer needs (another maker's: the phone type to
    // choose); nothing is shown without one.
    void setNote(const QString& note);
    // After "Manual Select": whether a port was chosen in the Option dialog.
    bool portChosen() const { return portChosen_; }

  private:
    void manualSelect();

    std::function<bool(QWidget*)> runOptionDialog_;
    QLineEdit* portLine_;
    QLabel* note_;
    bool portChosen_ = false;
};
