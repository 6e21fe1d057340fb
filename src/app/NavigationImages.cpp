#include "app/NavigationImages.h"

#include <QPainter>

#include "app/NavigationContents.h"

namespace {
QPixmap glyph(const QColor& colour, const QString& letter) {
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(colour.darker(160), 1.5));
    p.setBrush(colour);
    p.drawRoundedRect(QRectF(3, 3, 26, 26), 6, 6);
    p.setPen(Qt::white);
    QFont font("Arial");
    font.setPixelSize(16);
    font.setBold(true);
    p.setFont(font);
    p.drawText(QRect(0, 0, 32, 32), Qt::AlignCenter, letter);
    return pixmap;
}
}  // namespace

OutBarImageList featureImageList(int feature) {
    switch (feature) {
        case PhonebookFolder:
            return {QSize(32, 32), {glyph(QColor(60, 120, 200), "P")}};
        case SmsFolder:
            return {QSize(32, 32), {glyph(QColor(200, 140, 40), "M")}};
        case SchedulerFolder:
            return {QSize(32, 32), {glyph(QColor(60, 160, 90), "S")}};
        case TodoFolder:
            return {QSize(32, 32), {glyph(QColor(170, 70, 70), "T")}};
        default:
            return {};
    }
}

OutBarImageList smallItemImageList() {
    QPixmap bullet(10, 10);
    bullet.fill(Qt::transparent);
    QPainter p(&bullet);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(230, 220, 120));
    p.drawPolygon(QPolygonF({QPointF(2, 1), QPointF(9, 5), QPointF(2, 9)}));
    return {QSize(10, 10), {bullet}};
}
