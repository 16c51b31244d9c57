// The program's own mouse pointers: cursor numbers 1..8 are the frames of the
// animated map pointer, 9 and 10 the move pointer.
#pragma once

#include <QCursor>
#include <array>

namespace tarq {

constexpr int kCursorCount = 10;

class CursorSet {
public:
    // Draws and registers the pointers; call once the application exists.
    void registerCursors();
    // Cursor by number 1..10; other numbers give the arrow.
    QCursor cursor(int number) const;

private:
    std::array<QCursor, kCursorCount + 1> cursors_{};
};

}  // namespace tarq
