// The construction-complete notices: lime text in Times New Roman (or its
// metric twin Liberation Serif) 13 pixels high, centred and word-wrapped in a
// 64 x 64 cell on one uniform background, which the loader later takes from
// pixel (1, 1) as the transparent colour.
#pragma once

#include <string>

#include "core/Bitmap.h"
#include "core/GameState.h"
#include "view/GraphicsCache.h"

namespace tarq {

constexpr Pixel kNoticeBackground = FromBgr(0x000000);
constexpr Pixel kNoticeText = FromBgr(0x00FF00);  // lime

// True when text can be drawn (a QGuiApplication exists).
bool CanRenderNotices();

// One 64 x 64 notice cell showing `text`. The text is drawn without smoothing,
// so every pixel is either the background or lime, and never covers the
// top-left 3 x 3 corner, so pixel (1, 1) is always the background.
Bitmap RenderNotice(const std::string& text);

// 4352 x 64: cell i - 1 holds NoticeText of unit type i, for i = 1..68. The
// gauge moves one step per notice and `progress.noticeDone` runs after each.
Bitmap RenderNoticeStrip(const Game& game, GaugeCounter& gauge, const CacheProgress& progress);

}  // namespace tarq
