// sheetgen OUTDIR             writes the graph folder the game reads
// sheetgen --contact OUTDIR   writes PNG contact sheets of every sheet
// sheetgen --icons OUTDIR     writes the hicolor icon tree (application and saved-game icons)
// sheetgen --variants OUTDIR  writes small pieces of the sheets in every BMP
//                             variant the game reads (the fuzzing seed corpus)
#include <cstdio>
#include <cstring>

#include "BmpVariants.h"
#include "Generator.h"
#include "Icons.h"

int main(int argc, char** argv) {
    const char* mode = argc == 3 ? argv[1] : "";
    const bool contact = std::strcmp(mode, "--contact") == 0, icons = std::strcmp(mode, "--icons") == 0,
               variants = std::strcmp(mode, "--variants") == 0;
    if (!(argc == 2 || contact || icons || variants)) {
        std::fprintf(stderr,
                     "usage: sheetgen OUTDIR | sheetgen --contact OUTDIR | sheetgen --icons OUTDIR"
                     " | sheetgen --variants OUTDIR\n");
        return 2;
    }
    std::string error;
    if (icons) {
        error = sheetgen::WriteIcons(argv[2]);
    } else {
        const sheetgen::Graph graph = sheetgen::DrawGraph();
        for (const std::string& problem : graph.problems) std::fprintf(stderr, "sheetgen: %s\n", problem.c_str());
        if (!graph.problems.empty()) return 1;
        error = contact    ? sheetgen::WriteContactSheets(graph, argv[2])
                : variants ? sheetgen::WriteBmpVariants(graph, argv[2])
                           : sheetgen::WriteGraph(graph, argv[1]);
    }
    if (!error.empty()) {
        std::fprintf(stderr, "sheetgen: %s\n", error.c_str());
        return 1;
    }
    return 0;
}
