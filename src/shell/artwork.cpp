#include "shell/artwork.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <QtMath>

namespace Artwork {
namespace {

// Colours shared by several pictures, so the set reads as one family.
const QColor Outline(0x33, 0x3a, 0x48);
const QColor Paper(0xff, 0xff, 0xff);
const QColor Folder(0xf2, 0xc1, 0x4e);
const QColor FolderDark(0xd0, 0x9a, 0x2a);
const QColor Steel(0xa7, 0xb0, 0xbe);
const QColor SteelDark(0x6d, 0x77, 0x87);
const QColor Navy(0x2b, 0x4c, 0x9b);
const QColor Leaf(0x4c, 0xa6, 0x4c);
const QColor Sun(0xff, 0xc8, 0x2e);

QPen Line(const QColor &color, qreal width = 1.0)
{
    QPen pen(color, width);
    pen.setJoinStyle(Qt::MiterJoin);
    pen.setCapStyle(Qt::SquareCap);
    return pen;
}

void Box(QPainter &p, const QRectF &r, const QColor &fill, const QColor &edge = Outline)
{
    p.setPen(Line(edge));
    p.setBrush(fill);
    p.drawRect(r);
}

void WizardHat(QPainter &p)
{
    p.setPen(Line(Outline));
    p.setBrush(Navy);
    p.drawPolygon(QPolygonF({{8.0, 0.5}, {12.5, 12.5}, {3.5, 12.5}}));
    p.setBrush(QColor(0x6b, 0x4f, 0xb8));
    p.drawRoundedRect(QRectF(0.5, 11.5, 15, 3), 1.5, 1.5);
    // Stars and a moon on the cone.
    p.setPen(Qt::NoPen);
    p.setBrush(Sun);
    p.drawRect(QRectF(7, 4, 2, 2));
    p.drawRect(QRectF(9, 8, 2, 2));
    p.drawRect(QRectF(5, 9, 1, 1));
    p.drawRect(QRectF(7, 2, 1, 1));
}

void PictureSheet(QPainter &p, const QRectF &r)
{
    Box(p, r, Paper);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xbf, 0xe3, 0xff));
    p.drawRect(r.adjusted(1, 1, -1, -1));
    p.setBrush(Leaf);
    const qreal bottom = r.bottom() - 0.5;
    p.drawPolygon(QPolygonF({{r.left() + 1, bottom}, {r.left() + 3.5, r.top() + 3},
                             {r.left() + 5.5, bottom - 2}, {r.left() + 6.5, bottom - 3},
                             {r.right() - 1, bottom}}));
    p.setBrush(Sun);
    p.drawEllipse(QPointF(r.right() - 2.5, r.top() + 2.5), 1.2, 1.2);
}

void OpenFolder(QPainter &p)
{
    Box(p, QRectF(0.5, 2.5, 6, 3), FolderDark);
    Box(p, QRectF(0.5, 4.5, 14, 10), FolderDark);
    PictureSheet(p, QRectF(3.5, 1.5, 10, 9));
    p.setPen(Line(Outline));
    p.setBrush(Folder);
    p.drawPolygon(QPolygonF({{0.5, 14.5}, {2.5, 7.5}, {15.5, 7.5}, {13.5, 14.5}}));
}

void Diskette(QPainter &p)
{
    p.setPen(Line(Outline));
    p.setBrush(Navy);
    p.drawPolygon(QPolygonF({{0.5, 0.5}, {13.5, 0.5}, {15.5, 2.5}, {15.5, 15.5}, {0.5, 15.5}}));
    Box(p, QRectF(3.5, 0.5, 9, 5), Steel);
    p.setPen(Qt::NoPen);
    p.setBrush(SteelDark);
    p.drawRect(QRectF(9, 1, 2, 4));
    Box(p, QRectF(2.5, 8.5, 11, 7), Paper);
    p.setPen(Line(QColor(0x9a, 0xb4, 0xe0)));
    p.drawLine(QPointF(4.5, 10.5), QPointF(11.5, 10.5));
    p.drawLine(QPointF(4.5, 12.5), QPointF(11.5, 12.5));
}

void Printer(QPainter &p)
{
    Box(p, QRectF(3.5, 0.5, 9, 6), Paper);
    p.setPen(Line(Steel));
    p.drawLine(QPointF(5.5, 2.5), QPointF(10.5, 2.5));
    Box(p, QRectF(0.5, 5.5, 15, 7), Steel);
    p.setPen(Qt::NoPen);
    p.setBrush(Leaf);
    p.drawRect(QRectF(12, 7, 2, 1));
    Box(p, QRectF(3.5, 10.5, 9, 5), Paper);
    p.setPen(Line(Steel));
    p.drawLine(QPointF(5.5, 12.5), QPointF(10.5, 12.5));
    p.setPen(Line(SteelDark));
    p.drawLine(QPointF(2.5, 9.5), QPointF(13.5, 9.5));
}

