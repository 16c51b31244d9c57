#include "Generator.h"

#include <QBuffer>
#include <QFile>
#include <algorithm>
#include <map>
#include <memory>
#include <tuple>

#include "Art.h"
#include "ArtKit.h"
#include "Placement.h"
#include "Review.h"
#include "Sheets.h"
#include "Terrain.h"
#include "core/ConnectorCodes.h"
#include "core/TypeSetup.h"
#include "core/World.h"

namespace sheetgen {
namespace {

// Design units across a unit's pattern: a little less than the drawings' 100,
// so units fill their cell, with the longest still inside it.
constexpr double kUnitSpan = 92.0;

class SheetPainter {
public:
    SheetPainter(SheetImage& sheet, int pattern) : p_(&sheet.image) {
        const QPoint o = sheet.layout->origin(pattern);
        p_.setClipRect(QRect(o, QSize(sheet.layout->patternW, sheet.layout->patternH)));
        p_.translate(o);
    }
    QPainter& operator*() { return p_; }

private:
    QPainter p_;
};

// A unit, turret or rotating top in one facing. Aircraft also cast a
// shadow on the ground below them, dithered so the ground shows through.
QImage UnitPicture(const PictureJob& job, int size) {
    QImage img(size, size, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    const tarq::TypeSetup* setup = tarq::FindTypeSetup(job.type);
    const bool flying = job.art == Art::UnitWhole && setup && setup->Movement == tarq::kMoveAircraft;
    const double span = flying ? kUnitSpan * 1.12 : kUnitSpan;  // room for the shadow
    const auto facing = [&](QPainter& p) {
        p.translate(size / 2.0, size / 2.0);
        p.scale(size / span, size / span);
        p.rotate((job.index - 1) * 45.0);
    };
    QPainter p(&img);
    facing(p);
    if (job.art == Art::Turret)
        DrawTurret(p, job.type);
    else
        DrawUnit(p, job.type, job.art);
    p.end();
    // A unit drawn without the team colour gets its badge (a rotating top
    // rides on a hull that has it).
    if (job.art != Art::UnitTop && !kit::HasTeamColour(img, img.rect())) {
        QPainter badge(&img);
        facing(badge);
        badge.setRenderHint(QPainter::Antialiasing, false);
        kit::TeamBadge(badge);
    }
    if (!flying) return img;
    const int dx = size / 12, dy = size / 10;
    QImage out = img;
    for (int y = 1; y < size - 1; ++y)
        for (int x = 1; x < size - 1; ++x) {
            const bool below = x >= dx && y >= dy && qAlpha(img.pixel(x - dx, y - dy)) >= 128;
            if (below && qAlpha(img.pixel(x, y)) < 128 && (x + y) % 2 == 0) out.setPixel(x, y, qRgb(24, 28, 24));
        }
    return out;
}

class GraphDrawer {
public:
    Graph run() {
        auto game = tarq::NewGame();
        tarq::InitData(*game);
        for (const SheetLayout& layout : PatternSheets()) sheets_.emplace(layout.file, NewSheet(layout));
        {
            SheetPainter pad(sheets_.at("S03.bmp"), 0);
            pad.operator*().setClipping(false);
            DrawPad(*pad);
        }
        const Plan plan = PlanPictures(*game);
        for (int e : plan.unplaced)
            graph_.problems.push_back("sprite entry " + std::to_string(e) + " has no picture rule");
        for (const PictureJob& job : plan.jobs) draw(job);
        geology();
        connectors();
        for (const SheetLayout& layout : PatternSheets()) {
            QImage flat = Flatten(sheets_.at(layout.file).image, layout.transparent);
            if (layout.transparent && flat.pixel(1, 1) != kKeyColour)
                graph_.problems.push_back(layout.file + ": pixel (1, 1) is not the transparent colour");
            graph_.files.push_back(
                {layout.file, std::move(flat), layout.patternW, layout.patternH, layout.transparent});
        }
        for (int kind = 0; kind < kTerrainKinds; ++kind)
            graph_.files.push_back({TerrainFile(kind), DrawTerrainSheet(kind), kTerrainTile, kTerrainTile, false});
        emblemsAndCards();
        return std::move(graph_);
    }

private:
    void draw(const PictureJob& job) {
        const std::vector<const SheetLayout*> layouts = SheetsForItem(job.item);
        if (layouts.empty()) graph_.problems.push_back("no sheet for item " + std::to_string(job.item));
        for (const SheetLayout* layout : layouts) {
            if (job.spr < 0 || job.spr >= layout->patternCount()) {
                graph_.problems.push_back(layout->file + ": picture " + std::to_string(job.spr) +
                                          " is outside the sheet");
                continue;
            }
            SheetPainter sp(sheets_.at(layout->file), job.spr);
            drawInto(*sp, job, layout->patternW);
        }
    }

    void drawInto(QPainter& p, const PictureJob& job, int size) {
        switch (job.art) {
            case Art::UnitWhole:
            case Art::UnitHull:
            case Art::UnitTop:
            case Art::Turret:
                p.setCompositionMode(QPainter::CompositionMode_Source);
                p.drawImage(0, 0, UnitPicture(job, size));
                break;
            case Art::Building:
                p.setCompositionMode(QPainter::CompositionMode_Source);
                p.drawImage(QPointF(0, 0), building(job), QRect((job.part % 2) * 64, (job.part / 2) * 64, 64, 64));
                break;
            case Art::SmallStructure:
                p.scale(size / 64.0, size / 64.0);
                DrawSmallStructure(p, job.type, job.index, job.frames, job.part);
                // The picture under a structure (a road, a gun base) shows no owner.
                if (job.part == 0 && !SmallStructureHasTeamColour(job)) kit::TeamPlate(p);
                break;
            case Art::ConstructionSite:
                p.scale(size / 64.0, size / 64.0);
                DrawConstructionSite(p);
                break;
        }
    }

    bool SmallStructureHasTeamColour(const PictureJob& job) {
        QImage scratch(64, 64, QImage::Format_ARGB32_Premultiplied);
        scratch.fill(Qt::transparent);
        QPainter p(&scratch);
        DrawSmallStructure(p, job.type, job.index, job.frames, job.part);
        p.end();
        return kit::HasTeamColour(scratch, scratch.rect());
    }

    const QImage& building(const PictureJob& job) {
        const auto key = std::make_tuple(job.type, job.index, job.variant);
        auto it = buildings_.find(key);
        if (it != buildings_.end()) return it->second;
        QImage img = BuildingPicture(job.type, job.index, job.frames, job.variant);
        return buildings_.emplace(key, std::move(img)).first->second;
    }

    void geology() {
        for (const SheetLayout* layout : SheetsForItem(5))
            for (int amount = 0; amount <= kMaxDepositAmount; ++amount) {
                SheetPainter sp(sheets_.at(layout->file), amount);
                DrawDeposit(*sp, amount, layout->patternW);
            }
    }

    void connectors() {
        for (const SheetLayout* layout : SheetsForItem(8))
            for (const tarq::ConnectorPicture& c : tarq::kConnectorPictures) {
                SheetPainter sp(sheets_.at(layout->file), c.spr);
                (*sp).scale(layout->patternW / 28.0, layout->patternH / 28.0);
                DrawConnector(*sp, c);
            }
    }

    void emblemsAndCards() {
        for (int clan = 0; clan < kClans; ++clan) {
            QImage img(kEmblemSize, kEmblemSize, QImage::Format_RGB32);
            QPainter p(&img);
            DrawEmblem(p, clan);
            p.end();
            graph_.files.push_back({EmblemFile(clan), std::move(img), 0, 0, false});
        }
        for (int type = 1; type <= tarq::kDefinedTypes; ++type) {
            QImage img(kCardW, kCardH, QImage::Format_RGB32);
            QPainter p(&img);
            DrawCard(p, type);
            p.end();
            graph_.files.push_back({CardFile(type), std::move(img), 0, 0, false});
        }
    }

    Graph graph_;
    std::map<std::string, SheetImage> sheets_;
    std::map<std::tuple<int, int, int>, QImage> buildings_;
};

// Digits 0-9 in a 3 x 5 pixel font, one bit per pixel, rows top to bottom.
constexpr unsigned short kDigits[10] = {0x7B6F, 0x2C97, 0x73E7, 0x73CF, 0x5BC9, 0x79CF, 0x79EF, 0x7249, 0x7BEF, 0x7BCF};

void DrawNumber(QImage& img, int x, int y, int n, QRgb colour) {
    const std::string text = std::to_string(n);
    for (std::size_t i = 0; i < text.size(); ++i) {
        const unsigned short bits = kDigits[text[i] - '0'];
        for (int r = 0; r < 5; ++r)
            for (int c = 0; c < 3; ++c)
                if (bits & (1 << (14 - (r * 3 + c))))
                    for (int k = 0; k < 4; ++k) {
                        const int px = x + static_cast<int>(i) * 8 + c * 2 + k % 2, py = y + r * 2 + k / 2;
                        if (img.rect().contains(px, py)) img.setPixel(px, py, colour);
                    }
    }
}

// Rows firstRow..firstRow+rowCount-1 of a sheet, each pattern under its number.
QImage ContactSheet(const OutputFile& f, int firstRow, int rowCount) {
    const int pw = f.patternW, ph = f.patternH;
    const int perRow = f.image.width() / pw;
    const int cellW = pw + 6, cellH = ph + 16;
    QImage out(perRow * cellW + 6, rowCount * cellH + 6, QImage::Format_RGB32);
    out.fill(qRgb(40, 42, 46));
    for (int k = firstRow * perRow; k < (firstRow + rowCount) * perRow; ++k) {
        const int sx = (k % perRow) * pw, sy = (k / perRow) * ph;
        const int dx = 6 + (k % perRow) * cellW, dy = 6 + (k / perRow - firstRow) * cellH;
        DrawNumber(out, dx, dy, k, qRgb(230, 230, 120));
        for (int y = 0; y < ph; ++y)
            for (int x = 0; x < pw; ++x) {
                QRgb c = f.image.pixel(sx + x, sy + y);
                if (f.transparent && c == kKeyColour)
                    c = ((x / 4 + y / 4) % 2) ? qRgb(120, 120, 124) : qRgb(150, 150, 154);
                out.setPixel(dx + x, dy + 12 + y, c);
            }
    }
    return out;
}

}  // namespace

Graph DrawGraph() { return GraphDrawer().run(); }

const OutputFile* FindFile(const Graph& graph, const std::string& name) {
    for (const OutputFile& f : graph.files)
        if (f.name == name) return &f;
    return nullptr;
}

namespace {

QByteArray EncodeBmp(const QImage& image) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.convertToFormat(QImage::Format_RGB888).save(&buffer, "BMP");
    return bytes;
}

bool SameContent(const std::filesystem::path& path, const QByteArray& bytes) {
    QFile file(QString::fromStdString(path.string()));
    return file.open(QIODevice::ReadOnly) && file.readAll() == bytes;
}

// The game composes these cache files from the sheets once and then reuses
// them; when a sheet changes they are stale, so they are removed and the
// game makes them again at its next launch.
void RemoveStaleCache(const std::filesystem::path& dir) {
    std::error_code ec;
    for (const auto& folder : std::filesystem::directory_iterator(dir, ec)) {
        QString name = QString::fromStdString(folder.path().filename().string()).toLower();
        if (name != "tempgraph" || !folder.is_directory()) continue;
        for (const auto& entry : std::filesystem::directory_iterator(folder.path(), ec)) {
            name = QString::fromStdString(entry.path().filename().string()).toLower();
            if (name == "gs00.bmp" || name == "gs01.bmp" || name == "gs02.bmp" || name == "minim0.bmp")
                std::filesystem::remove(entry.path(), ec);
        }
    }
}

}  // namespace

std::string WriteGraph(const Graph& graph, const std::filesystem::path& dir) {
    std::error_code ec;
    std::filesystem::create_directories(dir / "units", ec);
    if (ec) return "cannot create " + (dir / "units").string() + ": " + ec.message();
    bool changed = false;
    for (const OutputFile& f : graph.files) {
        const std::filesystem::path path = dir / f.name;
        const QByteArray bytes = EncodeBmp(f.image);
        if (SameContent(path, bytes)) continue;  // unchanged files keep their time stamps
        QFile file(QString::fromStdString(path.string()));
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
            return "cannot write " + path.string();
        changed = true;
    }
    if (changed) RemoveStaleCache(dir);
    return {};
}

std::string WriteContactSheets(const Graph& graph, const std::filesystem::path& dir) {
    std::error_code ec;
    std::filesystem::create_directories(dir, ec);
    if (ec) return "cannot create " + dir.string() + ": " + ec.message();
    for (const OutputFile& f : graph.files) {
        if (f.patternW == 0) continue;
        const std::string stem = std::filesystem::path(f.name).stem().string();
        // Tall sheets are split into pages of about 900 pixels.
        const int rows = f.image.height() / f.patternH, pageRows = std::max(1, 900 / (f.patternH + 16));
        for (int first = 0, page = 1; first < rows; first += pageRows, ++page) {
            // Appended, not "literal" + std::string: GCC 12 at -O3 falsely warns (-Wrestrict) on that.
            const std::string suffix = rows > pageRows ? std::string("_").append(std::to_string(page)) : "";
            const std::filesystem::path path = dir / (stem + suffix + ".png");
            if (!ContactSheet(f, first, std::min(pageRows, rows - first))
                     .save(QString::fromStdString(path.string()), "PNG"))
                return "cannot write " + path.string();
        }
    }
    // Emblems and cards side by side on one page.
    QImage cards(10 * (kCardW + 4) + 4, 8 * (kCardH + 4) + 4, QImage::Format_RGB32);
    cards.fill(qRgb(40, 42, 46));
    QPainter p(&cards);
    for (int t = 1; t <= 67; ++t)
        if (const OutputFile* f = FindFile(graph, CardFile(t)))
            p.drawImage(4 + ((t - 1) % 10) * (kCardW + 4), 4 + ((t - 1) / 10) * (kCardH + 4), f->image);
    for (int c = 0; c < kClans; ++c)
        if (const OutputFile* f = FindFile(graph, EmblemFile(c)))
            p.drawImage(4 + (7 + c % 3) * (kCardW + 4) / 1, 4 + 6 * (kCardH + 4) + (c / 3) * 82, f->image);
    p.end();
    const std::filesystem::path path = dir / "cards.png";
    if (!cards.save(QString::fromStdString(path.string()), "PNG")) return "cannot write " + path.string();
    if (!SampleMap(graph, 4321).save(QString::fromStdString((dir / "sample_map.png").string()), "PNG") ||
        !SampleCloseUp(graph, 4321).save(QString::fromStdString((dir / "sample_closeup.png").string()), "PNG") ||
        !SampleBase(graph).save(QString::fromStdString((dir / "sample_base.png").string()), "PNG"))
        return "cannot write the sample maps in " + dir.string();
    return {};
}

}  // namespace sheetgen
