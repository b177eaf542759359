// SPDX-License-Identifier: GPL-3.0-or-later
// Draws the application's bitmaps: the toolbar icons, the application icon and
// the built-in background tile. The PNG files in res/ are its output; run the
// target kestra_make_art with the res/ directory as its argument after changing
// a drawing:
//
//   ninja -C build kestra_make_art && build/src/app/kestra_make_art res
#include <QColor>
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QtMath>
#include <cstdio>
#include <functional>

namespace {

const QColor kInk(0x33, 0x3d, 0x4a);
const QColor kBlue(0x2f, 0x6d, 0xb5);
const QColor kBlueDark(0x1f, 0x4a, 0x7e);
const QColor kOrange(0xe8, 0x8a, 0x1e);
const QColor kGreen(0x2e, 0x9e, 0x5b);
const QColor kPaper(0xfb, 0xfc, 0xfd);

using Drawing = std::function<void(QPainter&)>;

// Every drawing works on a 32 x 32 canvas; the painter scales it.
QImage Render(int size, const Drawing& draw) {
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 32.0, size / 32.0);
    draw(p);
    return image;
}

QPen Outline(const QColor& c, double w = 1.4) {
    QPen pen(c, w);
    pen.setJoinStyle(Qt::RoundJoin);
    pen.setCapStyle(Qt::RoundCap);
    return pen;
}

void Page(QPainter& p, double x, double y, double w, double h) {
    QPainterPath page;
    page.moveTo(x, y);
    page.lineTo(x + w - 7, y);
    page.lineTo(x + w, y + 7);
    page.lineTo(x + w, y + h);
    page.lineTo(x, y + h);
    page.closeSubpath();
    p.setPen(Outline(kInk));
    p.setBrush(kPaper);
    p.drawPath(page);
    QPainterPath fold;
    fold.moveTo(x + w - 7, y);
    fold.lineTo(x + w - 7, y + 7);
    fold.lineTo(x + w, y + 7);
    p.setBrush(QColor(0xdd, 0xe3, 0xea));
    p.drawPath(fold);
}

void DrawNew(QPainter& p) {
    Page(p, 6, 3, 19, 26);
    p.setPen(Outline(QColor(0xb4, 0xbe, 0xca), 1.2));
    for (int i = 0; i < 4; ++i)
        p.drawLine(QPointF(10, 14 + i * 3.5), QPointF(21, 14 + i * 3.5));
    // A small star: something new.
    p.setPen(Qt::NoPen);
    p.setBrush(kOrange);
    QPainterPath star;
    const QPointF c(24, 8);
    for (int i = 0; i < 8; ++i) {
        const double r = (i % 2) ? 2.0 : 5.5;
        const double a = i * M_PI / 4;
        const QPointF pt(c.x() + r * std::cos(a), c.y() + r * std::sin(a));
        if (i == 0)
            star.moveTo(pt);
        else
            star.lineTo(pt);
    }
    star.closeSubpath();
    p.drawPath(star);
}

void DrawOpen(QPainter& p) {
    QPainterPath back;
    back.moveTo(3, 8);
    back.lineTo(11, 8);
    back.lineTo(13, 10.5);
    back.lineTo(26, 10.5);
    back.lineTo(26, 26);
    back.lineTo(3, 26);
    back.closeSubpath();
    p.setPen(Outline(QColor(0x9a, 0x63, 0x12)));
    p.setBrush(QColor(0xf0, 0xb3, 0x4a));
    p.drawPath(back);
    Page(p, 8, 5, 15, 15);
    QPainterPath front;
    front.moveTo(3, 26);
    front.lineTo(7, 15);
    front.lineTo(30, 15);
    front.lineTo(26, 26);
    front.closeSubpath();
    QLinearGradient g(0, 15, 0, 26);
    g.setColorAt(0, QColor(0xff, 0xd2, 0x73));
    g.setColorAt(1, QColor(0xf2, 0xa9, 0x35));
    p.setPen(Outline(QColor(0x9a, 0x63, 0x12)));
    p.setBrush(g);
    p.drawPath(front);
}

void DrawSave(QPainter& p) {
    QPainterPath disk;
    disk.moveTo(4, 4);
    disk.lineTo(24, 4);
    disk.lineTo(28, 8);
    disk.lineTo(28, 28);
    disk.lineTo(4, 28);
    disk.closeSubpath();
    p.setPen(Outline(kBlueDark));
    p.setBrush(kBlue);
    p.drawPath(disk);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xe9, 0xef, 0xf6));
    p.drawRoundedRect(QRectF(9, 4.8, 13, 8), 1, 1);
    p.setBrush(kBlueDark);
    p.drawRect(QRectF(17.5, 6, 2.5, 5.5));
    p.setBrush(kPaper);
    p.drawRoundedRect(QRectF(8, 17, 16, 10.2), 1.2, 1.2);
    p.setPen(Outline(QColor(0xb4, 0xbe, 0xca), 1.1));
    p.drawLine(QPointF(10.5, 20.5), QPointF(21.5, 20.5));
    p.drawLine(QPointF(10.5, 23.8), QPointF(21.5, 23.8));
}

