// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/SplashWindow.h"

#include <QApplication>
#include <QEvent>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QScreen>
#include <QTimer>

namespace {
bool splashEnabled = true;

void paintPhone(QPainter& p, const QRectF& body) {
    p.setPen(QPen(QColor(30, 30, 60), 2));
    p.setBrush(QColor(45, 48, 80));
    p.drawRoundedRect(body, 10, 10);
    const QRectF screen = body.adjusted(8, 14, -8, -body.height() * 0.5);
    QLinearGradient glow(screen.topLeft(), screen.bottomRight());
    glow.setColorAt(0, QColor(170, 220, 170));
    glow.setColorAt(1, QColor(110, 170, 120));
    p.setBrush(glow);
    p.drawRect(screen);
    p.setBrush(QColor(200, 200, 215));
    p.setPen(Qt::NoPen);
    const qreal keyW = (body.width() - 24) / 3;
    const qreal top = screen.bottom() + 10;
    for (int row = 0; row < 4; ++row) {
        for (int col = 0; col < 3; ++col) {
            p.drawRoundedRect(
                QRectF(body.left() + 8 + col * (keyW + 4), top + row * 14, keyW - 4, 9), 3, 3);
        }
    }
}
}  // namespace

void SplashWindow::setEnabled(bool enabled) {
    splashEnabled = enabled;
}

bool SplashWindow::isEnabled() {
    return splashEnabled;
}

SplashWindow* SplashWindow::showIfEnabled() {
    if (!splashEnabled) {
        return nullptr;
    }
    auto* splash = new SplashWindow;
    splash->show();
    return splash;
}

SplashWindow::SplashWindow() : QWidget(nullptr, Qt::SplashScreen | Qt::FramelessWindowHint) {
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(picture().size());
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        move(screen->availableGeometry().center() - rect().center());
    }
    qApp->installEventFilter(this);
    QTimer::singleShot(LifetimeMs, this, &QWidget::close);
}

SplashWindow::~SplashWindow() {
    qApp->removeEventFilter(this);
}

QPixmap SplashWindow::picture() {
    QPixmap pixmap(420, 260);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, pixmap.height());
    sky.setColorAt(0, QColor(70, 70, 123));
    sky.setColorAt(1, QColor(20, 20, 50));
    p.fillRect(pixmap.rect(), sky);
    paintPhone(p, QRectF(300, 40, 80, 180));

    QFont title("Arial", 30, QFont::Bold);
    p.setFont(title);
    p.setPen(QColor(240, 240, 255));
    p.drawText(QRect(30, 70, 260, 60), Qt::AlignLeft | Qt::AlignVCenter, "Dexmoro");
    QFont maker("Arial", 12, QFont::Bold);
    p.setFont(maker);
    p.setPen(QColor(200, 200, 120));
    p.drawText(QRect(32, 40, 260, 30), Qt::AlignLeft | Qt::AlignVCenter, "QUILLON");
    QFont line("Arial", 10);
    p.setFont(line);
    p.setPen(QColor(200, 200, 230));
    p.drawText(QRect(32, 140, 260, 60), Qt::AlignLeft | Qt::TextWordWrap,
               "Phone book, messages, scheduler and to-do list for your Quillon phone");
    p.setPen(QPen(QColor(200, 200, 120), 2));
    p.drawLine(32, 132, 270, 132);
    return pixmap;
}

void SplashWindow::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.drawPixmap(0, 0, picture());
}

bool SplashWindow::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
        case QEvent::KeyPress:
        case QEvent::ShortcutOverride:
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
        case QEvent::NonClientAreaMouseButtonPress:
        case QEvent::NonClientAreaMouseButtonDblClick:
            close();
            break;
        default:
            break;
    }
    return QWidget::eventFilter(watched, event);
}
