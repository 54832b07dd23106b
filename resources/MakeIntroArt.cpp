// Draws the four 512 x 512 intro pictures of the library on black, so that the
// additive passes of the intro only ever brighten the screen:
//   KORVATH.LOGO   the emblem: a hexagon ring around an angular K
//   KORVATH.SHADOW the ember glow the emblem casts, shown under the logo
//   KORVATH.INTRO  glow and emblem together (what the screen shows when the
//                  shadow has faded in), so the cross-fade to the title is seamless
//   KORVATH.TITLE  a small emblem over the name and the subtitle
// Usage: MakeIntroArt <output directory>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb/stb_image_write.h>

namespace {

constexpr int kSize = 512;

struct Colour {
    float r = 0, g = 0, b = 0;
};
Colour operator+(Colour a, Colour b) { return {a.r + b.r, a.g + b.g, a.b + b.b}; }
Colour operator*(Colour a, float k) { return {a.r * k, a.g * k, a.b * k}; }
Colour Mix(Colour a, Colour b, float t) { return a * (1 - t) + b * t; }

struct Point {
    float x, y;
};
using Polyline = std::vector<Point>;

struct Picture {
    std::vector<Colour> pixels = std::vector<Colour>(kSize * kSize);
    Colour& at(int x, int y) { return pixels[y * kSize + x]; }
};

float SegmentDistance(Point p, Point a, Point b) {
    const float dx = b.x - a.x, dy = b.y - a.y;
    const float length = dx * dx + dy * dy;
    float t = length > 0 ? ((p.x - a.x) * dx + (p.y - a.y) * dy) / length : 0;
    t = std::clamp(t, 0.0f, 1.0f);
    const float ex = p.x - (a.x + t * dx), ey = p.y - (a.y + t * dy);
    return std::sqrt(ex * ex + ey * ey);
}

float ShapeDistance(Point p, const std::vector<Polyline>& shape) {
    float best = 1e9f;
    for (const Polyline& line : shape)
        for (size_t i = 1; i < line.size(); ++i) best = std::min(best, SegmentDistance(p, line[i - 1], line[i]));
    return best;
}

// Coverage of a stroke of the given half width, with one pixel of smoothing.
float Coverage(float distance, float halfWidth) { return std::clamp(halfWidth + 0.5f - distance, 0.0f, 1.0f); }

std::vector<Polyline> Transform(const std::vector<Polyline>& shape, float scale, Point offset) {
    std::vector<Polyline> result;
    for (const Polyline& line : shape) {
        Polyline moved;
        for (Point p : line) moved.push_back({offset.x + p.x * scale, offset.y + p.y * scale});
        result.push_back(moved);
    }
    return result;
}

// The emblem in a unit square centred on the origin, y down.
std::vector<Polyline> EmblemRing() {
    Polyline ring;
    for (int i = 0; i <= 6; ++i) {
        const float angle = 3.14159265f / 6 + i * 3.14159265f / 3;
        ring.push_back({std::cos(angle) * 0.46f, std::sin(angle) * 0.46f});
    }
    return {ring};
}

std::vector<Polyline> EmblemLetter() {
    return {{{-0.14f, -0.26f}, {-0.14f, 0.26f}},
            {{0.17f, -0.26f}, {-0.10f, 0.02f}},
            {{-0.03f, -0.04f}, {0.19f, 0.26f}}};
}

// Angular capitals on a grid 0.64 wide and 1 high, y up.
std::vector<Polyline> Glyph(char c) {
    switch (c) {
        case 'K': return {{{0, 0}, {0, 1}}, {{0.6f, 1}, {0, 0.42f}}, {{0.2f, 0.61f}, {0.62f, 0}}};
        case 'O':
        case '0':
            return {{{0.16f, 0}, {0.48f, 0}, {0.64f, 0.16f}, {0.64f, 0.84f}, {0.48f, 1}, {0.16f, 1}, {0, 0.84f},
                     {0, 0.16f}, {0.16f, 0}}};
        case 'R':
            return {{{0, 0}, {0, 1}, {0.5f, 1}, {0.62f, 0.88f}, {0.62f, 0.62f}, {0.5f, 0.5f}, {0, 0.5f}},
                    {{0.3f, 0.5f}, {0.62f, 0}}};
        case 'V': return {{{0, 1}, {0.32f, 0}, {0.64f, 1}}};
        case 'A': return {{{0, 0}, {0.32f, 1}, {0.64f, 0}}, {{0.13f, 0.38f}, {0.51f, 0.38f}}};
        case 'T': return {{{0, 1}, {0.64f, 1}}, {{0.32f, 1}, {0.32f, 0}}};
        case 'H': return {{{0, 0}, {0, 1}}, {{0.62f, 0}, {0.62f, 1}}, {{0, 0.5f}, {0.62f, 0.5f}}};
        case 'E': return {{{0.62f, 1}, {0, 1}, {0, 0}, {0.62f, 0}}, {{0, 0.5f}, {0.46f, 0.5f}}};
        case 'N': return {{{0, 0}, {0, 1}, {0.62f, 0}, {0.62f, 1}}};
        case 'G':
            return {{{0.62f, 0.84f}, {0.48f, 1}, {0.16f, 1}, {0, 0.84f}, {0, 0.16f}, {0.16f, 0}, {0.48f, 0},
                     {0.62f, 0.16f}, {0.62f, 0.46f}, {0.34f, 0.46f}}};
        case 'I': return {{{0, 0}, {0, 1}}};
        case '1': return {{{0.06f, 0.78f}, {0.28f, 1}, {0.28f, 0}}};
        case '.': return {{{0, 0}, {0, 0.01f}}};
        default: return {};
    }
}

float GlyphAdvance(char c) { return c == 'I' || c == '.' ? 0.3f : c == '1' ? 0.5f : 0.9f; }

// Text centred on x = 256 with its baseline at `baseline` (pixels, y down).
std::vector<Polyline> Text(const std::string& text, float height, float baseline, float spacing) {
    float width = 0;
    for (char c : text) width += (GlyphAdvance(c) + spacing) * height;
    width -= (0.26f + spacing) * height;
    float x = kSize / 2.0f - width / 2;
    std::vector<Polyline> result;
    for (char c : text) {
        for (Polyline line : Glyph(c)) {
            for (Point& p : line) p = {x + p.x * height, baseline - p.y * height};
            result.push_back(line);
        }
        x += (GlyphAdvance(c) + spacing) * height;
    }
    return result;
}

const Colour kSteelTop{0.86f, 0.92f, 1.0f}, kSteelBottom{0.30f, 0.42f, 0.62f};
const Colour kLetterTop{1.0f, 0.97f, 0.88f}, kLetterBottom{1.0f, 0.62f, 0.22f};
const Colour kEmber{1.0f, 0.38f, 0.08f};

// The emblem at (cx, cy) with the given size in pixels, added onto the picture.
void DrawEmblem(Picture& picture, float cx, float cy, float size) {
    const auto ring = Transform(EmblemRing(), size, {cx, cy});
    const auto letter = Transform(EmblemLetter(), size, {cx, cy});
    const float ringHalf = size * 0.032f, letterHalf = size * 0.045f;
    for (int y = 0; y < kSize; ++y)
        for (int x = 0; x < kSize; ++x) {
            const Point p{x + 0.5f, y + 0.5f};
            const float t = std::clamp((p.y - (cy - size / 2)) / size, 0.0f, 1.0f);
            const float dr = ShapeDistance(p, ring), dl = ShapeDistance(p, letter);
            // A bright core line along each stroke reads as a bevel.
            const float ringCore = Coverage(dr, ringHalf * 0.25f), letterCore = Coverage(dl, letterHalf * 0.3f);
            Colour c = Mix(kSteelTop, kSteelBottom, t) * Coverage(dr, ringHalf) + Colour{1, 1, 1} * (0.35f * ringCore);
            c = c + Mix(kLetterTop, kLetterBottom, t) * Coverage(dl, letterHalf) + Colour{1, 1, 1} * (0.3f * letterCore);
            picture.at(x, y) = picture.at(x, y) + c;
        }
}

// The glow the emblem casts: its strokes blurred by distance, dropped a little.
void DrawGlow(Picture& picture, float cx, float cy, float size) {
    const auto ring = Transform(EmblemRing(), size, {cx + 6, cy + 12});
    const auto letter = Transform(EmblemLetter(), size, {cx + 6, cy + 12});
    for (int y = 0; y < kSize; ++y)
        for (int x = 0; x < kSize; ++x) {
            const Point p{x + 0.5f, y + 0.5f};
            const float d = std::min(ShapeDistance(p, ring), ShapeDistance(p, letter));
            const float rx = (p.x - cx) / (size * 0.62f), ry = (p.y - cy - 12) / (size * 0.62f);
            const float halo = std::exp(-(rx * rx + ry * ry) * 2.2f) * 0.28f;
            const float glow = std::exp(-d / 26.0f) * 0.75f + halo;
            picture.at(x, y) = picture.at(x, y) + kEmber * glow;
        }
}

void DrawText(Picture& picture, const std::vector<Polyline>& strokes, float halfWidth, float top, float bottom,
              Colour upper, Colour lower) {
    for (int y = 0; y < kSize; ++y)
        for (int x = 0; x < kSize; ++x) {
            const Point p{x + 0.5f, y + 0.5f};
            const float coverage = Coverage(ShapeDistance(p, strokes), halfWidth);
            if (coverage <= 0) continue;
            const float t = std::clamp((p.y - top) / (bottom - top), 0.0f, 1.0f);
            picture.at(x, y) = picture.at(x, y) + Mix(upper, lower, t) * coverage;
        }
}

bool Write(const Picture& picture, const std::string& path) {
    std::vector<unsigned char> bytes(kSize * kSize * 3);
    for (size_t i = 0; i < picture.pixels.size(); ++i) {
        const Colour c = picture.pixels[i];
        bytes[i * 3 + 0] = static_cast<unsigned char>(std::lround(std::clamp(c.r, 0.0f, 1.0f) * 255));
        bytes[i * 3 + 1] = static_cast<unsigned char>(std::lround(std::clamp(c.g, 0.0f, 1.0f) * 255));
        bytes[i * 3 + 2] = static_cast<unsigned char>(std::lround(std::clamp(c.b, 0.0f, 1.0f) * 255));
    }
    return stbi_write_jpg(path.c_str(), kSize, kSize, 3, bytes.data(), 95) != 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <output directory>\n", argv[0]);
        return 2;
    }
    const std::string directory = argv[1];
    const float cx = 256, cy = 246, size = 330;

    Picture logo, shadow, intro, title;
    DrawEmblem(logo, cx, cy, size);
    DrawGlow(shadow, cx, cy, size);
    for (size_t i = 0; i < intro.pixels.size(); ++i) intro.pixels[i] = logo.pixels[i] + shadow.pixels[i];

    DrawGlow(title, cx, 150, 150);
    for (Colour& c : title.pixels) c = c * 0.6f;
    DrawEmblem(title, cx, 150, 150);
    DrawText(title, Text("KORVATH", 58, 328, 0.18f), 4.2f, 270, 328, kSteelTop, kSteelBottom);
    DrawText(title, {{{120, 352}, {392, 352}}}, 0.8f, 350, 354, kLetterBottom, kLetterBottom);
    DrawText(title, Text("ENGINE 1.0", 20, 394, 0.35f), 1.7f, 374, 394, kLetterTop, kLetterBottom);

    const bool ok = Write(logo, directory + "/KORVATH.LOGO.JPG") && Write(shadow, directory + "/KORVATH.SHADOW.JPG") &&
                    Write(intro, directory + "/KORVATH.INTRO.JPG") && Write(title, directory + "/KORVATH.TITLE.JPG");
    return ok ? 0 : 1;
}
