// SPDX-License-Identifier: GPL-3.0-or-later
#include "phonebook/ui/CopyAnimationDialog.h"

#include <QDir>
#include <QLabel>
#include <QMovie>
#include <QPainter>
#include <QTimer>
#include <QVBoxLayout>

// Sheets flying from one folder to the other, drawn when no clip is at hand.
class CopyAnimationArea : public QWidget {
  public:
    explicit CopyAnimationArea(QWidget* parent) : QWidget(parent) {
        setFixedSize(272, 60);
        timer_.setInterval(60);
        connect(&timer_, &QTimer::timeout, this, [this] {
            frame_ = (frame_ + 1) % kFrames;
            update();
        });
    }
    void start() {
        frame_ = 0;
        timer_.start();
    }
    void stop() { timer_.stop(); }
    bool running() const { return timer_.isActive(); }

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        const QColor folder(230, 190, 90);
        painter.setPen(Qt::darkGray);
        painter.setBrush(folder);
        painter.drawRect(8, 20, 44, 32);
        painter.drawRect(width() - 52, 20, 44, 32);
        const double t = double(frame_) / (kFrames - 1);
        const double x = 30 + t * (width() - 90);
        const double y = 24 - 20 * 4 * t * (1 - t);
        painter.setBrush(Qt::white);
        painter.drawRect(QRectF(x, y, 22, 28));
    }

  private:
    static constexpr int kFrames = 20;
    QTimer timer_;
    int frame_ = 0;
};

namespace {
QString clipPath() {
    const QDir dir = QDir::current();
    for (const QString& name : dir.entryList({QStringLiteral("filecopy.*")}, QDir::Files)) {
        QMovie probe(dir.filePath(name));
        if (probe.isValid()) {
            return dir.filePath(name);
        }
    }
    return {};
}
}  // namespace

CopyAnimationDialog::CopyAnimationDialog(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Phonebook Data Copy"));
    clipLabel_ = new QLabel(this);
    clipLabel_->setAlignment(Qt::AlignCenter);
    clipLabel_->hide();
    painted_ = new CopyAnimationArea(this);
    source_ = new QLabel(this);
    source_->setObjectName(QStringLiteral("sourceLabel"));
    target_ = new QLabel(this);
    target_->setObjectName(QStringLiteral("targetLabel"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(clipLabel_);
    layout->addWidget(painted_, 0, Qt::AlignHCenter);
    layout->addWidget(source_);
    layout->addWidget(target_);
}

CopyAnimationDialog::~CopyAnimationDialog() = default;

void CopyAnimationDialog::setNames(const QString& source, const QString& target) {
    source_->setText(source);
    target_->setText(target);
}

void CopyAnimationDialog::start() {
    const QString clip = clipPath();
    if (!clip.isEmpty()) {
        movie_ = new QMovie(clip, QByteArray(), this);
        connect(movie_, &QMovie::finished, movie_, &QMovie::start);
        clipLabel_->setMovie(movie_);
        clipLabel_->show();
        painted_->hide();
        movie_->start();
    } else {
        clipLabel_->hide();
        painted_->show();
        painted_->start();
    }
    show();
}

void CopyAnimationDialog::stop() {
    if (movie_) {
        movie_->stop();
        clipLabel_->setMovie(nullptr);
        delete movie_;
        movie_ = nullptr;
    }
    painted_->stop();
    hide();
}

bool CopyAnimationDialog::playing() const {
    return (movie_ && movie_->state() == QMovie::Running) || painted_->running();
}

QString CopyAnimationDialog::sourceText() const {
    return source_->text();
}

QString CopyAnimationDialog::targetText() const {
    return target_->text();
}
