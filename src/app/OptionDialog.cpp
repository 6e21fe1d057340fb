#include "app/OptionDialog.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "platform/Profile.h"

namespace {
QGroupBox* radioGroup(const QString& title, const QStringList& texts, QButtonGroup* group,
                      QWidget* parent) {
    auto* box = new QGroupBox(title, parent);
    auto* layout = new QVBoxLayout(box);
    for (int i = 0; i < texts.size(); ++i) {
        auto* radio = new QRadioButton(texts[i], box);
        group->addButton(radio, i + 1);
        layout->addWidget(radio);
    }
    return box;
}
}  // namespace

OptionDialog::OptionDialog(QWidget* parent)
    : QDialog(parent), ports_(new QButtonGroup(this)), speeds_(new QButtonGroup(this)) {
    setWindowTitle("Option");
    auto* groups = new QHBoxLayout;
    groups->addWidget(
        radioGroup("Available Ports", {"COM1", "COM2", "COM3", "COM4"}, ports_, this));
    groups->addWidget(radioGroup("Transmit Velocity",
                                 {"2400 bps", "4800 bps", "7200 bps", "9600 bps"}, speeds_, this));

    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton("OK", QDialogButtonBox::AcceptRole)->setDefault(true);
    buttons->addButton("Cancel", QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &OptionDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &OptionDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(groups);
    layout->addWidget(buttons);

    selectPort(Profile::intValue("CONFIG", "PORT", 3));
    speeds_->button(4)->setChecked(true);
}

int OptionDialog::selectedPort() const {
    return std::max(ports_->checkedId(), 0);
}

void OptionDialog::selectPort(int port) {
    if (QAbstractButton* button = ports_->button(port)) {
        button->setChecked(true);
        return;
    }
    // A port beyond the four buttons (a cable found on COM5, say) selects none.
    ports_->setExclusive(false);
    for (QAbstractButton* button : ports_->buttons()) {
        button->setChecked(false);
    }
    ports_->setExclusive(true);
}

QString OptionDialog::selectedSpeed() const {
    QAbstractButton* button = speeds_->checkedButton();
    return button ? button->text() : QString();
}

void OptionDialog::accept() {
    // With no port button selected there is nothing to store: the setting stays as it was
    // rather than becoming a port that does not exist.
    if (const int port = selectedPort(); port > 0) {
        Profile::setValue("CONFIG", "PORT", port);
    }
    QDialog::accept();
}
