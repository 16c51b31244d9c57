// Byte planes: n records of `width` bytes stored as `width` planes, plane k
// holding byte k of every record. Records of a grid or of the object table
// differ in a few bytes only, so planes of equal bytes compress far better
// than the records one after another. Each plane is a marker byte and then:
//   0  its n bytes;
//   1  the one byte all of them are;
//   2  a background byte, a bitmap of n bits (bit i % 8 of byte i / 8 set when
//      byte i differs from the background) and the differing bytes in order.
// The writer takes the shortest; the sparse form keeps a mostly empty plane
// small before compression, which is most of a save's time.
#pragma once

#include <QByteArray>
#include <cstddef>

namespace tarq::gamefile {

void AppendPlanes(QByteArray& out, const char* records, std::size_t n, std::size_t width);

// Reads what AppendPlanes wrote into `records` (n x width bytes), advancing
// `in`; false when the planes are malformed or run past `end`.
bool ReadPlanes(const char*& in, const char* end, char* records, std::size_t n, std::size_t width);

}  // namespace tarq::gamefile
