// Reads a screenshot and prints what the end-to-end scripts check:
//   pngstats FILE.png  ->  "mean L dark F colours N" (mean luminance 0..255,
// the share of nearly black pixels, the number of distinct colours).
#include <cstdio>
#include <set>

#define STB_IMAGE_IMPLEMENTATION
#include <stb/stb_image.h>

int main(int argc, char** argv) {
    if (argc != 2) return 2;
    int width = 0, height = 0, channels = 0;
    unsigned char* pixels = stbi_load(argv[1], &width, &height, &channels, 3);
    if (!pixels) {
        std::fprintf(stderr, "pngstats: cannot read %s\n", argv[1]);
        return 1;
    }
    double sum = 0;
    long dark = 0;
    std::set<unsigned> colours;
    const long count = static_cast<long>(width) * height;
    for (long i = 0; i < count; ++i) {
        const unsigned char* p = pixels + i * 3;
        const double luminance = 0.299 * p[0] + 0.587 * p[1] + 0.114 * p[2];
        sum += luminance;
        dark += luminance < 8 ? 1 : 0;
        colours.insert(static_cast<unsigned>(p[0]) << 16 | p[1] << 8 | p[2]);
    }
    std::printf("mean %.1f dark %.3f colours %zu\n", count ? sum / count : 0.0, count ? double(dark) / count : 1.0,
                colours.size());
    stbi_image_free(pixels);
    return 0;
}
