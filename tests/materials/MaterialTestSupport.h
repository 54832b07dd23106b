#pragma once
// What the material tests share: an engine path of its own for every test, script
// and picture files written below it, and a parse of a script given as lines.
#include <filesystem>
#include <string>
#include <vector>

#include "core/Paths.h"
#include "korvath/Material.h"
#include "materials/Materials.h"
#include "materials/TextureTestSupport.h"

namespace korvath::test {

class MaterialTest : public GLTextureTest {
protected:
    void SetUp() override {
        GLTextureTest::SetUp();
        savedPath_ = EnginePath();
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        root_ = ProcessDirectory() + "/" + info->test_suite_name() + "-" + info->name() + "/";
        std::filesystem::remove_all(root_);
        std::filesystem::create_directories(root_);
        EnginePath() = root_;
    }
    void TearDown() override {
        EnginePath() = savedPath_;
        GLTextureTest::TearDown();
    }

    // Writes bytes to a path below the engine path, making its directories.
    std::string Write(const std::string& relative, const std::vector<uint8_t>& bytes) {
        const std::filesystem::path path = root_ + relative;
        std::filesystem::create_directories(path.parent_path());
        std::ofstream(path, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        return path.string();
    }
    // Lines joined with CR LF, as the tools that write scripts do.
    std::string WriteScript(const std::string& relative, const std::vector<std::string>& lines) {
        std::string text;
        for (const std::string& line : lines) text += line + "\r\n";
        return Write(relative, std::vector<uint8_t>(text.begin(), text.end()));
    }
    // A 4 x 4 bitmap of one colour.
    void WritePicture(const std::string& relative, uint8_t b, uint8_t g, uint8_t r) {
        std::vector<uint8_t> rows;
        for (int i = 0; i < 16; ++i) rows.insert(rows.end(), {b, g, r});
        Write(relative, BmpFile(4, 4, rows));
    }
    // The material "textures/m" of a script made of those lines.
    SHADER Parse(const std::vector<std::string>& lines) {
        WriteScript("scripts/test.shader", lines);
        return ParseMaterial("scripts/test.shader", "textures/m");
    }

    std::string root_;

private:
    std::string savedPath_;
};

}  // namespace korvath::test
