#pragma once

#include <QDialog>

class QButtonGroup;

// The port Option dialog: "Available Ports" COM1 to COM4 and "Transmit Velocity". OK stores
// the chosen port as "CONFIG"/"PORT"; the speed choice is shown but not stored, the line
// always runs at the link's own speed.
class OptionDialog : public QDialog {
    Q_OBJECT

  public:
    explicit OptionDialog(QWidget* parent = nullptr);

    // 1 to 4, or 0 when no port button is selected (a setting beyond COM4).
    int selectedPort() const;
    void selectPort(int port);
    QString selectedSpeed() const;

    void accept() override;

  private:
    QButtonGroup* ports_;
    QButtonGroup* speeds_;
};
