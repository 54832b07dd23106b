#include <GL/gl.h>

#include <algorithm>
#include <numeric>

#include "Viewpoints.h"

#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb/stb_image_write.h>

namespace levelbench {

FrameStats Summarise(std::vector<double> ms) {
    FrameStats stats;
    if (ms.empty()) return stats;
    stats.mean = std::accumulate(ms.begin(), ms.end(), 0.0) / static_cast<double>(ms.size());
    std::sort(ms.begin(), ms.end());
    stats.p95 = ms[std::min(ms.size() - 1, static_cast<size_t>(0.95 * static_cast<double>(ms.size())))];
    return stats;
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