// A small handheld radio on the left half of the canvas.
void Radio(QPainter& p, double x, double y) {
    p.setPen(Outline(kInk, 1.6));
    p.drawLine(QPointF(x + 3, y + 6), QPointF(x + 3, y));
    p.setPen(Outline(kInk, 1.2));
    QLinearGradient body(x, 0, x + 12, 0);
    body.setColorAt(0, QColor(0x4a, 0x55, 0x63));
    body.setColorAt(1, QColor(0x2b, 0x33, 0x3d));
    p.setBrush(body);
    p.drawRoundedRect(QRectF(x, y + 6, 12, 20), 2.5, 2.5);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x9f, 0xe0, 0xc9));
    p.drawRoundedRect(QRectF(x + 2, y + 9, 8, 5), 1, 1);
    p.setBrush(QColor(0xc8, 0xd0, 0xd9));
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c)
            p.drawEllipse(QPointF(x + 3 + c * 3, y + 17 + r * 2.8), 0.9, 0.9);
}

void Arrow(QPainter& p, const QColor& colour, bool up) {
    QPainterPath a;
    if (up) {
        a.moveTo(23, 4);
        a.lineTo(30, 12);
        a.lineTo(26, 12);
        a.lineTo(26, 22);
        a.lineTo(20, 22);
        a.lineTo(20, 12);
        a.lineTo(16, 12);
    } else {
        a.moveTo(23, 28);
        a.lineTo(30, 20);
        a.lineTo(26, 20);
        a.lineTo(26, 10);
        a.lineTo(20, 10);
        a.lineTo(20, 20);
        a.lineTo(16, 20);
    }
    a.closeSubpath();
    p.setPen(Outline(colour.darker(140), 1.2));
    p.setBrush(colour);
    p.drawPath(a);
}

void DrawRead(QPainter& p) {
    Radio(p, 2, 3);
    Arrow(p, kGreen, false);
}

void DrawWrite(QPainter& p) {
    Radio(p, 2, 3);
    Arrow(p, kOrange, true);
}

void DrawPrint(QPainter& p) {
    Page(p, 9, 3, 14, 12);
    p.setPen(Outline(kInk));
    QLinearGradient g(0, 12, 0, 25);
    g.setColorAt(0, QColor(0x8e, 0x99, 0xa6));
    g.setColorAt(1, QColor(0x5b, 0x66, 0x73));
    p.setBrush(g);
    p.drawRoundedRect(QRectF(3, 12, 26, 12), 2.5, 2.5);
    p.setBrush(kPaper);
    p.drawRect(QRectF(8, 19, 16, 10));
    p.setPen(Outline(QColor(0xb4, 0xbe, 0xca), 1.1));
    p.drawLine(QPointF(10.5, 22.5), QPointF(21.5, 22.5));
    p.drawLine(QPointF(10.5, 25.5), QPointF(18.5, 25.5));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x7c, 0xe0, 0x8a));
    p.drawEllipse(QPointF(25, 15.5), 1.3, 1.3);
}

void DrawAbout(QPainter& p) {
    QRadialGradient g(QPointF(13, 11), 16);
    g.setColorAt(0, QColor(0x5a, 0x9a, 0xe0));
    g.setColorAt(1, kBlueDark);
    p.setPen(Outline(kBlueDark, 1.2));
    p.setBrush(g);
    p.drawEllipse(QPointF(16, 16), 13, 13);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(16, 9.5), 2.2, 2.2);
    p.drawRoundedRect(QRectF(14, 13.5, 4, 11.5), 1.5, 1.5);
}

// A curved arrow turning back to the left (undo); mirrored, to the right (redo).
void CurvedArrow(QPainter& p, bool mirrored) {
    p.save();
    if (mirrored) {
        p.translate(32, 0);
        p.scale(-1, 1);
    }
    QPainterPath arc;
    arc.moveTo(9, 13);
    arc.lineTo(19, 13);
    arc.cubicTo(31, 13, 31, 27, 19, 27);
    arc.lineTo(12, 27);
    QPen pen(kBlueDark, 5.2, Qt::SolidLine, Qt::FlatCap, Qt::RoundJoin);
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    p.drawPath(arc);
    pen.setColor(kBlue);
    pen.setWidthF(3.2);
    p.setPen(pen);
    p.drawPath(arc);
    QPainterPath head;
    head.moveTo(2, 13);
    head.lineTo(11, 4.5);
    head.lineTo(11, 21.5);
    head.closeSubpath();
    p.setPen(Outline(kBlueDark));
    p.setBrush(kBlue);
    p.drawPath(head);
    p.restore();
}

void DrawUndo(QPainter& p) {
    CurvedArrow(p, false);
}

void DrawRedo(QPainter& p) {
    CurvedArrow(p, true);
}

