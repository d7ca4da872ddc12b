// Draws the application's images at build time, so that no binary image sits in the
// repository: the panel buttons' icons, the two transition cursors and the application
// icon. Usage: juggle_draw_images OUTPUT_DIR

#include <QColor>
#include <QDir>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <QRadialGradient>
#include <cmath>
#include <cstdio>
#include <functional>

namespace {

const QColor kInk(0x30, 0x30, 0x38);

QImage blank(int side) {
    QImage image(side, side, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

void triangle(QPainter& p, double left, double right, double top, double bottom) {
    const double mid = (top + bottom) / 2;
    p.drawPolygon(QPolygonF({QPointF(left, top), QPointF(right, mid), QPointF(left, bottom)}));
}

// Button icons: 32 pixels, dark ink, rounded by antialiasing.
void drawPlay(QPainter& p) {
    triangle(p, 9, 26, 5, 27);
}

void drawPause(QPainter& p) {
    p.drawRoundedRect(QRectF(8, 6, 6, 20), 1.5, 1.5);
    p.drawRoundedRect(QRectF(18, 6, 6, 20), 1.5, 1.5);
}

void drawStepForward(QPainter& p) {
    triangle(p, 6, 21, 7, 25);
    p.drawRoundedRect(QRectF(22, 7, 4, 18), 1, 1);
}

void drawStepBack(QPainter& p) {
    p.drawRoundedRect(QRectF(6, 7, 4, 18), 1, 1);
    triangle(p, 26, 11, 7, 25);
}

void ball(QPainter& p, QPointF centre, double radius, QColor colour) {
    QRadialGradient shade(centre - QPointF(radius / 3, radius / 3), radius * 1.3);
    shade.setColorAt(0, colour.lighter(160));
    shade.setColorAt(1, colour);
    p.setBrush(shade);
    p.drawEllipse(centre, radius, radius);
}

// The wait cursor: three balls circling, 16 pixels with its hot spot in the middle.
void drawWait(QPainter& p) {
    p.setPen(QPen(Qt::white, 1));
    p.setBrush(QColor(255, 255, 255, 200));
    p.drawEllipse(QPointF(8, 8), 7.2, 7.2);
    p.setPen(QPen(kInk, 0.8));
    const QColor colours[] = {Qt::blue, QColor(255, 200, 0), Qt::red};
    for (int i = 0; i < 3; ++i) {
        const double angle = (90.0 + 120.0 * i) * M_PI / 180.0;
        ball(p, QPointF(8 + 4.3 * std::cos(angle), 8 - 4.3 * std::sin(angle)), 2.6, colours[i]);
    }
}

// The cursor for every tenth change: a juggler's star, to say "that's a lot of changes".
void drawMoof(QPainter& p) {
    QPolygonF star;
    for (int i = 0; i < 10; ++i) {
        const double r = (i % 2 == 0) ? 7.5 : 3.2;
        const double angle = (90.0 + 36.0 * i) * M_PI / 180.0;
        star << QPointF(8 + r * std::cos(angle), 8.4 - r * std::sin(angle));
    }
    p.setPen(QPen(kInk, 1));
    p.setBrush(QColor(255, 190, 20));
    p.drawPolygon(star);
    p.setBrush(kInk);
    p.drawEllipse(QPointF(6.6, 7.6), 0.7, 0.9);
    p.drawEllipse(QPointF(9.4, 7.6), 0.7, 0.9);
}

// The application icon: three balls over a pair of hands.
void drawIcon(QPainter& p) {
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawRoundedRect(QRectF(4, 4, 120, 120), 22, 22);
    p.setPen(QPen(kInk, 6, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(14, 70, 36, 36), 195 * 16, 150 * 16);
    p.drawArc(QRectF(78, 70, 36, 36), 195 * 16, 150 * 16);
    p.setPen(Qt::NoPen);
    ball(p, QPointF(64, 26), 12, Qt::blue);
    ball(p, QPointF(34, 56), 12, QColor(255, 200, 0));
    ball(p, QPointF(94, 56), 12, Qt::red);
}

bool save(const QDir& dir, const char* name, int side, const std::function<void(QPainter&)>& draw,
          bool inked) {
    QImage image = blank(side);
    {
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        if (inked) {
            p.setPen(Qt::NoPen);
            p.setBrush(kInk);
        }
        draw(p);
    }
    const QString path = dir.filePath(QString::fromLatin1(name));
    if (!image.save(path, "PNG")) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        return false;
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT_DIR\n", argv[0]);
        return 2;
    }
    const QDir dir(QString::fromLocal8Bit(argv[1]));
    if (!QDir().mkpath(dir.path())) {
        return 1;
    }
    const bool ok =
        save(dir, "Play.png", 32, drawPlay, true) && save(dir, "Pause.png", 32, drawPause, true) &&
        save(dir, "StepForward.png", 32, drawStepForward, true) &&
        save(dir, "StepBack.png", 32, drawStepBack, true) &&
        save(dir, "Wait.png", 16, drawWait, false) && save(dir, "Moof.png", 16, drawMoof, false) &&
        save(dir, "juggle.png", 128, drawIcon, false);
    return ok ? 0 : 1;
}
