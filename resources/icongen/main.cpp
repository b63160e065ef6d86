// Build-time icon painter: draws every image of the panel's icon bundle as a
// PNG and writes the resource collection file that compiles them in.
//
//   printdeck-icongen <icons.list> <output dir>
//
// Each line of the list holds a name, a width and a height. The pictograms
// are simple line drawings on a 48 x 48 grid, scaled to the stated size.
// A "-selected" name gets the blue, highlighted variant of its base picture,
// a "-constraint" name the plain picture with a red conflict mark.
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QtMath>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QTextStream>
#include <cmath>
#include <cstdio>

namespace {

struct Look {
    QColor ink;
    QColor paper;
    QColor accent;
};

const Look normalLook{QColor(60, 60, 60), QColor(255, 255, 255), QColor(10, 155, 205)};
const Look selectedLook{QColor(8, 104, 150), QColor(235, 248, 255), QColor(10, 155, 205)};

QPen inkPen(const Look &look, qreal width = 2.0)
{
    QPen pen(look.ink, width);
    pen.setJoinStyle(Qt::RoundJoin);
    pen.setCapStyle(Qt::RoundCap);
    return pen;
}

// A sheet with a folded top-right corner.
void page(QPainter &p, const Look &look, const QRectF &r, const QColor &fill = QColor())
{
    const qreal c = qMin(r.width(), r.height()) * 0.25;
    QPainterPath path;
    path.moveTo(r.left(), r.top());
    path.lineTo(r.right() - c, r.top());
    path.lineTo(r.right(), r.top() + c);
    path.lineTo(r.right(), r.bottom());
    path.lineTo(r.left(), r.bottom());
    path.closeSubpath();
    p.setPen(inkPen(look, 1.6));
    p.setBrush(fill.isValid() ? fill : look.paper);
    p.drawPath(path);
    p.setBrush(Qt::NoBrush);
    p.drawLine(QPointF(r.right() - c, r.top()), QPointF(r.right() - c, r.top() + c));
    p.drawLine(QPointF(r.right() - c, r.top() + c), QPointF(r.right(), r.top() + c));
}

// A plain sheet without the folded corner.
void sheet(QPainter &p, const Look &look, const QRectF &r, const QColor &fill = QColor())
{
    p.setPen(inkPen(look, 1.6));
    p.setBrush(fill.isValid() ? fill : look.paper);
    p.drawRect(r);
    p.setBrush(Qt::NoBrush);
}

void textLines(QPainter &p, const Look &look, const QRectF &r, int count)
{
    QPen pen(look.ink.lighter(170), 1.4);
    p.setPen(pen);
    const qreal step = r.height() / (count + 1);
    for (int i = 1; i <= count; ++i) {
        const qreal y = r.top() + i * step;
        const qreal right = (i == count) ? r.left() + r.width() * 0.6 : r.right();
        p.drawLine(QPointF(r.left(), y), QPointF(right, y));
    }
}

void arrowHead(QPainter &p, const QPointF &tip, qreal angleDeg, qreal size, const QColor &color)
{
    const qreal a = qDegreesToRadians(angleDeg);
    QPointF left = tip - QPointF(std::cos(a - 0.5) * size, std::sin(a - 0.5) * size);
    QPointF right = tip - QPointF(std::cos(a + 0.5) * size, std::sin(a + 0.5) * size);
    QPolygonF head;
    head << tip << left << right;
    p.setPen(Qt::NoPen);
    p.setBrush(color);
    p.drawPolygon(head);
    p.setBrush(Qt::NoBrush);
}

void arrow(QPainter &p, const QPointF &from, const QPointF &to, const QColor &color, qreal width = 2.2)
{
    QPen pen(color, width);
    pen.setCapStyle(Qt::RoundCap);
    p.setPen(pen);
    QPointF d = to - from;
    const qreal len = std::hypot(d.x(), d.y());
    QPointF shaft = to - d / len * 4.0;
    p.drawLine(from, shaft);
    arrowHead(p, to, qRadiansToDegrees(std::atan2(d.y(), d.x())), 7.0, color);
}

// A curved arrow on the arc of the circle (centre, radius) from startDeg
// sweeping sweepDeg (Qt's counter-clockwise degrees).
void curvedArrow(QPainter &p, const QPointF &centre, qreal radius, qreal startDeg, qreal sweepDeg,
                 const QColor &color)
{
    QRectF box(centre.x() - radius, centre.y() - radius, 2 * radius, 2 * radius);
    QPen pen(color, 2.4);
    pen.setCapStyle(Qt::RoundCap);
    p.setPen(pen);
    p.drawArc(box, int(startDeg * 16), int(sweepDeg * 16));
    const qreal endDeg = startDeg + sweepDeg;
    const qreal e = qDegreesToRadians(endDeg);
    QPointF tip(centre.x() + radius * std::cos(e), centre.y() - radius * std::sin(e));
    // Tangent direction in screen coordinates for the sweep direction.
    const qreal sign = sweepDeg >= 0 ? 1.0 : -1.0;
    QPointF tangent(-std::sin(e) * sign, -std::cos(e) * sign);
    arrowHead(p, tip + tangent * 2.0, qRadiansToDegrees(std::atan2(tangent.y(), tangent.x())), 7.0, color);
}

void label(QPainter &p, const QRectF &r, const QString &text, qreal pixelSize, const QColor &color,
           bool bold = true, int flags = Qt::AlignCenter)
{
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(int(pixelSize));
    font.setBold(bold);
    p.setFont(font);
    p.setPen(color);
    p.drawText(r, flags, text);
}

void slash(QPainter &p, const QColor &color)
{
    QPen pen(color, 3.0);
    pen.setCapStyle(Qt::RoundCap);
    p.setPen(pen);
    p.drawLine(QPointF(8, 40), QPointF(40, 8));
}

void printerShape(QPainter &p, const Look &look, const QRectF &r)
{
    // Paper tray at the top, body, output sheet.
    const qreal w = r.width(), h = r.height();
    p.setPen(inkPen(look, 1.6));
    p.setBrush(look.paper);
    p.drawRect(QRectF(r.left() + w * 0.25, r.top(), w * 0.5, h * 0.3));
    p.setBrush(look.accent);
    p.drawRoundedRect(QRectF(r.left(), r.top() + h * 0.28, w, h * 0.42), 3, 3);
    p.setBrush(look.paper);
    p.drawRect(QRectF(r.left() + w * 0.2, r.top() + h * 0.6, w * 0.6, h * 0.4));
    p.setPen(QPen(look.ink.lighter(170), 1.2));
    p.drawLine(QPointF(r.left() + w * 0.3, r.top() + h * 0.78), QPointF(r.left() + w * 0.7, r.top() + h * 0.78));
    p.drawLine(QPointF(r.left() + w * 0.3, r.top() + h * 0.88), QPointF(r.left() + w * 0.6, r.top() + h * 0.88));
    p.setBrush(Qt::NoBrush);
}

void stack(QPainter &p, const Look &look, const QPointF &topLeft, qreal w, qreal h, int sheets,
           const QColor &fill = QColor())
{
    for (int i = sheets - 1; i >= 0; --i)
        sheet(p, look, QRectF(topLeft.x() + i * 2.5, topLeft.y() - i * 2.5, w, h), fill);
}

void shield(QPainter &p, const Look &look, const QRectF &r, const QColor &fill)
{
    QPainterPath path;
    const qreal cx = r.center().x();
    path.moveTo(cx, r.top());
    path.lineTo(r.right(), r.top() + r.height() * 0.18);
    path.cubicTo(r.right(), r.top() + r.height() * 0.65, cx + r.width() * 0.2, r.bottom() - 4, cx, r.bottom());
    path.cubicTo(cx - r.width() * 0.2, r.bottom() - 4, r.left(), r.top() + r.height() * 0.65, r.left(),
                 r.top() + r.height() * 0.18);
    path.closeSubpath();
    p.setPen(inkPen(look, 1.6));
    p.setBrush(fill);
    p.drawPath(path);
    p.setBrush(Qt::NoBrush);
}

void personShape(QPainter &p, const Look &look, const QPointF &centre, qreal scale)
{
    p.setPen(inkPen(look, 1.6));
    p.setBrush(look.accent);
    p.drawEllipse(centre + QPointF(0, -9 * scale), 7 * scale, 7 * scale);
    QPainterPath body;
    body.moveTo(centre + QPointF(-14 * scale, 16 * scale));
    body.cubicTo(centre + QPointF(-14 * scale, 2 * scale), centre + QPointF(14 * scale, 2 * scale),
                 centre + QPointF(14 * scale, 16 * scale));
    body.closeSubpath();
    p.drawPath(body);
    p.setBrush(Qt::NoBrush);
}

// Draws the picture called `base` on the 48 x 48 grid.
bool drawPictogram(QPainter &p, const QString &base, const Look &look)
{
    const QColor red(205, 30, 30);
    if (base == QLatin1String("staple")) {
        page(p, look, QRectF(11, 6, 28, 36));
        textLines(p, look, QRectF(16, 16, 18, 22), 4);
        QPen pen(look.accent, 3.2);
        pen.setCapStyle(Qt::RoundCap);
        p.setPen(pen);
        p.drawLine(QPointF(12, 15), QPointF(21, 7));
    } else if (base == QLatin1String("punch")) {
        page(p, look, QRectF(11, 6, 28, 36));
        p.setPen(inkPen(look, 1.4));
        p.setBrush(look.ink);
        p.drawEllipse(QPointF(17, 16), 2.6, 2.6);
        p.drawEllipse(QPointF(17, 32), 2.6, 2.6);
        p.setBrush(Qt::NoBrush);
        textLines(p, look, QRectF(23, 14, 12, 22), 4);
    } else if (base == QLatin1String("duplex-off")) {
        page(p, look, QRectF(12, 6, 26, 36));
        label(p, QRectF(12, 12, 26, 28), QStringLiteral("1"), 16, look.ink);
    } else if (base == QLatin1String("duplex-long")) {
        page(p, look, QRectF(5, 9, 20, 30));
        page(p, look, QRectF(23, 9, 20, 30));
        label(p, QRectF(5, 14, 20, 24), QStringLiteral("1"), 12, look.ink);
        label(p, QRectF(23, 14, 20, 24), QStringLiteral("2"), 12, look.ink);
        curvedArrow(p, QPointF(24, 9), 8, 160, -140, look.accent);
    } else if (base == QLatin1String("duplex-short")) {
        page(p, look, QRectF(9, 4, 30, 19));
        page(p, look, QRectF(9, 26, 30, 19));
        label(p, QRectF(9, 4, 30, 19), QStringLiteral("1"), 11, look.ink);
        label(p, QRectF(9, 26, 30, 19), QStringLiteral("2"), 11, look.ink);
        curvedArrow(p, QPointF(39, 24), 7, 110, -220, look.accent);
    } else if (base == QLatin1String("booklet-off")) {
        page(p, look, QRectF(13, 6, 24, 36));
        textLines(p, look, QRectF(17, 12, 16, 26), 4);
    } else if (base == QLatin1String("booklet-left") || base == QLatin1String("booklet-right")) {
        // An open booklet; the arrow shows the reading direction.
        QPainterPath left, right;
        left.moveTo(24, 12);
        left.cubicTo(18, 8, 10, 8, 5, 10);
        left.lineTo(5, 36);
        left.cubicTo(10, 34, 18, 34, 24, 38);
        left.closeSubpath();
        right.moveTo(24, 12);
        right.cubicTo(30, 8, 38, 8, 43, 10);
        right.lineTo(43, 36);
        right.cubicTo(38, 34, 30, 34, 24, 38);
        right.closeSubpath();
        p.setPen(inkPen(look, 1.6));
        p.setBrush(look.paper);
        p.drawPath(left);
        p.drawPath(right);
        if (base == QLatin1String("booklet-left"))
            arrow(p, QPointF(34, 44), QPointF(14, 44), look.accent);
        else
            arrow(p, QPointF(14, 44), QPointF(34, 44), look.accent);
    } else if (base == QLatin1String("collate-on") || base == QLatin1String("collate-off")) {
        const bool on = base == QLatin1String("collate-on");
        const QStringList texts = on ? QStringList{"3", "2", "1"} : QStringList{"1", "1", "1"};
        for (int set = 0; set < 2; ++set) {
            for (int i = 0; i < 3; ++i) {
                QRectF r(4 + set * 22 + i * 3, 14 - i * 4 + 8, 16, 20);
                sheet(p, look, r);
                if (i == 2) {
                    QString t = on ? texts[i] : QString::number(set + 1);
                    label(p, r, t, 10, look.ink);
                }
            }
        }
    } else if (base == QLatin1String("color") || base == QLatin1String("monochrome")) {
        const bool color = base == QLatin1String("color");
        const QColor c1 = color ? QColor(0, 174, 239, 210) : QColor(70, 70, 70, 200);
        const QColor c2 = color ? QColor(236, 0, 140, 210) : QColor(120, 120, 120, 200);
        const QColor c3 = color ? QColor(255, 220, 0, 210) : QColor(175, 175, 175, 200);
        p.setPen(inkPen(look, 1.2));
        p.setBrush(c1);
        p.drawEllipse(QPointF(18, 18), 11, 11);
        p.setBrush(c2);
        p.drawEllipse(QPointF(30, 18), 11, 11);
        p.setBrush(c3);
        p.drawEllipse(QPointF(24, 29), 11, 11);
        p.setBrush(Qt::NoBrush);
    } else if (base == QLatin1String("covermode")) {
        stack(p, look, QPointF(10, 16), 26, 26, 3);
        sheet(p, look, QRectF(17.5, 8.5, 26, 26), look.accent);
    } else if (base == QLatin1String("pageinsert")) {
        sheet(p, look, QRectF(14, 10, 26, 30));
        sheet(p, look, QRectF(10, 14, 26, 30), look.accent.lighter(140));
        sheet(p, look, QRectF(6, 18, 26, 26));
        arrow(p, QPointF(44, 27), QPointF(34, 27), look.ink);
    } else if (base == QLatin1String("transparency")) {
        sheet(p, look, QRectF(8, 12, 26, 30));
        sheet(p, look, QRectF(14, 6, 26, 30), QColor(170, 220, 245, 140));
    } else if (base == QLatin1String("Rotate-180-on") || base == QLatin1String("Rotate-180-off")) {
        page(p, look, QRectF(12, 6, 24, 36));
        const bool on = base == QLatin1String("Rotate-180-on");
        p.save();
        if (on) {
            p.translate(24, 24);
            p.rotate(180);
            p.translate(-24, -24);
        }
        label(p, QRectF(12, 10, 24, 30), QStringLiteral("A"), 18, look.ink);
        p.restore();
        if (on)
            curvedArrow(p, QPointF(24, 24), 19, 200, -230, look.accent);
    } else if (base == QLatin1String("separation-off")) {
        stack(p, look, QPointF(10, 18), 26, 22, 5);
    } else if (base == QLatin1String("separation-offset")) {
        stack(p, look, QPointF(4, 24), 22, 18, 3);
        stack(p, look, QPointF(18, 16), 22, 18, 3, look.accent.lighter(160));
    } else if (base == QLatin1String("separation-rotate")) {
        stack(p, look, QPointF(6, 26), 28, 16, 3);
        stack(p, look, QPointF(14, 12), 16, 26, 2, look.accent.lighter(160));
    } else if (base == QLatin1String("sparline-on") || base == QLatin1String("sparline-off")) {
        stack(p, look, QPointF(8, 30), 30, 12, 2);
        stack(p, look, QPointF(8, 14), 30, 12, 2);
        if (base == QLatin1String("sparline-on")) {
            QPen pen(look.accent, 3.0);
            p.setPen(pen);
            p.drawLine(QPointF(6, 24), QPointF(44, 24));
        }
    } else if (base == QLatin1String("bifold")) {
        QPolygonF left, right;
        left << QPointF(6, 12) << QPointF(24, 16) << QPointF(24, 42) << QPointF(6, 38);
        right << QPointF(24, 16) << QPointF(42, 12) << QPointF(42, 38) << QPointF(24, 42);
        p.setPen(inkPen(look, 1.6));
        p.setBrush(look.paper);
        p.drawPolygon(left);
        p.setBrush(look.paper.darker(110));
        p.drawPolygon(right);
    } else if (base == QLatin1String("trifold") || base == QLatin1String("zfold") || base == QLatin1String("efold")) {
        // Side view of the folded sheet above a flat sheet with fold lines.
        p.setPen(inkPen(look, 2.0));
        QPolygonF line;
        if (base == QLatin1String("zfold"))
            line << QPointF(8, 8) << QPointF(40, 12) << QPointF(8, 16) << QPointF(40, 20);
        else if (base == QLatin1String("trifold"))
            line << QPointF(40, 8) << QPointF(8, 12) << QPointF(8, 20) << QPointF(36, 16);
        else
            line << QPointF(8, 8) << QPointF(40, 14) << QPointF(8, 20);
        p.drawPolyline(line);
        sheet(p, look, QRectF(8, 26, 32, 18));
        QPen dash(look.accent, 1.4, Qt::DashLine);
        p.setPen(dash);
        const int folds = base == QLatin1String("efold") ? 1 : 2;
        for (int i = 1; i <= folds; ++i) {
            const qreal x = 8 + 32.0 * i / (folds + 1);
            p.drawLine(QPointF(x, 26), QPointF(x, 44));
        }
    } else if (base == QLatin1String("finishingEdge")) {
        page(p, look, QRectF(12, 6, 26, 36));
        p.setPen(Qt::NoPen);
        p.setBrush(look.accent);
        p.drawRect(QRectF(10, 6, 5, 36));
        p.setBrush(Qt::NoBrush);
        textLines(p, look, QRectF(19, 14, 15, 22), 4);
    } else if (base == QLatin1String("accounting")) {
        p.setPen(inkPen(look, 1.6));
        p.setBrush(look.paper);
        p.drawRoundedRect(QRectF(6, 12, 36, 24), 3, 3);
        p.setBrush(look.accent);
        p.drawRect(QRectF(6, 17, 36, 5));
        p.setBrush(Qt::NoBrush);
        label(p, QRectF(8, 23, 32, 12), QStringLiteral("1234"), 9, look.ink);
    } else if (base == QLatin1String("email")) {
        p.setPen(inkPen(look, 1.6));
        p.setBrush(look.paper);
        p.drawRect(QRectF(6, 12, 36, 24));
        p.setBrush(Qt::NoBrush);
        p.drawPolyline(QPolygonF() << QPointF(6, 12) << QPointF(24, 27) << QPointF(42, 12));
    } else if (base == QLatin1String("name")) {
        p.setPen(inkPen(look, 1.6));
        p.setBrush(look.paper);
        p.drawRoundedRect(QRectF(5, 10, 38, 28), 3, 3);
        p.setBrush(Qt::NoBrush);
        label(p, QRectF(5, 10, 38, 28), QStringLiteral("Aa"), 14, look.accent);
    } else if (base == QLatin1String("user")) {
        personShape(p, look, QPointF(24, 24), 1.2);
    } else if (base == QLatin1String("storage")) {
        p.setPen(inkPen(look, 1.6));
        p.setBrush(look.paper);
        p.drawRoundedRect(QRectF(8, 10, 32, 12), 2, 2);
        p.drawRoundedRect(QRectF(8, 26, 32, 12), 2, 2);
        p.setBrush(look.accent);
        p.drawEllipse(QPointF(34, 16), 2, 2);
        p.drawEllipse(QPointF(34, 32), 2, 2);
        p.setBrush(Qt::NoBrush);
    } else if (base == QLatin1String("print-quality")) {
        p.setPen(Qt::NoPen);
        p.setBrush(look.ink);
        for (int y = 0; y < 4; ++y)
            for (int x = 0; x < 4; ++x)
                p.drawEllipse(QPointF(8 + x * 6, 8 + y * 6), 1.6, 1.6);
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(look.accent, 3.0));
        p.drawEllipse(QPointF(26, 26), 10, 10);
        p.drawLine(QPointF(33, 33), QPointF(43, 43));
    } else if (base == QLatin1String("watermark") || base == QLatin1String("super-watermark")) {
        page(p, look, QRectF(11, 6, 28, 36));
        p.save();
        p.translate(25, 25);
        p.rotate(-45);
        const bool super = base == QLatin1String("super-watermark");
        label(p, QRectF(-16, -10, 32, 20), QStringLiteral("W"), super ? 22 : 18,
              super ? look.accent : QColor(150, 150, 150));
        p.restore();
        if (super) {
            p.setPen(Qt::NoPen);
            p.setBrush(QColor(255, 190, 0));
            QPolygonF star;
            for (int i = 0; i < 10; ++i) {
                const qreal r = (i % 2) ? 3.0 : 7.0;
                const qreal a = qDegreesToRadians(-90.0 + i * 36.0);
                star << QPointF(38 + r * std::cos(a), 38 + r * std::sin(a));
            }
            p.drawPolygon(star);
            p.setBrush(Qt::NoBrush);
        }
    } else if (base == QLatin1String("nwd-on") || base == QLatin1String("nwd-off")) {
        const bool on = base == QLatin1String("nwd-on");
        shield(p, look, QRectF(10, 5, 28, 38), on ? look.accent : QColor(200, 200, 200));
        if (on) {
            QPen pen(Qt::white, 3.0);
            pen.setCapStyle(Qt::RoundCap);
            p.setPen(pen);
            p.drawPolyline(QPolygonF() << QPointF(17, 23) << QPointF(22, 29) << QPointF(31, 17));
        } else {
            slash(p, red);
        }
    } else if (base == QLatin1String("tab-printer")) {
        printerShape(p, look, QRectF(6, 6, 36, 36));
    } else if (base == QLatin1String("tab-basic")) {
        page(p, look, QRectF(10, 4, 28, 40));
        textLines(p, look, QRectF(15, 12, 18, 26), 5);
    } else if (base == QLatin1String("tab-layout")) {
        sheet(p, look, QRectF(6, 4, 36, 40));
        p.setPen(QPen(look.accent, 2.0));
        p.setBrush(look.accent.lighter(160));
        p.drawRect(QRectF(10, 8, 12, 14));
        p.drawRect(QRectF(26, 8, 12, 14));
        p.drawRect(QRectF(10, 26, 12, 14));
        p.drawRect(QRectF(26, 26, 12, 14));
        p.setBrush(Qt::NoBrush);
    } else if (base == QLatin1String("tab-finishing")) {
        stack(p, look, QPointF(8, 14), 28, 30, 3);
        QPen pen(look.accent, 4.0);
        pen.setCapStyle(Qt::RoundCap);
        p.setPen(pen);
        p.drawLine(QPointF(15, 16), QPointF(24, 8));
    } else if (base == QLatin1String("tab-imaging")) {
        sheet(p, look, QRectF(4, 8, 40, 32));
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(60, 160, 60));
        p.drawPolygon(QPolygonF() << QPointF(6, 38) << QPointF(20, 20) << QPointF(30, 32) << QPointF(35, 26)
                                  << QPointF(42, 38));
        p.setBrush(QColor(255, 190, 0));
        p.drawEllipse(QPointF(34, 16), 4, 4);
        p.setBrush(Qt::NoBrush);
    } else if (base == QLatin1String("tab-publishing")) {
        QPainterPath book;
        book.moveTo(24, 10);
        book.cubicTo(18, 6, 10, 6, 4, 8);
        book.lineTo(4, 40);
        book.cubicTo(10, 38, 18, 38, 24, 42);
        book.cubicTo(30, 38, 38, 38, 44, 40);
        book.lineTo(44, 8);
        book.cubicTo(38, 6, 30, 6, 24, 10);
        book.closeSubpath();
        p.setPen(inkPen(look, 1.8));
        p.setBrush(look.paper);
        p.drawPath(book);
        p.drawLine(QPointF(24, 10), QPointF(24, 42));
        p.setBrush(Qt::NoBrush);
        textLines(p, look, QRectF(8, 12, 12, 22), 3);
        textLines(p, look, QRectF(28, 12, 12, 22), 3);
    } else if (base == QLatin1String("tab-job")) {
        p.setPen(inkPen(look, 1.8));
        p.setBrush(look.paper);
        p.drawRoundedRect(QRectF(9, 7, 30, 37), 2, 2);
        p.setBrush(look.accent);
        p.drawRoundedRect(QRectF(17, 3, 14, 8), 2, 2);
        p.setBrush(Qt::NoBrush);
        textLines(p, look, QRectF(14, 14, 20, 26), 4);
    } else if (base == QLatin1String("tab-watermark")) {
        page(p, look, QRectF(9, 4, 30, 40));
        p.save();
        p.translate(24, 26);
        p.rotate(-45);
        label(p, QRectF(-16, -12, 32, 24), QStringLiteral("W"), 22, look.accent);
        p.restore();
    } else if (base == QLatin1String("tab-nwd")) {
        p.setPen(inkPen(look, 1.6));
        p.setBrush(look.paper);
        p.drawRect(QRectF(16, 4, 16, 12));
        p.drawRect(QRectF(4, 32, 14, 11));
        p.drawRect(QRectF(30, 32, 14, 11));
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(look.accent, 2.4));
        p.drawLine(QPointF(24, 16), QPointF(24, 25));
        p.drawLine(QPointF(11, 25), QPointF(37, 25));
        p.drawLine(QPointF(11, 25), QPointF(11, 32));
        p.drawLine(QPointF(37, 25), QPointF(37, 32));
    } else if (base == QLatin1String("appicon") || base == QLatin1String("appicon_ze")
               || base == QLatin1String("appicon_valmonte")) {
        QColor tile = base == QLatin1String("appicon_valmonte") ? QColor(40, 140, 90) : QColor(10, 155, 205);
        p.setPen(Qt::NoPen);
        p.setBrush(tile);
        p.drawRoundedRect(QRectF(1, 1, 46, 46), 8, 8);
        Look onTile{QColor(30, 30, 30), QColor(255, 255, 255), QColor(235, 235, 235)};
        printerShape(p, onTile, QRectF(8, 8, 32, 32));
    } else {
        return false;
    }
    return true;
}

