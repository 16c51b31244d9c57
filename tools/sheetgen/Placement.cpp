#include "Placement.h"

#include <set>
#include <utility>

#include "core/TypeSetup.h"

namespace sheetgen {
namespace {

using tarq::FindTypeSetup;
using tarq::TypeSetup;

const tarq::TSpriteRef& Entry(const tarq::Game& game, int e) { return game.SpriteTable[static_cast<std::size_t>(e)]; }

class Planner {
public:
    explicit Planner(const tarq::Game& game) : game_(game), claimed_(tarq::kSpriteTableSize, false) {}

    Plan run() {
        for (int t = 1; t <= tarq::kDefinedTypes; ++t) mainPictures(t);
        for (int t = 1; t <= tarq::kDefinedTypes; ++t) underPictures(t);
        leftoverBlocks();
        if (!claimed(kConstructionSiteEntry)) add(kConstructionSiteEntry, {.type = 0, .art = Art::ConstructionSite});
        Plan plan{std::move(jobs_), {}};
        for (int e = 1; e <= tarq::kFilledSprites; ++e)
            if (!claimed(e) && !drawn_.count(picture(e))) plan.unplaced.push_back(e);
        return plan;
    }

private:
    // Copies of the fields: TSpriteRef is packed, and a reference to its
    // misaligned 16-bit fields (as pair's constructor takes) is undefined.
    std::pair<int, int> picture(int e) const {
        const int item = Entry(game_, e).idU, pattern = Entry(game_, e).Spr;
        return {item, pattern};
    }

    void add(int entry, PictureJob job) {
        job.entry = entry;
        job.item = Entry(game_, entry).idU;
        job.spr = Entry(game_, entry).Spr;
        claimed_[static_cast<std::size_t>(entry)] = true;
        if (drawn_.insert(picture(entry)).second) jobs_.push_back(job);
    }

    // Eight consecutive entries, one per facing.
    void facings(int first, int type, Art art) {
        for (int f = 0; f < 8; ++f) add(first + f, {.type = type, .art = art, .index = f + 1});
    }

    // The frames of an animation ring starting at `first`.
    void ring(int first, int type, Art art, int part, int variant) {
        const std::vector<int> entries = Ring(game_, first);
        const int n = static_cast<int>(entries.size());
        for (int i = 0; i < n; ++i)
            add(entries[static_cast<std::size_t>(i)],
                {.type = type, .art = art, .index = i, .frames = n, .part = part, .variant = variant});
    }

    void mainPictures(int type) {
        const TypeSetup& s = *FindTypeSetup(type);
        const bool facing = HasFacings(type);
        if (facing) facings(s.FacingFirst, type, s.SecondLayer ? Art::UnitHull : Art::UnitWhole);
        for (int k = 0; k < 4; ++k) {
            const int e = s.CellSpriteEntries[static_cast<std::size_t>(k)];
            if (e == 0 || (k > 0 && !s.TwoByTwo)) continue;
            if (facing) {
                if (e < s.FacingFirst || e > s.FacingFirst + 7) facings(e, type, Art::UnitWhole);
            } else if (Entry(game_, e).idU == kTurretItem) {
                facings(e, type, Art::Turret);
            } else {
                ring(e, type, s.TwoByTwo ? Art::Building : Art::SmallStructure, k, 0);
            }
        }
    }

    // Second pictures of one-cell objects: a unit's upper part or a
    // structure's under-picture (road, gun base), unless another type owns it.
    void underPictures(int type) {
        const TypeSetup& s = *FindTypeSetup(type);
        const int e = s.CellSpriteEntries[1];
        if (s.TwoByTwo || e == 0 || claimed(e)) return;
        if (HasFacings(type))
            facings(e, type, s.SecondLayer ? Art::UnitTop : Art::UnitWhole);
        else
            ring(e, type, Art::SmallStructure, 1, 0);
    }

    // Unclaimed 2 x 2 animated blocks laid out like a structure's (four
    // quadrant rings two entries apart) are drawn as variants of the nearest
    // structure before them in the table.
    void leftoverBlocks() {
        for (int e = 1; e + 6 <= tarq::kFilledSprites; ++e) {
            if (!isBlockAt(e)) continue;
            const int owner = blockOwnerBefore(e);
            if (owner == 0) continue;
            const int variant = ++variants_[owner];
            for (int k = 0; k < 4; ++k) ring(e + 2 * k, owner, Art::Building, k, variant);
        }
    }

    bool isBlockAt(int e) const {
        const std::size_t n = Ring(game_, e).size();
        if (n < 2) return false;
        for (int k = 0; k < 4; ++k) {
            const int q = e + 2 * k;
            if (claimed(q) || Ring(game_, q).size() != n) return false;
        }
        return true;
    }

    int blockOwnerBefore(int e) const {
        int best = 0, bestEntry = 0;
        for (int t = 1; t <= tarq::kDefinedTypes; ++t) {
            const TypeSetup& s = *FindTypeSetup(t);
            const int first = s.CellSpriteEntries[0];
            if (s.TwoByTwo && first < e && first > bestEntry) best = t, bestEntry = first;
        }
        return best;
    }

    bool claimed(int e) const { return claimed_[static_cast<std::size_t>(e)]; }

    const tarq::Game& game_;
    std::vector<bool> claimed_;
    std::set<std::pair<int, int>> drawn_;
    std::vector<PictureJob> jobs_;
    int variants_[tarq::kTypeCount + 1] = {};
};

}  // namespace

bool HasFacings(int type) {
    const TypeSetup* s = FindTypeSetup(type);
    return s && s->FacingFirst != 0 && s->FacingCount == 8 && !s->TwoByTwo;
}

std::vector<int> Ring(const tarq::Game& game, int entry) {
    std::vector<int> entries{entry};
    for (int e = Entry(game, entry).SprNext; e != entry && e > 0 && e < tarq::kSpriteTableSize;
         e = Entry(game, e).SprNext) {
        entries.push_back(e);
        if (entries.size() > 64) break;  // a broken ring; never loop forever
    }
    return entries;
}

Plan PlanPictures(const tarq::Game& game) { return Planner(game).run(); }

}  // namespace sheetgen
