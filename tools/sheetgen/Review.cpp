#include "Review.h"

#include <QPainter>
#include <memory>

#include "Placement.h"
#include "Sheets.h"
#include "core/TypeSetup.h"
#include "core/World.h"
#include "world/MapGenerator.h"

namespace sheetgen {
namespace {

std::unique_ptr<tarq::Game> Generate(std::uint32_t seed) {
    auto game = tarq::NewGame();
    tarq::InitData(*game);
    tarq::MapControls controls;
    controls.mapSizeItem = 0;
    controls.model = 1;
    controls.mountains = 200;
    controls.stones = 200;
    tarq::RandomSource rng([seed] { return seed; });
    tarq::GenerateFromControls(*game, controls, rng);
    return game;
}

QImage Tile(const Graph& graph, int code) {
    const OutputFile* sheet = FindFile(graph, TerrainFile(0));
    return sheet->image.copy((code % kTerrainPerRow) * kTerrainTile, (code / kTerrainPerRow) * kTerrainTile,
                             kTerrainTile, kTerrainTile);
}

// A pattern of a transparent sheet with its key made transparent.
QImage Pattern(const OutputFile& f, int k) {
    const int perRow = f.image.width() / f.patternW;
    QImage img = f.image.copy((k % perRow) * f.patternW, (k / perRow) * f.patternH, f.patternW, f.patternH)
                     .convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (img.pixel(x, y) == kKeyColour) img.setPixel(x, y, 0);
    return img;
}

void Put(QPainter& p, const Graph& graph, const char* file, int k, int col, int row, int cells = 1) {
    if (const OutputFile* f = FindFile(graph, file))
        p.drawImage(QRect(col * 64, row * 64, 64 * cells, 64 * cells), Pattern(*f, k));
}

// The sprite-table entry a type's setup names for cell picture k (0..3).
const tarq::TSpriteRef& CellSprite(const tarq::Game& game, const tarq::TypeSetup& setup, std::size_t k) {
    return game.SpriteTable[static_cast<std::size_t>(setup.CellSpriteEntries[k])];
}

}  // namespace

QImage SampleMap(const Graph& graph, std::uint32_t seed) {
    auto game = Generate(seed);
    const int w = game->World.MapWidth, h = game->World.MapHeight;
    QImage out(w * 16, h * 16, QImage::Format_RGB32);
    QPainter p(&out);
    for (int c = 1; c <= w; ++c)
        for (int r = 1; r <= h; ++r)
            p.drawImage(QRect((c - 1) * 16, (r - 1) * 16, 16, 16), Tile(graph, game->World.Terrain(c, r)));
    return out;
}

QImage SampleCloseUp(const Graph& graph, std::uint32_t seed) {
    auto game = Generate(seed);
    QImage out(16 * 64, 10 * 64, QImage::Format_RGB32);
    QPainter p(&out);
    // The 16 x 10 window with the most coast and obstacle cells.
    int c0 = 1, r0 = 1, best = -1;
    for (int c = 1; c + 16 <= game->World.MapWidth; ++c)
        for (int r = 1; r + 10 <= game->World.MapHeight; ++r) {
            int score = 0;
            for (int i = 0; i < 16; ++i)
                for (int j = 0; j < 10; ++j) {
                    const int code = game->World.Terrain(c + i, r + j);
                    score += (code >= 3 && code <= 46) + 2 * (code >= 60);
                }
            if (score > best) best = score, c0 = c, r0 = r;
        }
    for (int c = 0; c < 16; ++c)
        for (int r = 0; r < 10; ++r) p.drawImage(c * 64, r * 64, Tile(graph, game->World.Terrain(c0 + c, r0 + r)));
    int unit = 0, ship = 0;
    const int land[] = {160, 168, 152, 20, 184, 304, 136, 0, 40, 64, 88, 48};  // Units0 pictures on land
    const int sea[] = {208, 224, 256, 272, 280, 288};
    for (int c = 0; c < 16; c += 2)
        for (int r = (c / 2) % 2; r < 10; r += 2) {
            const int code = game->World.Terrain(c0 + c, r0 + r);
            if (code == 1 || (code >= 54 && code <= 59))
                Put(p, graph, "Units0.bmp", sea[ship++ % 6] + (c + r) % 8, c, r);
            else if (code == 2 || (code >= 47 && code <= 53))
                Put(p, graph, "Units0.bmp", land[unit++ % 12] + (c + r) % 8, c, r);
        }
    return out;
}

QImage SampleBase(const Graph& graph) {
    auto game = tarq::NewGame();
    tarq::InitData(*game);
    QImage out(16 * 64, 6 * 64, QImage::Format_RGB32);
    QPainter p(&out);
    for (int c = 0; c < 16; ++c)
        for (int r = 0; r < 6; ++r) p.drawImage(c * 64, r * 64, Tile(graph, 2));
    const OutputFile* s03 = FindFile(graph, "S03.bmp");
    int block = 0, cell = 0;
    for (const PictureJob& job : PlanPictures(*game).jobs) {
        if (job.index != 0 || job.variant != 0) continue;
        const SheetLayout* layout = SheetsForItem(job.item).front();
        if (job.art == Art::Building) {
            const int b = job.part == 0 ? block++ : block - 1;
            const int col = (b % 8) * 2 + job.part % 2, row = (b / 8) * 2 + job.part / 2;
            if (job.part == 0) {  // the pad: the first 128 x 128 block of S03
                const int perRow = s03->image.width() / 64;
                for (int q = 0; q < 4; ++q)
                    p.drawImage((col + q % 2) * 64, (row + q / 2) * 64, Pattern(*s03, (q / 2) * perRow + q % 2));
            }
            p.drawImage(col * 64, row * 64, Pattern(*FindFile(graph, layout->file), job.spr));
        } else if (job.art == Art::SmallStructure && job.part == 0) {
            const int col = cell % 16, row = 4 + cell / 16;
            ++cell;
            const tarq::TypeSetup* setup = tarq::FindTypeSetup(job.type);
            if (setup && setup->SecondLayer) {
                const tarq::TSpriteRef& under = CellSprite(*game, *setup, 1);
                if (under.idU == 3) Put(p, graph, "S03.bmp", under.Spr, col, row);
            }
            p.drawImage(QRect(col * 64, row * 64, 64, 64), Pattern(*FindFile(graph, layout->file), job.spr));
            if (setup && setup->SecondLayer && job.type >= 62) {
                const tarq::TSpriteRef& turret = CellSprite(*game, *setup, 0);
                Put(p, graph, "struct2.bmp", turret.Spr + 1, col, row);
            }
        }
    }
    for (int type = 62; type <= 65; ++type, ++cell) {  // gun bases with their turrets
        const tarq::TypeSetup* setup = tarq::FindTypeSetup(type);
        Put(p, graph, "S03.bmp", CellSprite(*game, *setup, 1).Spr, cell % 16, 4 + cell / 16);
        Put(p, graph, "struct2.bmp", CellSprite(*game, *setup, 0).Spr + 1, cell % 16, 4 + cell / 16);
    }
    return out;
}

}  // namespace sheetgen
