#pragma once
// What the texture, picture, video and program tests share: an engine on the
// offscreen context for the whole suite, files written into the process
// directory, small file builders and read-back of texture levels.
#include <cstdint>
#include <fstream>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

#include "core/Capabilities.h"
#include "core/EngineState.h"
#include "materials/Texture.h"
#include "platform/Files.h"
#include "platform/GL.h"
#include "support/TestSupport.h"

namespace korvath::test {

// One engine per suite. Exact pixel comparisons need uncompressed textures, so
// the suite starts with compression off; tests that want it turn it back on.
class GLTextureTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { engine_ = std::make_unique<OffscreenEngine>(); }
    static void TearDownTestSuite() { engine_.reset(); }
    void SetUp() override {
        ASSERT_TRUE(engine_->initialized());
        s3tcAvailable_ = Caps().TextureCompression;
        Caps().CompressTextures = false;
        SkipMipmapsForNextTexture(false);
    }
    void TearDown() override { Caps().CompressTextures = false; }
    static Engine& engine() { return engine_->engine(); }
    bool s3tcAvailable_ = false;

private:
    static inline std::unique_ptr<OffscreenEngine> engine_;
};

inline std::string WriteTestFile(const std::string& name, const std::vector<uint8_t>& bytes) {
    const std::string path = ProcessDirectory() + "/" + name;
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                static_cast<std::streamsize>(bytes.size()));
    return path;
}

inline std::vector<uint8_t> FileBytes(const std::string& path) {
    std::vector<uint8_t> bytes;
    platform::ReadWholeFile(path, bytes);
    return bytes;
}

// An uncompressed true-colour TGA: header, then the pixel bytes as given.
inline std::vector<uint8_t> TgaFile(int width, int height, int bits, const std::vector<uint8_t>& pixels) {
    std::vector<uint8_t> file(18, 0);
    file[2] = 2;
    file[12] = width & 255, file[13] = width >> 8;
    file[14] = height & 255, file[15] = height >> 8;
    file[16] = static_cast<uint8_t>(bits);
    file.insert(file.end(), pixels.begin(), pixels.end());
    return file;
}

// A 24-bit BMP of bottom-up BGR rows already padded to 4 bytes.
inline std::vector<uint8_t> BmpFile(int width, int height, const std::vector<uint8_t>& rows) {
    std::vector<uint8_t> file(54, 0);
    auto put32 = [&file](size_t at, uint32_t v) {
        for (int i = 0; i < 4; ++i) file[at + i] = static_cast<uint8_t>(v >> (8 * i));
    };
    file[0] = 'B', file[1] = 'M';
    put32(2, static_cast<uint32_t>(54 + rows.size()));
    put32(10, 54);
    put32(14, 40);
    put32(18, static_cast<uint32_t>(width));
    put32(22, static_cast<uint32_t>(height));
    file[26] = 1, file[28] = 24;
    put32(34, static_cast<uint32_t>(rows.size()));
    file.insert(file.end(), rows.begin(), rows.end());
    return file;
}

inline GLint LevelParameter(GLenum target, GLint level, GLenum name) {
    GLint value = 0;
    glGetTexLevelParameteriv(target, level, name, &value);
    return value;
}

// Level 0 of the texture bound to target, in format, rows aligned as asked.
inline std::vector<uint8_t> TextureImage(GLenum target, GLenum format, int bytesPerPixel, int alignment) {
    const int width = LevelParameter(target, 0, GL_TEXTURE_WIDTH);
    const int height = LevelParameter(target, 0, GL_TEXTURE_HEIGHT);
    const size_t row = (static_cast<size_t>(width) * bytesPerPixel + alignment - 1) / alignment * alignment;
    std::vector<uint8_t> pixels(row * height);
    glPixelStorei(GL_PACK_ALIGNMENT, alignment);
    if (!pixels.empty()) glGetTexImage(target, 0, format, GL_UNSIGNED_BYTE, pixels.data());
    return pixels;
}

// Level 0 of a 2D texture as bottom-up BGR rows padded to 4 bytes.
inline std::vector<uint8_t> BgrTexels(int32_t texture) {
    glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(texture));
    return TextureImage(GL_TEXTURE_2D, GL_BGR, 3, 4);
}

}  // namespace korvath::test
