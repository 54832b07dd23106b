// Writes the synthetic long MD5 animation of the benchmark: long.md5mesh
// (5,000 vertices on 8 joints) and long.md5anim (1,000 frames), by the tests'
// MD5 writer.
//   md5_bench_files DIRECTORY
#include <cstdio>
#include <fstream>
#include <string>

#include "models/Md5Writer.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: md5_bench_files DIRECTORY\n");
        return 2;
    }
    using namespace korvath::test;
    const std::string directory = argv[1];
    std::ofstream(directory + "/long.md5mesh", std::ios::binary) << LongMesh(5000, 8).Text();
    std::ofstream(directory + "/long.md5anim", std::ios::binary) << LongAnimation(1000, 8).Text();
    return 0;
}