void conflictMark(QPainter &p)
{
    p.setPen(QPen(Qt::white, 1.5));
    p.setBrush(QColor(215, 25, 25));
    p.drawEllipse(QPointF(36, 36), 11, 11);
    p.setBrush(Qt::NoBrush);
    label(p, QRectF(25, 25, 22, 22), QStringLiteral("!"), 17, Qt::white);
}

QImage errorIcon(const QString &name, int w, int h)
{
    QImage img(w, h, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(w / 16.0, h / 16.0);
    if (name == QLatin1String("error_old2")) {
        p.setPen(QPen(QColor(120, 60, 0), 0.8));
        p.setBrush(QColor(245, 160, 0));
        p.drawPolygon(QPolygonF() << QPointF(8, 1) << QPointF(15, 15) << QPointF(1, 15));
        label(p, QRectF(1, 4, 14, 12), QStringLiteral("!"), 10, Qt::black);
    } else {
        p.setPen(QPen(QColor(140, 0, 0), 0.8));
        p.setBrush(QColor(215, 25, 25));
        p.drawEllipse(QRectF(0.5, 0.5, 15, 15));
        if (name == QLatin1String("error-old")) {
            QPen pen(Qt::white, 2.0);
            pen.setCapStyle(Qt::RoundCap);
            p.setPen(pen);
            p.drawLine(QPointF(5, 5), QPointF(11, 11));
            p.drawLine(QPointF(11, 5), QPointF(5, 11));
        } else {
            label(p, QRectF(0, 0, 16, 16), QStringLiteral("!"), 12, Qt::white);
        }
    }
    return img;
}

QImage windowBackground(int w, int h)
{
    QImage img(w, h, QImage::Format_ARGB32_Premultiplied);
    QPainter p(&img);
    QLinearGradient g(0, 0, 0, h);
    g.setColorAt(0.0, QColor(250, 251, 252));
    g.setColorAt(0.75, QColor(232, 236, 240));
    g.setColorAt(1.0, QColor(214, 222, 230));
    p.fillRect(img.rect(), g);
    // A soft blue band along the bottom, behind the buttons.
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath wave;
    wave.moveTo(0, h - 70);
    wave.cubicTo(w * 0.3, h - 110, w * 0.6, h - 30, w, h - 80);
    wave.lineTo(w, h);
    wave.lineTo(0, h);
    wave.closeSubpath();
    p.fillPath(wave, QColor(10, 155, 205, 40));
    return img;
}

QImage aboutBackground(const QString &name, int w, int h)
{
    QColor top(10, 155, 205);
    QString title = QStringLiteral("Printdeck");
    QString maker = QStringLiteral("Jorvane");
    if (name == QLatin1String("about-background-val")) {
        top = QColor(40, 140, 90);
    } else if (name == QLatin1String("about-background-oem")) {
        top = QColor(110, 110, 120);
        maker.clear();
    } else if (name == QLatin1String("about-background-ze")) {
        maker = QStringLiteral("ZE_VELD");
    }
    QImage img(w, h, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::white);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    // Coloured header; the lower part stays light for the version and
    // notice lines that the About dialog draws in black.
    QLinearGradient g(0, 0, w, 150);
    g.setColorAt(0.0, top);
    g.setColorAt(1.0, top.lighter(135));
    QPainterPath header;
    header.moveTo(0, 0);
    header.lineTo(w, 0);
    header.lineTo(w, 130);
    header.cubicTo(w * 0.65, 175, w * 0.35, 120, 0, 160);
    header.closeSubpath();
    p.fillPath(header, g);
    label(p, QRectF(20, 30, w - 40, 50), title, 38, Qt::white, true, Qt::AlignLeft | Qt::AlignVCenter);
    if (!maker.isEmpty())
        label(p, QRectF(22, 80, w - 40, 24), maker, 16, QColor(235, 245, 255), false,
              Qt::AlignLeft | Qt::AlignVCenter);
    Look look{QColor(40, 40, 40), QColor(255, 255, 255), top.darker(115)};
    p.save();
    p.translate(w - 150, 40);
    p.scale(2.6, 2.6);
    printerShape(p, look, QRectF(2, 2, 44, 44));
    p.restore();
    p.fillRect(QRectF(20, 262, w - 40, 1), QColor(200, 200, 200));
    return img;
}

QImage logoImage(int w, int h)
{
    QImage img(w, h, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(10, 155, 205));
    p.drawRoundedRect(QRectF(2, 4, h - 8, h - 8), 6, 6);
    label(p, QRectF(2, 4, h - 8, h - 8), QStringLiteral("J"), h * 0.55, Qt::white);
    label(p, QRectF(h, 0, w - h, h), QStringLiteral("Jorvane"), h * 0.5, QColor(40, 40, 40), true,
          Qt::AlignLeft | Qt::AlignVCenter);
    return img;
}

QImage pictogram(const QString &name, int w, int h, bool *ok)
{
    QString base = name;
    bool selected = false;
    bool constraint = false;
    if (base.endsWith(QLatin1String("-selected"))) {
        selected = true;
        base.chop(int(strlen("-selected")));
    } else if (base.endsWith(QLatin1String("-constraint"))) {
        constraint = true;
        base.chop(int(strlen("-constraint")));
    }
    QImage img(w, h, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(w / 48.0, h / 48.0);
    const Look &look = selected ? selectedLook : normalLook;
    if (selected) {
        p.setPen(QPen(QColor(10, 155, 205), 2.0));
        p.setBrush(QColor(200, 232, 248));
        p.drawRoundedRect(QRectF(1, 1, 46, 46), 6, 6);
        p.setBrush(Qt::NoBrush);
    }
    *ok = drawPictogram(p, base, look);
    if (constraint)
        conflictMark(p);
    return img;
}

} // namespace

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    if (argc != 3) {
        fprintf(stderr, "usage: printdeck-icongen <icons.list> <output dir>\n");
        return 2;
    }
    QFile list(QString::fromLocal8Bit(argv[1]));
    if (!list.open(QIODevice::ReadOnly | QIODevice::Text)) {
        fprintf(stderr, "printdeck-icongen: cannot read %s\n", argv[1]);
        return 1;
    }
    QDir out(QString::fromLocal8Bit(argv[2]));
    if (!out.mkpath(QStringLiteral("."))) {
        fprintf(stderr, "printdeck-icongen: cannot create %s\n", argv[2]);
        return 1;
    }
    QString qrc;
    QTextStream qrcOut(&qrc);
    qrcOut << "<!DOCTYPE RCC><RCC version=\"1.0\">\n<qresource prefix=\"/icons\">\n";
    int failures = 0;
    QTextStream in(&list);
    while (!in.atEnd()) {
        const QString line = in.readLine().trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        const QStringList fields = line.split(QLatin1Char(' '), Qt::SkipEmptyParts);
        if (fields.size() != 3) {
            fprintf(stderr, "printdeck-icongen: bad line: %s\n", qPrintable(line));
            ++failures;
            continue;
        }
        const QString name = fields[0];
        const int w = fields[1].toInt();
        const int h = fields[2].toInt();
        bool ok = true;
        QImage img;
        if (name.startsWith(QLatin1String("error")))
            img = errorIcon(name, w, h);
        else if (name == QLatin1String("background"))
            img = windowBackground(w, h);
        else if (name.startsWith(QLatin1String("about-background")))
            img = aboutBackground(name, w, h);
        else if (name == QLatin1String("logo"))
            img = logoImage(w, h);
        else
            img = pictogram(name, w, h, &ok);
        if (!ok) {
            fprintf(stderr, "printdeck-icongen: no picture for %s\n", qPrintable(name));
            ++failures;
            continue;
        }
        const QString file = name + QStringLiteral(".png");
        if (!img.save(out.filePath(file), "PNG")) {
            fprintf(stderr, "printdeck-icongen: cannot write %s\n", qPrintable(file));
            ++failures;
            continue;
        }
        qrcOut << "  <file alias=\"" << name << "\">" << file << "</file>\n";
    }
    qrcOut << "</qresource>\n</RCC>\n";
    qrcOut.flush();
    QFile qrcFile(out.filePath(QStringLiteral("icons.qrc")));
    if (failures == 0) {
        if (!qrcFile.open(QIODevice::WriteOnly | QIODevice::Truncate) || qrcFile.write(qrc.toUtf8()) < 0) {
            fprintf(stderr, "printdeck-icongen: cannot write icons.qrc\n");
            return 1;
        }
    }
    return failures == 0 ? 0 : 1;
}
