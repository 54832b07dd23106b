#pragma once
// Fixed viewpoints of a level for the comparative benchmark: the first spawn
// points of its entity text, at eye height, looking along their angle. Both
// benchmark programs read them from the same file with this code, so the two
// engines draw the same views.
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

namespace levelbench {

using BenchClock = std::chrono::steady_clock;

inline double Seconds(BenchClock::time_point from, BenchClock::time_point to) {
    return std::chrono::duration<double>(to - from).count();
}

// In the file's own Z-up axes; yaw in degrees counter-clockwise from +x.
struct Viewpoint {
    float x = 0, y = 0, z = 0, yaw = 0;
};

inline std::string EntityText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    char header[16] = {};
    if (!in.read(header, sizeof header) || std::memcmp(header, "IBSP", 4) != 0) return {};
    int32_t offset, length;
    std::memcpy(&offset, header + 8, 4);
    std::memcpy(&length, header + 12, 4);
    if (offset < 0 || length <= 0 || length > (64 << 20)) return {};
    std::string text(static_cast<size_t>(length), '\0');
    in.seekg(offset);
    if (!in.read(text.data(), length)) return {};
    return text;
}

inline std::string Value(const std::string& block, const std::string& key) {
    const std::string quoted = "\"" + key + "\"";
    size_t at = block.find(quoted);
    if (at == std::string::npos) return {};
    at = block.find('"', at + quoted.size());
    const size_t end = at == std::string::npos ? at : block.find('"', at + 1);
    return end == std::string::npos ? std::string() : block.substr(at + 1, end - at - 1);
}

inline std::vector<Viewpoint> SpawnViewpoints(const std::string& bspPath, size_t most = 3) {
    std::vector<Viewpoint> views;
    const std::string text = EntityText(bspPath);
    size_t open = 0;
    while (views.size() < most && (open = text.find('{', open)) != std::string::npos) {
        const size_t close = text.find('}', open);
        if (close == std::string::npos) break;
        const std::string block = text.substr(open, close - open);
        open = close;
        const std::string name = Value(block, "classname");
        if (name != "info_player_deathmatch" && name != "info_player_start") continue;
        Viewpoint v;
        if (std::sscanf(Value(block, "origin").c_str(), "%f %f %f", &v.x, &v.y, &v.z) != 3) continue;
        v.z += 40;  // eye height above the spawn origin
        const std::string angle = Value(block, "angle");
        v.yaw = angle.empty() ? 0 : std::stof(angle);
        views.push_back(v);
    }
    if (views.empty()) views.push_back({});
    return views;
}

// One engine's side of the comparison.
struct Side {
    const char* engine;                                  // "korvath", "irrlicht"
    std::function<void(const Viewpoint&)> place;         // put the camera at a view
    // Draws one frame, calling beforeSwap between drawing and the buffer swap;
    // false when the window is gone.
    std::function<bool(const std::function<void()>& beforeSwap)> frame;
};

// Draws `frames` frames spread over the views (three more per view to settle),
// saves the first view's last frame to `screenshot` when one is named, and
// prints "RESULT engine map load_s mean_ms p95_ms peak_MiB".
void MeasureViews(const Side& side, const std::string& map, double loadSeconds, const std::vector<Viewpoint>& views,
                  int frames, const std::string& screenshot);

// The GL back buffer of the current context as a PNG file.
bool WriteBackBuffer(const std::string& path, int width, int height);

}  // namespace levelbench