void Tools(QPainter &p)
{
    // Screwdriver from top left to bottom right, under the wrench.
    p.setPen(QPen(SteelDark, 1.5, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(2, 2), QPointF(9, 9));
    p.setPen(Line(Outline));
    p.setBrush(QColor(0xd9, 0x3b, 0x3b));
    p.drawPolygon(QPolygonF({{8.5, 10.5}, {10.5, 8.5}, {15.5, 13.5}, {13.5, 15.5}}));
    // Wrench from bottom left to top right.
    QPainterPath wrench;
    wrench.moveTo(1.5, 13.0);
    wrench.lineTo(9.0, 5.5);
    wrench.lineTo(10.5, 7.0);
    wrench.lineTo(3.0, 14.5);
    wrench.closeSubpath();
    QPainterPath head;
    head.addEllipse(QPointF(11.5, 4.5), 4.0, 4.0);
    QPainterPath jaw;
    jaw.addRect(QRectF(11, 0, 2.5, 5.5));
    QPainterPath shape = wrench.united(head).subtracted(jaw.translated(0, -0.5));
    p.setBrush(Steel);
    p.drawPath(shape);
}

void Pencil(QPainter &p)
{
    p.setPen(Line(Outline));
    p.setBrush(QColor(0xf6, 0xb7, 0xc8));
    p.drawPolygon(QPolygonF({{11.5, 1.5}, {13.0, 0.0}, {16.0, 3.0}, {14.5, 4.5}}));
    p.setBrush(QColor(0xff, 0xc8, 0x2e));
    p.drawPolygon(QPolygonF({{4.5, 8.5}, {11.5, 1.5}, {14.5, 4.5}, {7.5, 11.5}}));
    p.setBrush(QColor(0xf3, 0xdc, 0xb0));
    p.drawPolygon(QPolygonF({{4.5, 8.5}, {7.5, 11.5}, {0.5, 15.5}}));
    p.setPen(Qt::NoPen);
    p.setBrush(Outline);
    p.drawPolygon(QPolygonF({{0.5, 15.5}, {1.5, 12.8}, {3.2, 14.5}}));
}

enum class TviewKind { SymbolsOnly, HalfTone, SymbolsAndColors, ColorsOnly };

void SymbolMark(QPainter &p, int kind, const QRectF &cell, const QColor &color)
{
    // Three symbol shapes, all a cell's middle third: a cross, a dot and a triangle.
    const QRectF r = cell.adjusted(1.5, 1.5, -1.5, -1.5);
    p.setBrush(Qt::NoBrush);
    switch (kind % 3) {
    case 0:
        p.setPen(QPen(color, 1.0, Qt::SolidLine, Qt::FlatCap));
        p.drawLine(r.topLeft(), r.bottomRight());
        p.drawLine(r.topRight(), r.bottomLeft());
        break;
    case 1:
        p.setPen(Qt::NoPen);
        p.setBrush(color);
        p.drawRect(r.adjusted(0.5, 0.5, -0.5, -0.5));
        break;
    default:
        p.setPen(Qt::NoPen);
        p.setBrush(color);
        p.drawPolygon(QPolygonF({{r.center().x(), r.top()}, r.bottomRight(), r.bottomLeft()}));
        break;
    }
}

void ViewGrid(QPainter &p, TviewKind view)
{
    static const QColor full[9] = {QColor(0xc0, 0x2b, 0x2b), QColor(0xf2, 0xc1, 0x4e), QColor(0x2b, 0x4c, 0x9b),
                                   QColor(0x4c, 0xa6, 0x4c), QColor(0x2b, 0x4c, 0x9b), QColor(0xc0, 0x2b, 0x2b),
                                   QColor(0xf2, 0xc1, 0x4e), QColor(0xc0, 0x2b, 0x2b), QColor(0x4c, 0xa6, 0x4c)};
    for (int row = 0; row < 3; ++row) {
        for (int col = 0; col < 3; ++col) {
            const QRectF cell(0.5 + col * 5, 0.5 + row * 5, 5, 5);
            const QColor colour = full[row * 3 + col];
            QColor fill = Paper;
            if (view == TviewKind::HalfTone)
                fill = QColor((colour.red() + 255) / 2, (colour.green() + 255) / 2, (colour.blue() + 255) / 2);
            else if (view == TviewKind::SymbolsAndColors || view == TviewKind::ColorsOnly)
                fill = colour;
            p.setPen(Qt::NoPen);
            p.setBrush(fill);
            p.drawRect(cell);
            if (view != TviewKind::ColorsOnly) {
                const bool dark = colour.lightness() < 128;
                const QColor ink = (view == TviewKind::SymbolsAndColors && dark) ? Paper : Qt::black;
                SymbolMark(p, row * 3 + col, cell, ink);
            }
        }
    }
    p.setPen(Line(Outline));
    p.setBrush(Qt::NoBrush);
    for (int i = 0; i <= 3; ++i) {
        p.drawLine(QPointF(0.5 + i * 5, 0.5), QPointF(0.5 + i * 5, 15.5));
        p.drawLine(QPointF(0.5, 0.5 + i * 5), QPointF(15.5, 0.5 + i * 5));
    }
}

void Magnifier(QPainter &p)
{
    Box(p, QRectF(0.5, 0.5, 10, 13), Paper);
    p.setPen(Line(Steel));
    for (int y = 3; y <= 9; y += 2)
        p.drawLine(QPointF(2.5, y + 0.5), QPointF(8.5, y + 0.5));
    p.setPen(QPen(Outline, 2.0, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(12, 12), QPointF(15, 15));
    p.setPen(Line(Outline));
    p.setBrush(QColor(0xcf, 0xe8, 0xff, 0xe0));
    p.drawEllipse(QPointF(9.5, 9.5), 3.5, 3.5);
}

void Tick(QPainter &p)
{
    QPen pen(QColor(0x2e, 0x9e, 0x3e), 2.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    p.setPen(pen);
    p.drawPolyline(QPolygonF({{2.5, 8.5}, {6.0, 12.0}, {13.5, 3.5}}));
}

void Cross(QPainter &p)
{
    QPen pen(QColor(0xd2, 0x2f, 0x2f), 2.5, Qt::SolidLine, Qt::RoundCap);
    p.setPen(pen);
    p.drawLine(QPointF(3.5, 3.5), QPointF(12.5, 12.5));
    p.drawLine(QPointF(12.5, 3.5), QPointF(3.5, 12.5));
}

void StopSign(QPainter &p)
{
    QPolygonF octagon;
    for (int i = 0; i < 8; ++i) {
        const qreal angle = qDegreesToRadians(22.5 + 45.0 * i);
        octagon << QPointF(8 + 7.3 * qCos(angle), 8 + 7.3 * qSin(angle));
    }
    p.setPen(Line(QColor(0xa8, 0x4a, 0x00)));
    p.setBrush(QColor(0xf5, 0x8a, 0x1f));
    p.drawPolygon(octagon);
    p.setPen(Qt::NoPen);
    p.setBrush(Paper);
    p.drawRect(QRectF(3.5, 6.5, 9, 3));
}

void FramedPicture(QPainter &p)
{
    Box(p, QRectF(0.5, 1.5, 15, 13), QColor(0xb9, 0x85, 0x4f));
    PictureSheet(p, QRectF(2.5, 3.5, 11, 9));
}

void Skeins(QPainter &p)
{
    const QColor colours[3] = {QColor(0xd9, 0x3b, 0x3b), QColor(0x4c, 0xa6, 0x4c), QColor(0x2b, 0x6c, 0xc8)};
    for (int i = 0; i < 3; ++i) {
        const qreal x = 0.5 + i * 5;
        Box(p, QRectF(x, 2.5, 5, 11), colours[i]);
        p.setPen(Line(colours[i].darker(140)));
        p.drawLine(QPointF(x + 1.5, 4.5), QPointF(x + 1.5, 11.5));
        p.drawLine(QPointF(x + 3.5, 4.5), QPointF(x + 3.5, 11.5));
        Box(p, QRectF(x, 6.5, 5, 3), Paper);
    }
}

void Eye(QPainter &p)
{
    QPainterPath eye;
    eye.moveTo(0.5, 8);
    eye.quadTo(8, 0, 15.5, 8);
    eye.quadTo(8, 16, 0.5, 8);
    p.setPen(Line(Outline));
    p.setBrush(Paper);
    p.drawPath(eye);
    p.setBrush(Navy);
    p.drawEllipse(QPointF(8, 8), 3, 3);
}

void QuestionDisc(QPainter &p)
{
    p.setPen(Line(Navy.darker(130)));
    p.setBrush(QColor(0x3b, 0x7d, 0xd8));
    p.drawEllipse(QRectF(0.5, 0.5, 15, 15));
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setBold(true);
    font.setPixelSize(11);
    p.setFont(font);
    p.setPen(Paper);
    p.drawText(QRectF(0, 0, 16, 16), Qt::AlignCenter, QStringLiteral("?"));
}

}  // namespace

void Paint(QPainter &painter, int picture, const QRectF &target)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.translate(target.topLeft());
    painter.scale(target.width() / 16.0, target.height() / 16.0);
    switch (picture) {
    case NewScheme: WizardHat(painter); break;
    case Open: OpenFolder(painter); break;
    case Save: Diskette(painter); break;
    case Print: Printer(painter); break;
    case Options: Tools(painter); break;
    case Draw: Pencil(painter); break;
    case SymbolsOnly: ViewGrid(painter, TviewKind::SymbolsOnly); break;
    case HalfTone: ViewGrid(painter, TviewKind::HalfTone); break;
    case SymbolsAndColors: ViewGrid(painter, TviewKind::SymbolsAndColors); break;
    case ColorsOnly: ViewGrid(painter, TviewKind::ColorsOnly); break;
    case PrintPreview: Magnifier(painter); break;
    case ButtonYes: Tick(painter); break;
    case ButtonNo: Cross(painter); break;
    case ButtonCancel: StopSign(painter); break;
    case GroupPreview: FramedPicture(painter); break;
    case GroupKit: Skeins(painter); break;
    case VisibleColumn: Eye(painter); break;
    case HelpSign: QuestionDisc(painter); break;
    default: break;
    }
    painter.restore();
}

QImage Render(int picture, int size, bool disabled)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        QPainter painter(&image);
        Paint(painter, picture, QRectF(0, 0, size, size));
    }
    return disabled ? DisabledLook(image) : image;
}

