// Sprite table: entry e gives the sheet and picture of one frame and, in
// SprNext, the entry that follows it in its animation. Still pictures name
// themselves; a cycle's last entry names its first.
#include <initializer_list>
#include <utility>

#include "core/Catalogue.h"

namespace tarq {
namespace {

class SpriteWriter {
public:
    explicit SpriteWriter(Game& game) : table_(game.SpriteTable) {}

    // Still pictures on one sheet, one entry each, starting at entry `first`.
    void still(int first, int sheet, std::initializer_list<int> pictures) {
        int e = first;
        for (int p : pictures) set(e, sheet, p, e), ++e;
    }
    void stillRange(int first, int sheet, int lo, int hi) {
        for (int p = lo, e = first; p <= hi; ++p, ++e) set(e, sheet, p, e);
    }
    // One ring of pictures on one sheet in entry order.
    void cycle(int first, int sheet, std::initializer_list<int> pictures) {
        const int n = static_cast<int>(pictures.size());
        int e = first;
        for (int p : pictures) {
            const int next = (e - first + 1 < n) ? e + 1 : first;
            set(e, sheet, p, next);
            ++e;
        }
    }
    void cycleRange(int first, int sheet, int lo, int hi) {
        const int last = first + (hi - lo);
        for (int p = lo, e = first; p <= hi; ++p, ++e) set(e, sheet, p, e < last ? e + 1 : first);
    }
    // Two-frame rings: each (sheet:picture, sheet:picture) pair alternates.
    void pairs(int first, std::initializer_list<std::pair<std::pair<int, int>, std::pair<int, int>>> list) {
        int e = first;
        for (const auto& [a, b] : list) {
            set(e, a.first, a.second, e + 1);
            set(e + 1, b.first, b.second, e);
            e += 2;
        }
    }

private:
    void set(int entry, int sheet, int picture, int next) {
        TSpriteRef& s = table_[static_cast<std::size_t>(entry)];
        s.idU = static_cast<u8>(sheet);
        s.Spr = static_cast<i16>(picture);
        s.SprNext = static_cast<i16>(next);
    }
    std::array<TSpriteRef, kSpriteTableSize>& table_;
};

}  // namespace

void FillSpriteTable(Game& game) {
    SpriteWriter w(game);
    w.still(1, 3, {22});
    w.cycle(2, 3, {22, 23, 30, 31});
    w.pairs(6, {{{0, 4}, {0, 6}},   {{0, 5}, {0, 7}},   {{0, 12}, {0, 14}}, {{0, 13}, {0, 15}}, {{1, 0}, {1, 2}},
                {{1, 1}, {1, 3}},   {{1, 8}, {1, 10}},  {{1, 9}, {1, 11}},  {{1, 4}, {0, 16}},  {{1, 5}, {0, 17}},
                {{1, 12}, {0, 24}}, {{1, 13}, {0, 25}}, {{0, 18}, {0, 20}}, {{0, 19}, {0, 21}}, {{0, 26}, {0, 28}},
                {{0, 27}, {0, 29}}, {{0, 22}, {1, 16}}, {{0, 23}, {1, 17}}, {{0, 30}, {1, 24}}, {{0, 31}, {1, 25}},
                {{1, 18}, {1, 20}}, {{1, 19}, {1, 21}}, {{1, 26}, {1, 28}}, {{1, 27}, {1, 29}}, {{0, 32}, {0, 34}},
                {{0, 33}, {0, 35}}, {{0, 40}, {0, 42}}, {{0, 41}, {0, 43}}});
    w.cycleRange(62, 3, 48, 63);
    w.stillRange(78, 9, 20, 23);
    w.stillRange(82, 9, 16, 19);
    w.stillRange(86, 9, 136, 143);
    w.stillRange(94, 9, 160, 175);
    w.stillRange(110, 9, 152, 159);
    w.stillRange(118, 9, 0, 7);
    w.stillRange(126, 9, 40, 47);
    w.stillRange(134, 9, 368, 375);
    w.stillRange(142, 9, 88, 95);
    w.stillRange(150, 9, 72, 79);
    w.stillRange(158, 9, 104, 111);
    w.stillRange(166, 9, 24, 31);
    w.cycleRange(174, 9, 32, 39);
    w.stillRange(182, 9, 64, 71);
    w.stillRange(190, 9, 184, 191);
    w.stillRange(198, 9, 48, 55);
    w.stillRange(206, 9, 96, 103);
    w.stillRange(214, 9, 8, 15);
    w.stillRange(222, 9, 304, 311);
    w.stillRange(230, 10, 0, 7);
    w.stillRange(238, 10, 128, 135);
    w.stillRange(246, 9, 224, 239);
    w.stillRange(262, 9, 208, 215);
    w.stillRange(270, 11, 32, 39);
    w.stillRange(278, 12, 0, 7);
    w.stillRange(286, 9, 272, 279);
    w.stillRange(294, 9, 288, 295);
    w.stillRange(302, 9, 256, 263);
    w.stillRange(310, 11, 40, 47);
    w.stillRange(318, 9, 280, 287);
    w.stillRange(326, 11, 80, 87);
    w.stillRange(334, 11, 96, 103);
    w.stillRange(342, 9, 352, 367);
    w.still(358, 3, {39});
    w.still(359, 3, {46});
    w.stillRange(360, 11, 56, 63);
    w.stillRange(368, 9, 312, 327);
    w.stillRange(384, 9, 336, 343);
    w.stillRange(392, 11, 64, 71);
    w.stillRange(400, 2, 34, 35);
    w.stillRange(402, 2, 42, 43);
    w.cycle(404, 2, {48, 50, 52, 54});
    w.cycle(408, 2, {49, 51, 53, 55});
    w.cycle(412, 2, {56, 58, 60, 62});
    w.cycle(416, 2, {57, 59, 61, 63});
    w.stillRange(420, 2, 32, 33);
    w.stillRange(422, 2, 40, 41);
    w.stillRange(424, 2, 36, 37);
    w.stillRange(426, 2, 44, 45);
    w.stillRange(428, 2, 16, 17);
    w.stillRange(430, 2, 24, 25);
    w.stillRange(432, 2, 18, 19);
    w.stillRange(434, 2, 26, 27);
    w.stillRange(436, 1, 38, 39);
    w.stillRange(438, 1, 46, 47);
    w.stillRange(440, 1, 32, 33);
    w.stillRange(442, 1, 40, 41);
    w.stillRange(444, 1, 50, 51);
    w.stillRange(446, 1, 58, 59);
    w.pairs(448, {{{0, 36}, {0, 38}},
                  {{0, 37}, {0, 39}},
                  {{0, 44}, {0, 46}},
                  {{0, 45}, {0, 47}},
                  {{0, 50}, {0, 52}},
                  {{0, 51}, {0, 53}},
                  {{0, 58}, {0, 60}},
                  {{0, 59}, {0, 61}}});
    w.stillRange(464, 0, 2, 3);
    w.stillRange(466, 0, 10, 11);
    w.stillRange(468, 2, 0, 1);
    w.stillRange(470, 2, 8, 9);
    w.pairs(472, {{{2, 4}, {2, 6}}, {{2, 5}, {2, 7}}, {{2, 12}, {2, 14}}, {{2, 13}, {2, 15}}});
    w.stillRange(480, 3, 34, 36);
    w.stillRange(483, 3, 42, 43);
    w.still(485, 3, {45});
    w.still(486, 3, {38});
    w.still(487, 3, {47});
    w.stillRange(488, 13, 0, 7);
    w.stillRange(496, 13, 16, 23);
    w.stillRange(504, 13, 32, 39);
    w.stillRange(512, 13, 48, 55);
    w.still(520, 5, {17});
    w.still(521, 3, {44});
    w.still(522, 3, {37});
}

}  // namespace tarq
