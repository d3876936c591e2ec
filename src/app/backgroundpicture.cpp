#include "app/backgroundpicture.h"

#include "platform/system/version.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

namespace {

// The scene is drawn on an 800 x 500 canvas, centred and scaled to the widget.
constexpr qreal kWidth = 800;
constexpr qreal kHeight = 500;
constexpr qreal kHorizon = 300;

void drawAFrame(QPainter& p)
{
    const QPointF left(70, 400), top(170, 250), right(270, 400);
    QPainterPath frame;
    frame.moveTo(left);
    frame.lineTo(top);
    frame.lineTo(right);
    frame.closeSubpath();
    p.setPen(QPen(QColor(90, 60, 30), 2));
    p.setBrush(QColor(200, 60, 50));
    p.drawPath(frame);
    // Yellow contact zones at both feet.
    p.setBrush(QColor(245, 205, 40));
    auto zone = [&](QPointF foot, qreal t) {
        const QPointF up = foot + (top - foot) * t;
        QPolygonF poly{foot, up, QPointF(up.x() + (foot.x() < top.x() ? 14 : -14), up.y() + 6),
                       QPointF(foot.x() + (foot.x() < top.x() ? 14 : -14), foot.y())};
        p.drawPolygon(poly);
    };
    zone(left, 0.28);
    zone(right, 0.28);
    // Slats.
    p.setPen(QPen(QColor(120, 40, 30), 1.5));
    for (int i = 1; i < 10; ++i) {
        const qreal t = i / 10.0;
        const QPointF a = left + (top - left) * t;
        const QPointF b = right + (top - right) * t;
        p.drawLine(a, a + QPointF(10, 2));
        p.drawLine(b, b + QPointF(-10, 2));
    }
}

void drawTunnel(QPainter& p)
{
    QLinearGradient body(0, 330, 0, 410);
    body.setColorAt(0, QColor(70, 120, 220));
    body.setColorAt(1, QColor(30, 60, 150));
    QPainterPath tube;
    tube.moveTo(300, 410);
    tube.cubicTo(320, 320, 470, 320, 500, 405);
    tube.lineTo(465, 408);
    tube.cubicTo(445, 355, 345, 355, 335, 412);
    tube.closeSubpath();
    p.setPen(QPen(QColor(20, 40, 110), 1.5));
    p.setBrush(body);
    p.drawPath(tube);
    // Ribs.
    p.setPen(QPen(QColor(150, 185, 245), 1.2));
    for (int i = 1; i < 8; ++i) {
        const qreal t = i / 8.0;
        const qreal x = 318 + t * 165;
        const qreal y = 410 - 60 * (1 - (2 * t - 1) * (2 * t - 1));
        p.drawLine(QPointF(x - 6, y + 2), QPointF(x + 6, y + 10));
    }
    // The dark opening.
    p.setPen(QPen(QColor(20, 40, 110), 2));
    p.setBrush(QColor(15, 20, 40));
    p.drawEllipse(QPointF(318, 398), 18, 16);
}

void drawWeavePoles(QPainter& p)
{
    for (int i = 0; i < 6; ++i) {
        const qreal x = 560 + i * 34;
        const qreal bottom = 395 - i * 6;
        const qreal topY = bottom - 95;
        p.setPen(Qt::NoPen);
        for (int s = 0; s < 6; ++s) {
            p.setBrush(s % 2 ? QColor(250, 250, 250) : QColor(40, 150, 60));
            p.drawRect(QRectF(x - 3, topY + s * (bottom - topY) / 6, 6, (bottom - topY) / 6 + 0.5));
        }
    }
    p.setPen(QPen(QColor(110, 110, 110), 3));
    p.drawLine(QPointF(556, 397), QPointF(734, 367));
}

void drawJump(QPainter& p)
{
    // Wings with striped posts and a bar between them.
    auto post = [&](qreal x) {
        p.setPen(Qt::NoPen);
        for (int s = 0; s < 8; ++s) {
            p.setBrush(s % 2 ? QColor(255, 255, 255) : QColor(30, 90, 200));
            p.drawRect(QRectF(x - 4, 250 + s * 17.5, 8, 18));
        }
    };
    post(430);
    post(560);
    p.setPen(QPen(QColor(60, 60, 60), 1));
    p.setBrush(QColor(250, 220, 60));
    p.drawRect(QRectF(426, 318, 138, 7));
    p.setBrush(QColor(230, 70, 60));
    for (int s = 0; s < 4; ++s)
        p.drawRect(QRectF(440 + s * 34, 318, 14, 7));
}

void drawDog(QPainter& p)
{
    // A dog in full stretch over the bar, seen from the side.
    QPainterPath dog;
    dog.moveTo(450, 268);                    // rump
    dog.cubicTo(470, 250, 520, 246, 548, 256); // back
    dog.cubicTo(556, 244, 566, 236, 580, 236); // neck to head
    dog.lineTo(596, 242);                      // muzzle
    dog.lineTo(592, 250);
    dog.lineTo(578, 252);
    dog.cubicTo(572, 262, 566, 270, 560, 274); // throat, chest
    dog.lineTo(600, 292);                      // front legs reaching forward
    dog.lineTo(597, 298);
    dog.lineTo(552, 284);
    dog.cubicTo(530, 290, 490, 292, 470, 284); // belly
    dog.lineTo(420, 300);                      // hind legs pushing off
    dog.lineTo(416, 294);
    dog.lineTo(452, 276);
    dog.lineTo(410, 262);                      // tail
    dog.lineTo(412, 256);
    dog.closeSubpath();
    p.setPen(QPen(QColor(30, 20, 10), 1.5));
    p.setBrush(QColor(70, 45, 25));
    p.drawPath(dog);
    // Ear.
    QPainterPath ear;
    ear.moveTo(570, 238);
    ear.lineTo(566, 226);
    ear.lineTo(578, 236);
    p.drawPath(ear);
    p.setBrush(Qt::white);
    p.setPen(Qt::NoPen);
    p.drawEllipse(QPointF(584, 242), 1.8, 1.8);
}

} // namespace

