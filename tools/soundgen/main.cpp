// soundgen OUTDIR          writes the sounds folder the game reads
// soundgen --list DIR      lists the sounds in DIR: file, length, peak level
#include <cstdio>
#include <cstring>

#include "Output.h"

int main(int argc, char** argv) {
    const bool list = argc == 3 && std::strcmp(argv[1], "--list") == 0;
    if (!(argc == 2 || list)) {
        std::fprintf(stderr, "usage: soundgen OUTDIR | soundgen --list DIR\n");
        return 2;
    }
    const std::string error = list ? soundgen::ListSounds(argv[2], stdout) : soundgen::WriteSounds(argv[1]);
    if (!error.empty()) {
        std::fprintf(stderr, "soundgen: %s\n", error.c_str());
        return 1;
    }
    return 0;
}
