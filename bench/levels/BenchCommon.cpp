#include <GL/gl.h>

#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <numeric>

#include "Viewpoints.h"

#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb/stb_image_write.h>

namespace levelbench {

namespace {

using Clock = std::chrono::steady_clock;

}  // namespace

void MeasureViews(const Side& side, const std::string& map, double loadSeconds, const std::vector<Viewpoint>& views,
                  int frames, const std::string& screenshot) {
    std::vector<double> ms;
    for (size_t v = 0; v < views.size(); ++v) {
        side.place(views[v]);
        const int count = frames / static_cast<int>(views.size());
        auto previous = Clock::now();
        for (int f = -3; f < count; ++f) {
            const bool save = v == 0 && f == count - 1 && !screenshot.empty();
            if (!side.frame([&] {
                    if (save) WriteBackBuffer(screenshot, 640, 480);
                }))
                break;
            const auto now = Clock::now();
            if (f >= 0) ms.push_back(1000 * std::chrono::duration<double>(now - previous).count());
            previous = now;
        }
    }
    double mean = 0, p95 = 0;
    if (!ms.empty()) {
        mean = std::accumulate(ms.begin(), ms.end(), 0.0) / static_cast<double>(ms.size());
        std::sort(ms.begin(), ms.end());
        p95 = ms[std::min(ms.size() - 1, static_cast<size_t>(0.95 * static_cast<double>(ms.size())))];
    }
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("RESULT %s %s %.3f %.2f %.2f %.1f\n", side.engine, map.c_str(), loadSeconds, mean, p95,
                usage.ru_maxrss / 1024.0);
}

bool WriteBackBuffer(const std::string& path, int width, int height) {
    std::vector<unsigned char> rgb(static_cast<size_t>(width) * height * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadBuffer(GL_BACK);
    glReadPixels(0, 0, width, height, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
    stbi_flip_vertically_on_write(1);
    return stbi_write_png(path.c_str(), width, height, 3, rgb.data(), width * 3) != 0;
}

}  // namespace levelbench
