// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/ToolbarImages.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace {
void page(QPainter& p, const QRectF& r) {
    p.setPen(QPen(QColor(60, 60, 90), 1.5));
    p.setBrush(Qt::white);
    p.drawRect(r);
    p.setPen(QPen(QColor(150, 150, 180), 1));
    for (qreal y = r.top() + 5; y < r.bottom() - 2; y += 4) {
        p.drawLine(QPointF(r.left() + 3, y), QPointF(r.right() - 3, y));
    }
}

void arrow(QPainter& p, QPointF from, QPointF to, const QColor& colour) {
    p.setPen(QPen(colour, 3, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(from, to);
    const QPointF d = (to - from) / std::max(1.0, QLineF(from, to).length());
    const QPointF n(-d.y(), d.x());
    p.drawLine(to, to - d * 6 + n * 5);
    p.drawLine(to, to - d * 6 - n * 5);
}

void cross(QPainter& p, const QRectF& r, const QColor& colour) {
    p.setPen(QPen(colour, 4, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(r.topLeft(), r.bottomRight());
    p.drawLine(r.topRight(), r.bottomLeft());
}
}  // namespace

QIcon toolbarIcon(int button) {
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    switch (button) {
        case 0:  // New
            page(p, QRectF(7, 4, 18, 24));
            p.setPen(QPen(QColor(240, 180, 0), 3));
            p.drawLine(QPointF(24, 2), QPointF(24, 12));
            p.drawLine(QPointF(19, 7), QPointF(29, 7));
            break;
        case 1:  // Edit/View
            page(p, QRectF(5, 4, 18, 24));
            p.setPen(QPen(QColor(200, 120, 40), 4, Qt::SolidLine, Qt::RoundCap));
            p.drawLine(QPointF(27, 10), QPointF(15, 24));
            break;
        case 2:  // Copy
            page(p, QRectF(4, 3, 15, 20));
            page(p, QRectF(13, 9, 15, 20));
            break;
        case 3:  // Move
            page(p, QRectF(4, 8, 14, 18));
            arrow(p, QPointF(16, 16), QPointF(29, 16), QColor(40, 120, 200));
            break;
        case 4:  // Delete
            cross(p, QRectF(8, 8, 16, 16), QColor(200, 40, 40));
            break;
        case 5:  // DeleteAll
            page(p, QRectF(4, 3, 15, 20));
            page(p, QRectF(13, 9, 15, 20));
            cross(p, QRectF(10, 10, 14, 14), QColor(200, 40, 40));
            break;
        case 6: {  // Reload
            p.setPen(QPen(QColor(40, 150, 80), 3.5, Qt::SolidLine, Qt::RoundCap));
            p.drawArc(QRectF(6, 6, 20, 20), 60 * 16, 280 * 16);
            QPainterPath head;
            head.moveTo(22, 3);
            head.lineTo(28, 9);
            head.lineTo(20, 11);
            head.closeSubpath();
            p.setPen(Qt::NoPen);
            p.setBrush(QColor(40, 150, 80));
            p.drawPath(head);
            break;
        }
        case 7: {  // Help
            p.setPen(QPen(QColor(40, 80, 170), 2));
            p.setBrush(QColor(90, 140, 230));
            p.drawEllipse(QRectF(4, 4, 24, 24));
            QFont font("Arial");
            font.setPixelSize(18);
            font.setBold(true);
            p.setFont(font);
            p.setPen(Qt::white);
            p.drawText(QRect(0, 0, 32, 32), Qt::AlignCenter, "?");
            break;
        }
        case 8:  // Exit
            p.setPen(QPen(QColor(90, 70, 50), 2));
            p.setBrush(QColor(170, 130, 90));
            p.drawRect(QRectF(6, 4, 14, 24));
            arrow(p, QPointF(15, 16), QPointF(29, 16), QColor(200, 40, 40));
            break;
        case 9:  // Connect: a plug meeting its socket
            p.setPen(QPen(QColor(60, 60, 60), 2));
            p.setBrush(QColor(120, 120, 120));
            p.drawRect(QRectF(4, 11, 10, 10));
            p.drawLine(QPointF(14, 13), QPointF(18, 13));
            p.drawLine(QPointF(14, 19), QPointF(18, 19));
            p.setBrush(QColor(40, 150, 80));
            p.drawRect(QRectF(19, 9, 9, 14));
            break;
        default:
            break;
    }
    return QIcon(pixmap);
}
