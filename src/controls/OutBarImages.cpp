// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls/OutBarImages.h"

#include <QPainter>
#include <QPainterPath>

#include <functional>

namespace {

constexpr int kLarge = 32;
constexpr int kSmall = 10;

OutBarImageList paintList(int side, const std::function<void(QPainter&)>& draw) {
    QPixmap pixmap(side, side);
    pixmap.fill(Qt::transparent);
    {
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        draw(painter);
    }
    OutBarImageList list;
    list.imageSize = QSize(side, side);
    list.images.append(pixmap);
    return list;
}

const QColor kOutline(40, 40, 60);

}  // namespace

namespace OutBarImages {

OutBarImageList phonebook() {
    return paintList(kLarge, [](QPainter& p) {
        // A bound book with a handset on its cover.
        p.setPen(QPen(kOutline, 1.5));
        p.setBrush(QColor(200, 60, 50));
        p.drawRoundedRect(QRectF(6, 3, 21, 26), 2, 2);
        p.setBrush(QColor(245, 235, 210));
        p.drawRect(QRectF(24, 5, 3, 22));
        p.setPen(QPen(QColor(255, 240, 200), 3, Qt::SolidLine, Qt::RoundCap));
        p.drawArc(QRectF(9, 10, 12, 12), 200 * 16, 140 * 16);
    });
}

OutBarImageList messages() {
    return paintList(kLarge, [](QPainter& p) {
        // An envelope.
        p.setPen(QPen(kOutline, 1.5));
        p.setBrush(QColor(250, 245, 225));
        const QRectF body(3, 8, 26, 17);
        p.drawRect(body);
        QPainterPath flap;
        flap.moveTo(body.topLeft());
        flap.lineTo(body.center().x(), body.top() + 10);
        flap.lineTo(body.topRight());
        p.setBrush(Qt::NoBrush);
        p.drawPath(flap);
    });
}

OutBarImageList todo() {
    return paintList(kLarge, [](QPainter& p) {
        // A sheet with three ticked lines.
        p.setPen(QPen(kOutline, 1.5));
        p.setBrush(Qt::white);
        p.drawRect(QRectF(6, 3, 20, 26));
        for (int row = 0; row < 3; ++row) {
            const qreal y = 10 + row * 7;
            p.setPen(QPen(QColor(40, 150, 60), 2));
            p.drawLine(QPointF(9, y), QPointF(11, y + 2));
            p.drawLine(QPointF(11, y + 2), QPointF(14, y - 2));
            p.setPen(QPen(QColor(120, 120, 140), 1));
            p.drawLine(QPointF(16, y), QPointF(23, y));
        }
    });
}

OutBarImageList scheduler() {
    return paintList(kLarge, [](QPainter& p) {
        // A calendar page with a coloured top band.
        p.setPen(QPen(kOutline, 1.5));
        p.setBrush(Qt::white);
        p.drawRect(QRectF(4, 5, 24, 23));
        p.setBrush(QColor(60, 110, 200));
        p.drawRect(QRectF(4, 5, 24, 6));
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(120, 120, 140));
        for (int row = 0; row < 3; ++row) {
            for (int col = 0; col < 4; ++col) {
                p.drawRect(QRectF(7 + col * 5, 14 + row * 4.5, 3, 3));
            }
        }
    });
}

OutBarImageList smallBullet() {
    return paintList(kSmall, [](QPainter& p) {
        p.setPen(QPen(kOutline, 1));
        p.setBrush(QColor(240, 200, 60));
        p.drawEllipse(QRectF(1.5, 1.5, 7, 7));
    });
}

}  // namespace OutBarImages
