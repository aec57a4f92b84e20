#include "Form2.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

Form2::Form2(QWidget *parent) : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("Form2"));
    setFixedSize(480, 300);
    setWindowTitle(tr("QX-510 & HZL-310 configurator v2.6.4"));
}

void Form2::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);

    QLinearGradient sky(0, 0, 0, height());
    sky.setColorAt(0, QColor(24, 48, 84));
    sky.setColorAt(1, QColor(10, 20, 36));
    p.fillRect(rect(), sky);

    // The tank, half full, with the sensor on its roof sending a pulse down.
    const QRectF tank(40, 70, 150, 190);
    p.setPen(QPen(QColor(200, 210, 220), 3));
    p.setBrush(QColor(40, 60, 90));
    p.drawRoundedRect(tank, 10, 10);
    QRectF liquid = tank.adjusted(3, tank.height() * 0.45, -3, -3);
    QLinearGradient water(liquid.topLeft(), liquid.bottomLeft());
    water.setColorAt(0, QColor(70, 160, 230));
    water.setColorAt(1, QColor(20, 80, 160));
    p.setPen(Qt::NoPen);
    p.setBrush(water);
    p.drawRoundedRect(liquid, 7, 7);

    p.setBrush(QColor(230, 180, 40));
    p.drawRect(QRectF(tank.center().x() - 14, tank.top() - 26, 28, 26));
    p.setPen(QPen(QColor(250, 220, 120), 2, Qt::DashLine));
    p.drawLine(QPointF(tank.center().x(), tank.top()), QPointF(tank.center().x(), liquid.top()));
    for (int i = 1; i <= 3; ++i) {
        const double r = 8.0 * i;
        p.setPen(QPen(QColor(250, 220, 120, 220 - 60 * i), 2));
        p.drawArc(QRectF(tank.center().x() - r, liquid.top() - r / 2, 2 * r, r), 0, 180 * 16);
    }

    p.setPen(QColor(235, 240, 245));
    QFont title = font();
    title.setPointSize(20);
    title.setBold(true);
    p.setFont(title);
    p.drawText(QRectF(210, 80, 260, 70), Qt::AlignLeft | Qt::TextWordWrap,
               QStringLiteral("QX-510 & HZL-310"));
    QFont sub = font();
    sub.setPointSize(12);
    p.setFont(sub);
    p.drawText(QRectF(210, 150, 260, 60), Qt::AlignLeft | Qt::TextWordWrap,
               tr("configurator v2.6.4"));
    p.setPen(QColor(150, 170, 190));
    p.drawText(QRectF(210, 220, 260, 40), Qt::AlignLeft | Qt::TextWordWrap,
               tr("RS-485 level sensors"));
}