void DrawAppIcon(QPainter& p) {
    // Rounded tile with the radio in front of radio waves.
    QLinearGradient tile(0, 0, 0, 32);
    tile.setColorAt(0, QColor(0x3d, 0x82, 0xc9));
    tile.setColorAt(1, QColor(0x1c, 0x4c, 0x86));
    p.setPen(Qt::NoPen);
    p.setBrush(tile);
    p.drawRoundedRect(QRectF(1, 1, 30, 30), 6.5, 6.5);
    p.setBrush(Qt::NoBrush);
    for (int i = 0; i < 3; ++i) {
        QPen wave(QColor(255, 255, 255, 170 - i * 45), 1.6);
        wave.setCapStyle(Qt::RoundCap);
        p.setPen(wave);
        const double r = 6 + i * 4.5;
        p.drawArc(QRectF(9.5 - r, 7 - r, 2 * r, 2 * r), -35 * 16, 75 * 16);
    }
    p.setPen(QPen(QColor(0x1b, 0x22, 0x2b), 1.8, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(9, 12), QPointF(9, 5));
    QLinearGradient body(7, 0, 20, 0);
    body.setColorAt(0, QColor(0x3c, 0x45, 0x51));
    body.setColorAt(1, QColor(0x1b, 0x22, 0x2b));
    p.setPen(QPen(QColor(0x12, 0x17, 0x1d), 0.8));
    p.setBrush(body);
    p.drawRoundedRect(QRectF(7, 11, 13, 18), 2.6, 2.6);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x9f, 0xe8, 0xcf));
    p.drawRoundedRect(QRectF(9, 13.5, 9, 5), 1, 1);
    p.setBrush(QColor(0xe8, 0x8a, 0x1e));
    p.drawRoundedRect(QRectF(9, 20.5, 9, 1.6), 0.8, 0.8);
    p.setBrush(QColor(0xc8, 0xd0, 0xd9));
    for (int r = 0; r < 2; ++r)
        for (int c = 0; c < 3; ++c)
            p.drawEllipse(QPointF(10.2 + c * 3.3, 24.3 + r * 2.6), 0.95, 0.95);
}

// The tile behind the document windows: a light steel blue with soft carrier
// waves. Each wave completes whole periods across the tile and is drawn again
// one tile height above and below, so the tiles join without a seam.
QImage Background() {
    const int w = 238, h = 157;
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(QColor(0xd9, 0xe2, 0xec));
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    struct Wave {
        double y, amplitude;
        int periods;
        double phase;
        QColor colour;
        double width;
    };
    const Wave waves[] = {
        {12, 7, 1, 0.0, QColor(255, 255, 255, 120), 1.4},
        {51, 5, 2, 1.3, QColor(0x2f, 0x6d, 0xb5, 34), 1.2},
        {90, 8, 1, 2.6, QColor(255, 255, 255, 105), 1.4},
        {128, 4, 3, 0.7, QColor(0x2f, 0x6d, 0xb5, 28), 1.1},
    };
    for (const Wave& wave : waves) {
        QPainterPath path;
        for (int x = -2; x <= w + 2; ++x) {
            const double y =
                wave.y + wave.amplitude * std::sin(2 * M_PI * wave.periods * x / w + wave.phase);
            if (x == -2)
                path.moveTo(x, y);
            else
                path.lineTo(x, y);
        }
        p.setPen(QPen(wave.colour, wave.width));
        p.setBrush(Qt::NoBrush);
        for (int dy = -h; dy <= h; dy += h)
            p.drawPath(path.translated(0, dy));
    }
    // Sparse dots, like a faint spectrum display.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 90));
    for (int i = 0; i < 14; ++i) {
        const double x = std::fmod(i * 17.0 + 5, w);
        const double y = std::fmod(i * 41.0 + 30, h);
        p.drawEllipse(QPointF(x, y), 1.1, 1.1);
    }
    return image;
}

bool Save(const QImage& image, const QString& path) {
    if (!image.save(path)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        return false;
    }
    std::printf("%s\n", qPrintable(path));
    return true;
}

} // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    const QDir out(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("res"));
    QDir().mkpath(out.filePath("icons"));
    struct Icon {
        const char* name;
        Drawing draw;
    };
    const Icon icons[] = {{"new", DrawNew},     {"open", DrawOpen},     {"save", DrawSave},
                          {"read", DrawRead},   {"write", DrawWrite},   {"print", DrawPrint},
                          {"about", DrawAbout}, {"undo", DrawUndo},       {"redo", DrawRedo},
                          {"kestra", DrawAppIcon}};
    bool ok = true;
    for (const Icon& icon : icons) {
        for (int size : {16, 24, 32, 48}) {
            const QString name = QStringLiteral("icons/%1-%2.png").arg(icon.name).arg(size);
            ok &= Save(Render(size, icon.draw), out.filePath(name));
        }
    }
    ok &= Save(Render(256, DrawAppIcon), out.filePath("icons/kestra-256.png"));
    ok &= Save(Background(), out.filePath("background.png"));
    return ok ? 0 : 1;
}
