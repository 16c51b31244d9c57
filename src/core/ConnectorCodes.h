// Connector pictures: the code of a connected cell is 16 for the cell itself
// plus 2 (above), 8 (left), 32 (right) and 128 (below) for each connected
// neighbour; each code has one picture of the connector sheet.
#pragma once

#include <array>

namespace tarq {

struct ConnectorPicture {
    int code;
    int spr;
    bool up, left, right, down;
};

inline constexpr std::array<ConnectorPicture, 16> kConnectorPictures = {{
    {16, 0, false, false, false, false},
    {18, 1, true, false, false, false},
    {50, 2, true, false, true, false},
    {146, 3, true, false, false, true},
    {178, 4, true, false, true, true},
    {26, 5, true, true, false, false},
    {58, 6, true, true, true, false},
    {154, 7, true, true, false, true},
    {24, 8, false, true, false, false},
    {186, 9, true, true, true, true},
    {48, 10, false, false, true, false},
    {144, 11, false, false, false, true},
    {176, 12, false, false, true, true},
    {56, 13, false, true, true, false},
    {184, 14, false, true, true, true},
    {152, 15, false, true, false, true},
}};

// Picture number for a code, or -1 when the cell itself is not connected.
constexpr int ConnectorPictureFor(int code) {
    for (const ConnectorPicture& p : kConnectorPictures)
        if (p.code == code) return p.spr;
    return -1;
}

}  // namespace tarq
