// Draws the whole graph/ folder in memory, writes it, and writes contact
// sheets of it for review.
#pragma once

#include <QImage>
#include <filesystem>
#include <string>
#include <vector>

namespace sheetgen {

// The largest deposit amount the map generator lays.
constexpr int kMaxDepositAmount = 16;

struct OutputFile {
    std::string name;                // path inside graph/, '/' separated
    QImage image;                    // opaque, exactly as written
    int patternW = 0, patternH = 0;  // pattern size, 0 for single pictures
    bool transparent = false;
};

struct Graph {
    std::vector<OutputFile> files;
    std::vector<std::string> problems;  // anything the tables asked for that could not be drawn
};

Graph DrawGraph();
const OutputFile* FindFile(const Graph& graph, const std::string& name);

// Writes every file below `dir` (24-bit BMP), leaving files whose content is
// unchanged untouched; when anything changed, removes the game's cached
// pictures composed from the old sheets. Returns an error text, empty on success.
std::string WriteGraph(const Graph& graph, const std::filesystem::path& dir);
// One PNG per sheet below `dir`, each pattern labelled with its number and
// the transparent colour shown as a checkerboard.
std::string WriteContactSheets(const Graph& graph, const std::filesystem::path& dir);

}  // namespace sheetgen