BackgroundPicture::BackgroundPicture(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("Image1"));
    setMinimumSize(200, 125);
    setAutoFillBackground(false);
}

void BackgroundPicture::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal scale = qMin(width() / kWidth, height() / kHeight);
    const qreal dx = (width() - kWidth * scale) / 2;
    const qreal dy = (height() - kHeight * scale) / 2;
    const qreal horizon = dy + kHorizon * scale;

    // Sky and grass fill the whole widget, whatever its shape.
    QLinearGradient sky(0, 0, 0, horizon);
    sky.setColorAt(0, QColor(120, 170, 230));
    sky.setColorAt(1, QColor(210, 230, 250));
    p.fillRect(QRectF(0, 0, width(), horizon), sky);
    QLinearGradient grass(0, horizon, 0, height());
    grass.setColorAt(0, QColor(120, 185, 90));
    grass.setColorAt(1, QColor(60, 130, 50));
    p.fillRect(QRectF(0, horizon, width(), height() - horizon), grass);

    p.translate(dx, dy);
    p.scale(scale, scale);

    // Ring fence along the horizon.
    p.setPen(QPen(QColor(250, 250, 250), 2));
    p.drawLine(QPointF(-dx / scale, kHorizon + 12), QPointF(kWidth + dx / scale, kHorizon + 12));
    for (qreal x = 10; x < kWidth; x += 40)
        p.drawLine(QPointF(x, kHorizon + 2), QPointF(x, kHorizon + 22));

    // Shadows on the grass, then the equipment.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 40));
    p.drawEllipse(QPointF(505, 420), 90, 8);
    drawAFrame(p);
    drawTunnel(p);
    drawWeavePoles(p);
    drawJump(p);
    drawDog(p);

    // The title.
    QFont title(QStringLiteral("Liberation Serif"));
    title.setPixelSize(64);
    title.setBold(true);
    title.setItalic(true);
    p.setFont(title);
    const QRectF titleRect(0, 40, kWidth, 80);
    p.setPen(QColor(20, 40, 90, 90));
    p.drawText(titleRect.translated(3, 3), Qt::AlignCenter, kProgramTitle);
    p.setPen(QColor(255, 255, 255));
    p.drawText(titleRect, Qt::AlignCenter, kProgramTitle);
    QFont sub(QStringLiteral("Liberation Sans"));
    sub.setPixelSize(22);
    p.setFont(sub);
    p.setPen(QColor(25, 45, 95));
    p.drawText(QRectF(0, 120, kWidth, 34), Qt::AlignCenter, QStringLiteral("Agility Trial Secretary"));
}
