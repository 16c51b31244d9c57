#include "Icons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygon>
#include <cmath>
#include <system_error>

#include "Art.h"
#include "ArtKit.h"

namespace sheetgen {
namespace {

using namespace kit;

const QColor kSea(52, 104, 150), kSeaLight(84, 140, 182);
const QColor kLand(98, 142, 64), kLandLight(128, 170, 84);

// The badge in a 100 x 100 design box centred on the origin: sea, an island
// cut into square tiles, and the tank of the unit sheets on it.
void DrawBadge(QPainter& p) {
    QPainterPath frame;
    frame.addRoundedRect(QRectF(-48, -48, 96, 96), 18, 18);
    QLinearGradient sea(0, -48, 0, 48);
    sea.setColorAt(0, kSeaLight);
    sea.setColorAt(1, kSea);
    p.setPen(QPen(kOutline, 3));
    p.setBrush(sea);
    p.drawPath(frame);

    p.save();
    p.setClipPath(frame);
    QPainterPath island;
    island.moveTo(-30, -26);
    island.cubicTo(-6, -40, 26, -34, 34, -14);
    island.cubicTo(44, 10, 30, 36, 6, 38);
    island.cubicTo(-20, 42, -40, 26, -38, 2);
    island.cubicTo(-38, -12, -36, -20, -30, -26);
    QLinearGradient land(0, -40, 0, 40);
    land.setColorAt(0, kLandLight);
    land.setColorAt(1, kLand);
    p.setPen(QPen(QColor(214, 198, 142), 4));  // the beach
    p.setBrush(land);
    p.drawPath(island);
    // The square cells of the map.
    p.setPen(QPen(QColor(0, 0, 0, 46), 1.2));
    for (double c = -36; c <= 36; c += 18) {
        p.drawLine(QPointF(c, -48), QPointF(c, 48));
        p.drawLine(QPointF(-48, c), QPointF(48, c));
    }
    p.restore();

    p.save();
    p.translate(2, 4);
    p.rotate(-35);
    p.scale(0.62, 0.62);
    DrawUnit(p, 3, Art::UnitHull);
    DrawUnit(p, 3, Art::UnitTop);
    p.restore();
}

// The badge for icons of 32 pixels and less, where the beach, the grid and
// the turned tank would melt into one blob: a flat sea, a plain island and a
// tank seen from above, its parts on whole pixels of `box`. The parts are laid
// out on a 14 x 14 grid (the box of a 16-pixel icon), each edge rounded to
// the nearest pixel.
void DrawSmallBadge(QPainter& p, const QRect& box) {
    const double unit = box.width() / 14.0;
    const auto at = [&](double u, int origin) { return origin + static_cast<int>(std::lround(u * unit)); };
    const auto cells = [&](double x0, double y0, double x1, double y1) {
        return QRect(QPoint(at(x0, box.left()), at(y0, box.top())),
                     QPoint(at(x1, box.left()) - 1, at(y1, box.top()) - 1));
    };
    p.save();
    p.setClipRect(box);  // the smoothing of the round corners stays off the margin
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(QPen(kOutline, 1));
    p.setBrush(kSea);
    p.drawRoundedRect(QRectF(box).adjusted(0.5, 0.5, -0.5, -0.5), box.width() / 5.0, box.width() / 5.0);
    p.setPen(QPen(QColor(214, 198, 142), 1));  // the beach
    p.setBrush(kLand);
    p.drawEllipse(QRectF(cells(1, 2, 13, 13)).adjusted(0.5, 0.5, 0.5, 0.5));

    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(Qt::NoPen);
    const struct {
        QRect part;
        QColor colour;
    } tank[] = {{cells(4, 5, 5, 12), kTrack},
                {cells(10, 5, 11, 12), kTrack},
                {cells(5, 6, 10, 11), kTeam},
                {cells(6, 7, 9, 10), kTeamLight},
                {cells(7, 2, 8, 8), kOutline}};
    for (const auto& part : tank) p.fillRect(part.part, part.colour);
    p.restore();
}

// Paints `draw` on a transparent square picture of `size` pixels whose
// design box spans -50..50.
template <typename Draw>
QImage Picture(int size, Draw draw) {
    QImage img(size, size, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.translate(size / 2.0, size / 2.0);
    p.scale(size / 100.0, size / 100.0);
    draw(p);
    p.end();
    return img.convertToFormat(QImage::Format_ARGB32);
}

// The same for the small sizes, drawn in pixels: `draw` gets the picture's
// box less a margin of a pixel per 16, as the desktop's own small icons keep.
template <typename Draw>
QImage SmallPicture(int size, Draw draw) {
    QImage img(size, size, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    const int margin = size / 16;
    draw(p, QRect(margin, margin, size - 2 * margin, size - 2 * margin));
    p.end();
    return img.convertToFormat(QImage::Format_ARGB32);
}

bool Small(int size) { return size <= 32; }

}  // namespace

QImage DrawAppIcon(int size) { return Small(size) ? SmallPicture(size, DrawSmallBadge) : Picture(size, DrawBadge); }

QImage DrawSavedGameIcon(int size) {
    if (Small(size))
        return SmallPicture(size, [](QPainter& p, const QRect& box) {
            // The page and its fold, the badge on its lower part.
            const int w = box.width(), fold = w / 4, left = box.left() + w / 8, right = box.right() - w / 8;
            p.setRenderHint(QPainter::Antialiasing, false);
            p.setPen(kOutline);
            p.setBrush(QColor(244, 242, 234));
            p.drawPolygon(
                QPolygon({QPoint(left, box.top()), QPoint(right - fold, box.top()), QPoint(right, box.top() + fold),
                          QPoint(right, box.bottom()), QPoint(left, box.bottom())}));
            p.setBrush(QColor(206, 202, 190));
            p.drawPolygon(QPolygon({QPoint(right - fold, box.top()), QPoint(right - fold, box.top() + fold),
                                    QPoint(right, box.top() + fold)}));
            const int badge = (right - left + 1) * 5 / 6;
            DrawSmallBadge(p, QRect((left + right + 1 - badge) / 2, box.bottom() - badge - w / 16, badge, badge));
        });
    return Picture(size, [](QPainter& p) {
        // A page with its top right corner folded, the badge printed on it.
        Poly(p, {QPointF(-36, -48), QPointF(20, -48), QPointF(38, -30), QPointF(38, 48), QPointF(-36, 48)},
             QColor(244, 242, 234), 3);
        Poly(p, {QPointF(20, -48), QPointF(20, -30), QPointF(38, -30)}, QColor(206, 202, 190), 2.4);
        p.setPen(QPen(QColor(150, 146, 136), 3, Qt::SolidLine, Qt::RoundCap));
        for (double y : {-34.0, -24.0}) p.drawLine(QPointF(-26, y), QPointF(10, y));
        p.translate(1, 16);
        p.scale(0.6, 0.6);
        DrawBadge(p);
    });
}

std::string WriteIcons(const std::filesystem::path& dir) {
    for (int size : kIconSizes) {
        const std::filesystem::path sizeDir = dir / "hicolor" / (std::to_string(size) + "x" + std::to_string(size));
        const struct {
            const char* context;
            const char* name;
            QImage image;
        } icons[] = {{"apps", kAppIconName, DrawAppIcon(size)},
                     {"mimetypes", kSavedGameIconName, DrawSavedGameIcon(size)}};
        for (const auto& icon : icons) {
            const std::filesystem::path file = sizeDir / icon.context / (std::string(icon.name) + ".png");
            std::error_code ec;
            std::filesystem::create_directories(file.parent_path(), ec);
            if (!icon.image.save(QString::fromStdString(file.string()), "PNG")) return "cannot write " + file.string();
        }
    }
    return {};
}

}  // namespace sheetgen
