// The layout of a game file.
//
// Header, 28 bytes, integers big-endian:
//   0  8  magic 89 54 41 52 51 0D 0A 1A ("\x89TARQ\r\n\x1A": a byte above
//         127 and both line ends, so a text-mode copy shows as damage)
//   8  2  format version, 1.. (kGameFileVersion is the newest this program writes)
//  10  2  flags: bit 0 = body deflated by zlib; no other bit is defined
//  12  4  body size once inflated
//  16  4  body size as stored, the bytes that follow the header
//  20  4  CRC-32 of the stored body
//  24  4  CRC-32 of header bytes 0..23
// The header keeps this layout in every version; newer versions change the body.
//
// Body: sections one after another, each a 4-character tag, a u32 length and
// that many bytes. Version 3 has these, in this order:
//   "MAP "  map size, terrain set, start gold
//   "GRID"  terrain, passability, deposits, connectors of the cell region
//   "OBJS"  the non-blank object slots: a u16 count, then their records (slot
//           number and every field, big-endian, fixed size) as byte planes
//   "VIEW"  the view on the screen (position, zoom, the switches and the
//           seven map overlays, the geometry it gave, the selection and its
//           blink), then where each of the eight players looked last
//   "PLAY"  turn, random seed, game id (u64), current player, landing sectors
//           in use, the order in progress (the site placed, its builder's
//           place, the exit cells and their markers, the ready markers' switch)
//   "PLRS"  the players: their number, then all eight entries of the players'
//           table (number, clan, colour, joined, base placed, credits,
//           restrictions, types on sale, purchase list, claimed sectors)
//   "LOG "  the command log: the number of entries and the entry the current
//           round begins with (u32 each), then each entry's turn (i32) and
//           the order's canonical bytes (core/CommandCodec.h)
//   "NOTE"  the players' start-of-turn notices: for each of the eight
//           entries a u16 count, then each notice's cell (i16 column, row)
//           and its text (UTF-8, a u32 length and the bytes)
//   "PATH"  the units' path orders: a u16 count, then each order's unit slot
//           and target cell (i16 each)
//   "FGHT"  the combat log: a u32 count, then each shot's turn (i32), kind,
//           attacker's and target's owner, damage, destroyed flag (u8 each),
//           attacker's slot and type, target's slot and type and the
//           target's cell (i16 each)
//   "FOG "  the fog of war: the option (u8), then for each of the eight
//           entries the explored map cells, one bit a cell (column by column
//           from (1, 1), low bit first, (width * height + 7) / 8 bytes), and
//           the structures they remember: a u16 count, then each one's slot,
//           type (i16), owner, cell count, layer, second layer (u8), its four
//           cells (i16 column, row) and four cell pictures (u8 sheet, i16
//           picture, object, next frame, u8 shown)
// The map's picture layers are not stored: the reader rebuilds them from the
// match and the view. No preference of the user (the settings page, the
// animation periods, the choices for a new game) is stored either.
//
// Versions 1 and 2 have "MAP " (with a generated flag and the sectors as the
// current player saw them), "GRID", "LAYR" (the eight picture layers),
// "OBJS", "VIEW" (which also held the current player's number, clan, credits
// and landing, and the landing-sector switch), "SETS" (the settings page),
// "PLAY" (with the animation periods and without the current player; the game
// id at its end is missing from files written before it was added), "SHOP"
// (the current player's restrictions, purchase list and types on sale) and,
// from version 2 on, "PLRS" (whose entries also held each player's kept view;
// the current player's own values were the working ones of VIEW, SHOP and
// MAP). Version 2 closes VIEW with the overlay switches. The reader still
// takes them: the current player's working values go into their entry, the
// layers and the preferences are read and not kept.
// The small sections go through QDataStream (big-endian). A grid is stored
// as byte planes (BytePlanes.h) over the cell region (columns 0..MapWidth + 2,
// each with rows 0..MapHeight + 2): plane k holds byte k of every cell's
// record, the records' bytes being those of the game's own (little-endian,
// unpadded) layout.
#pragma once

#include <QDataStream>
#include <array>
#include <cstdint>

#include "core/GameState.h"

namespace tarq::gamefile {

inline constexpr std::array<char, 8> kMagic = {'\x89', 'T', 'A', 'R', 'Q', '\r', '\n', '\x1A'};
inline constexpr int kHeaderSize = 28;
inline constexpr std::uint16_t kGameFileVersion = 3;
inline constexpr std::uint16_t kFlagDeflated = 1;
inline constexpr auto kStreamVersion = QDataStream::Qt_6_4;

constexpr std::uint32_t Tag(const char (&t)[5]) {
    return static_cast<std::uint32_t>(static_cast<unsigned char>(t[0])) << 24 |
           static_cast<std::uint32_t>(static_cast<unsigned char>(t[1])) << 16 |
           static_cast<std::uint32_t>(static_cast<unsigned char>(t[2])) << 8 |
           static_cast<std::uint32_t>(static_cast<unsigned char>(t[3]));
}
inline constexpr std::uint32_t kSectionMap = Tag("MAP ");
inline constexpr std::uint32_t kSectionGrid = Tag("GRID");
inline constexpr std::uint32_t kSectionLayers = Tag("LAYR");
inline constexpr std::uint32_t kSectionObjects = Tag("OBJS");
inline constexpr std::uint32_t kSectionView = Tag("VIEW");
inline constexpr std::uint32_t kSectionSettings = Tag("SETS");
inline constexpr std::uint32_t kSectionPlay = Tag("PLAY");
inline constexpr std::uint32_t kSectionShop = Tag("SHOP");
inline constexpr std::uint32_t kSectionPlayers = Tag("PLRS");
inline constexpr std::uint32_t kSectionLog = Tag("LOG ");
inline constexpr std::uint32_t kSectionNotices = Tag("NOTE");
inline constexpr std::uint32_t kSectionPaths = Tag("PATH");
inline constexpr std::uint32_t kSectionCombat = Tag("FGHT");
inline constexpr std::uint32_t kSectionFog = Tag("FOG ");

// Limits of the values a file may hold.
inline constexpr int kMinMapSide = 50;
inline constexpr int kMaxMapSide = kMaxMapSize;
// The largest body: the grids of a 500 x 500 map with its border, all object
// slots and the small sections, with room to spare.
inline constexpr std::uint32_t kMaxBodySize = 24u << 20;
// zlib never inflates one stored byte into more than 1032.
inline constexpr std::uint32_t kMaxInflateRatio = 1032;

}  // namespace tarq::gamefile
