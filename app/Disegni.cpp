#include "app/Disegni.h"

#include <QLinearGradient>
#include <QPainter>
#include <QRadialGradient>

namespace elencario {

QPixmap IconaStampante() {
    QPixmap icona(48, 48);
    icona.fill(Qt::transparent);
    QPainter p(&icona);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(40, 40, 40), 1.5));

    // Sheet going in at the back.
    p.setBrush(Qt::white);
    p.drawRect(QRectF(13.5, 4.5, 21, 16));
    // Body.
    QLinearGradient corpo(0, 18, 0, 38);
    corpo.setColorAt(0, QColor(150, 155, 165));
    corpo.setColorAt(1, QColor(80, 85, 95));
    p.setBrush(corpo);
    p.drawRoundedRect(QRectF(4.5, 18.5, 39, 19), 4, 4);
    // Power light.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(60, 200, 80));
    p.drawEllipse(QPointF(37.5, 24.5), 2, 2);
    // Printed sheet coming out at the front, with its lines of numbers.
    p.setPen(QPen(QColor(40, 40, 40), 1.5));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(11.5, 30.5, 25, 15));
    p.setPen(QPen(QColor(53, 134, 132), 1.5));
    for (const double y : {35.0, 38.5, 42.0}) p.drawLine(QPointF(15, y), QPointF(33, y));
    return icona;
}

QPixmap ImmagineLink() {
    QPixmap immagine(120, 31);
    immagine.fill(Qt::transparent);
    QPainter p(&immagine);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);

    const QColor colori[] = {QColor(200, 40, 40), QColor(230, 150, 20), QColor(40, 140, 60),
                             QColor(40, 90, 190), QColor(130, 50, 160)};
    const int numeri[] = {3, 15, 27, 42, 90};
    QFont carattere = p.font();
    carattere.setPixelSize(10);
    carattere.setBold(true);
    p.setFont(carattere);
    for (int i = 0; i < 5; ++i) {
        const QPointF centro(12.0 + i * 24.0, 15.5);
        QRadialGradient luce(centro - QPointF(4, 4), 14);
        luce.setColorAt(0, colori[i].lighter(170));
        luce.setColorAt(1, colori[i]);
        p.setPen(QPen(colori[i].darker(150), 1));
        p.setBrush(luce);
        p.drawEllipse(centro, 11, 11);
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::white);
        p.drawEllipse(centro, 7, 7);
        p.setPen(Qt::black);
        p.drawText(QRectF(centro.x() - 7, centro.y() - 7, 14, 14), Qt::AlignCenter,
                   QString::number(numeri[i]));
    }
    return immagine;
}

}  // namespace elencario
