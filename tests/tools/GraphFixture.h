// The generated graph folder, drawn once per test program, and helpers to
// read its patterns.
#pragma once

#include <QImage>
#include <cmath>

#include "Generator.h"
#include "Sheets.h"

namespace sheetgen::testing {

inline const Graph& TheGraph() {
    static const Graph graph = DrawGraph();
    return graph;
}

inline QImage PatternOf(const OutputFile& f, int k) {
    const int perRow = f.image.width() / f.patternW;
    return f.image.copy((k % perRow) * f.patternW, (k / perRow) * f.patternH, f.patternW, f.patternH);
}

inline int VisiblePixels(const QImage& img, QRgb key) {
    int n = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) n += img.pixel(x, y) != key;
    return n;
}

inline double Luminance(QRgb c) { return 0.299 * qRed(c) + 0.587 * qGreen(c) + 0.114 * qBlue(c); }

}  // namespace sheetgen::testing
