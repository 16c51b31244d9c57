// Byte planes: n records of `width` bytes stored as `width` planes, plane k
// holding byte k of every record. Records of a grid or of the object table
// differ in a few bytes only, so planes of equal bytes compress far better
// than the records one after another. Each plane is a marker byte and either
// its n bytes (marker 0) or, when they are all the same, that one byte
// (marker 1).
#pragma once

#include <QByteArray>
#include <cstddef>

namespace tarq::gamefile {

void AppendPlanes(QByteArray& out, const char* records, std::size_t n, std::size_t width);

// Reads what AppendPlanes wrote into `records` (n x width bytes), advancing
// `in`; false when the planes are malformed or run past `end`.
bool ReadPlanes(const char*& in, const char* end, char* records, std::size_t n, std::size_t width);

}  // namespace tarq::gamefile
