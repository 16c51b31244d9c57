#include "Icons.h"

#include <QPainter>
#include <QPainterPath>
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

}  // namespace

QImage DrawAppIcon(int size) { return Picture(size, DrawBadge); }

QImage DrawSavedGameIcon(int size) {
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
            if (!icon.image.save(QString::fromStdString(file.string()), "PNG"))
                return "cannot write " + file.string();
        }
    }
    return {};
}

}  // namespace sheetgen