QImage DisabledLook(const QImage &image)
{
    QImage result = image.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < result.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(result.scanLine(y));
        for (int x = 0; x < result.width(); ++x) {
            const int grey = 128 + qGray(line[x]) / 2;
            line[x] = qRgba(grey, grey, grey, qAlpha(line[x]) * 3 / 4);
        }
    }
    return result;
}

QImage ProgramLogo(int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, true);
    const qreal cell = size / 12.0;
    // Canvas with its weave of holes.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xf7, 0xf1, 0xe1));
    p.drawRoundedRect(QRectF(0, 0, size, size), cell, cell);
    p.setBrush(QColor(0xd8, 0xcc, 0xae));
    for (int r = 1; r < 12; ++r)
        for (int c = 1; c < 12; ++c)
            p.drawEllipse(QPointF(c * cell, r * cell), cell * 0.08, cell * 0.08);
    // A heart of cross stitches, shaded from red to rose.
    static const char *const heart[] = {"............", "............", "..XX....XX..", ".XXXX..XXXX.",
                                        ".XXXXXXXXXX.", ".XXXXXXXXXX.", "..XXXXXXXX..", "...XXXXXX...",
                                        "....XXXX....", ".....XX.....", "............", "............"};
    for (int r = 0; r < 12; ++r) {
        for (int c = 0; c < 12; ++c) {
            if (heart[r][c] != 'X')
                continue;
            const QColor colour = QColor::fromHsv(350 - r * 2, 200 - r * 8, 230 - r * 6);
            QPen pen(colour, cell * 0.28, Qt::SolidLine, Qt::RoundCap);
            p.setPen(pen);
            const QRectF box(c * cell + cell * 0.2, r * cell + cell * 0.2, cell * 0.6, cell * 0.6);
            p.drawLine(box.topLeft(), box.bottomRight());
            p.drawLine(box.topRight(), box.bottomLeft());
        }
    }
    return image;
}

