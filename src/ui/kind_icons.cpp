#include "ui/kind_icons.h"

#include "model/element.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace redewerk {
namespace {

constexpr int kSize = 32; // drawn large, scaled down by the view

using TPainterFunction = void (*)(QPainter&);

void DrawFolder(QPainter& p) {
    p.setPen(QPen(QColor(150, 110, 20), 1.5));
    p.setBrush(QColor(240, 196, 70));
    QPainterPath tab;
    tab.moveTo(3, 8);
    tab.lineTo(12, 8);
    tab.lineTo(15, 11);
    tab.lineTo(29, 11);
    tab.lineTo(29, 26);
    tab.lineTo(3, 26);
    tab.closeSubpath();
    p.drawPath(tab);
    p.setBrush(QColor(252, 220, 110));
    p.drawRect(QRectF(3, 14, 26, 12));
}

// A speech bubble: something is said.
void DrawDialog(QPainter& p) {
    p.setPen(QPen(QColor(30, 70, 150), 1.5));
    p.setBrush(QColor(110, 160, 235));
    QPainterPath bubble;
    bubble.addRoundedRect(QRectF(3, 4, 26, 17), 6, 6);
    QPainterPath tail;
    tail.moveTo(9, 19);
    tail.lineTo(7, 28);
    tail.lineTo(16, 20);
    tail.closeSubpath();
    p.drawPath(bubble.united(tail));
    p.setPen(QPen(Qt::white, 2.0, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(9, 10), QPointF(23, 10));
    p.drawLine(QPointF(9, 15), QPointF(19, 15));
}

// A lightning bolt: something happens by itself.
void DrawEvent(QPainter& p) {
    p.setPen(QPen(QColor(160, 70, 0), 1.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(QColor(255, 165, 30));
    QPolygonF bolt;
    bolt << QPointF(18, 2) << QPointF(7, 18) << QPointF(15, 18) << QPointF(12, 30)
         << QPointF(25, 12) << QPointF(17, 12) << QPointF(21, 2);
    p.drawPolygon(bolt);
}

// Branching arrows: the hero picks one of several options.
void DrawChoice(QPainter& p) {
    p.setPen(QPen(QColor(20, 120, 50), 3.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawLine(QPointF(5, 16), QPointF(14, 16));
    p.drawLine(QPointF(14, 16), QPointF(24, 7));
    p.drawLine(QPointF(14, 16), QPointF(24, 25));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(20, 120, 50));
    p.drawPolygon(QPolygonF() << QPointF(28, 3) << QPointF(19, 5) << QPointF(26, 12));
    p.drawPolygon(QPolygonF() << QPointF(28, 29) << QPointF(19, 27) << QPointF(26, 20));
}

// Curly braces: plain code.
void DrawCode(QPainter& p) {
    p.setPen(QPen(QColor(70, 70, 80), 1.2));
    p.setBrush(QColor(235, 235, 240));
    p.drawRoundedRect(QRectF(2, 3, 28, 26), 4, 4);
    QFont font = p.font();
    font.setBold(true);
    font.setPixelSize(18);
    p.setFont(font);
    p.setPen(QColor(120, 40, 140));
    p.drawText(QRectF(2, 3, 28, 26), Qt::AlignCenter, QStringLiteral("{}"));
}

QIcon Draw(TPainterFunction paint) {
    QPixmap pixmap(kSize, kSize);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    paint(painter);
    painter.end();
    return QIcon(pixmap);
}

} // namespace

std::vector<QIcon> MakeKindIcons() {
    std::vector<QIcon> icons(ekCode + 1);
    icons[ekFolder] = Draw(DrawFolder);
    icons[ekDialog] = Draw(DrawDialog);
    icons[ekEvent] = Draw(DrawEvent);
    icons[ekChoice] = Draw(DrawChoice);
    icons[ekCode] = Draw(DrawCode);
    return icons;
}

} // namespace redewerk