QImage MakerBanner(int width, int height, qreal devicePixelRatio)
{
    QImage image(qRound(width * devicePixelRatio), qRound(height * devicePixelRatio),
                 QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(devicePixelRatio);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, true);
    QLinearGradient band(0, 0, width, 0);
    band.setColorAt(0, QColor(0x2b, 0x4c, 0x9b));
    band.setColorAt(1, QColor(0x6b, 0x9b, 0xd8));
    p.fillRect(QRectF(0, 0, width, height), band);
    // A running stitch along both edges.
    p.setPen(QPen(QColor(255, 255, 255, 170), 2, Qt::CustomDashLine, Qt::FlatCap));
    QPen stitch = p.pen();
    stitch.setDashPattern({3, 2});
    p.setPen(stitch);
    p.drawLine(QPointF(6, 6), QPointF(width - 6, 6));
    p.drawLine(QPointF(6, height - 6), QPointF(width - 6, height - 6));
    QFont title(QStringLiteral("DejaVu Sans"));
    title.setBold(true);
    title.setPixelSize(height * 2 / 5);
    p.setFont(title);
    p.setPen(Qt::white);
    p.drawText(QRectF(16, 0, width - 32, height), Qt::AlignVCenter | Qt::AlignLeft,
               QStringLiteral("Kanvo"));
    QFont tagline(QStringLiteral("DejaVu Sans"));
    tagline.setPixelSize(qMax(10, height / 6));
    p.setFont(tagline);
    p.drawText(QRectF(16, 0, width - 32, height), Qt::AlignVCenter | Qt::AlignRight,
               QStringLiteral("cross-stitch schemes from your pictures"));
    return image;
}

}  // namespace Artwork
