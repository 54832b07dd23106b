#include <fstream>
#include <gtest/gtest.h>

#include <utility>

#include "core/Math.h"
#include "core/Paths.h"
#include "input/LineEdit.h"
#include "platform/Files.h"
#include "support/TestSupport.h"

using namespace korvath;

namespace {
void WriteFile(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}
}  // namespace

TEST(Paths, ResolvePathJoinsRelativeNamesAndKeepsAbsoluteOnes) {
    EnginePath() = "C:/game/";
    // One backslash is relative; two name a server.
    for (const auto& [name, resolved] : {std::pair{"maps/a.bsp", "C:/game/maps/a.bsp"}, {"C:/x.bsp", "C:/x.bsp"},
                                         {"\\\\server\\x.bsp", "\\\\server\\x.bsp"}, {"\\maps", "C:/game/\\maps"},
                                         {"a", "C:/game/a"}, {"/usr/share/x.bsp", "/usr/share/x.bsp"}})
        EXPECT_EQ(ResolvePath(name), resolved) << name;
    EnginePath().clear();
}

TEST(Paths, TextUtilities) {
    for (const auto& [path, stripped] : {std::pair{"a/b/", "a/b"}, {"a\\", "a"}, {"a", "a"}, {"", ""}})
        EXPECT_EQ(StripTrailingSlash(path), stripped) << path;
    EXPECT_EQ(CharIndex("abc", 'b'), 1);
    EXPECT_EQ(CharIndex("abc", 'z'), 3);
    EXPECT_EQ(CutAtNul(std::string("abc\0def", 7)), std::string("abc\0", 4));
    EXPECT_EQ(CutAtNul("abc"), "");
    EXPECT_EQ(ExtensionOf("Pic.JPG"), "jpg");
    EXPECT_EQ(ExtensionOf("NoDot"), "nodot");
    EXPECT_EQ(BaseName("Dir.x/Pic.JPG"), "dir.x/pic");
    EXPECT_EQ((std::vector<int64_t>{RoundHalfEven(2.5), RoundHalfEven(3.5), RoundHalfEven(-0.5)}), (std::vector<int64_t>{2, 4, 0}));
}

TEST(Paths, FileExistsNeedsANonEmptyRegularFile) {
    const std::string dir = test::ProcessDirectory();
    WriteFile(dir + "/empty.bin", "");
    WriteFile(dir + "/full.bin", "x");
    EXPECT_TRUE(platform::FileExists(dir + "/full.bin"));
    for (const std::string& path : {dir + "/empty.bin", dir + "/missing.bin", dir, std::string()})
        EXPECT_FALSE(platform::FileExists(path)) << path;
}

TEST(Paths, LookUpFallsBackToCaseInsensitiveComponents) {
    const std::string dir = test::ProcessDirectory();
    ASSERT_EQ(system(("mkdir -p " + dir + "/Textures/Base_Wall").c_str()), 0);
    WriteFile(dir + "/Textures/Base_Wall/Metal.TGA", "data");
    EXPECT_TRUE(platform::FileExists(dir + "/textures/base_wall/metal.tga"));
    EXPECT_TRUE(platform::FileExists(dir + "\\textures\\base_wall\\metal.tga"));
    EXPECT_EQ(platform::FindFileIgnoringCase(dir + "/textures/base_wall/metal.tga"),
              dir + "/Textures/Base_Wall/Metal.TGA");
    std::vector<uint8_t> bytes;
    ASSERT_TRUE(platform::ReadWholeFile(dir + "/TEXTURES/base_wall/metal.tga", bytes));
    EXPECT_EQ(std::string(bytes.begin(), bytes.end()), "data");
    EXPECT_FALSE(platform::FileExists(dir + "/textures/nothing/metal.tga"));
}

TEST(TextEditing, InsertAndDeleteAroundTheCursor) {
    // Offsets outside the text (-10, 5) never reach outside it.
    for (const auto& [offset, text] : {std::pair{-1, "ABXC"}, {0, "ABCX"}, {-3, "XABC"}, {-10, "XABC"}, {5, "ABCX"}})
        EXPECT_EQ(InsertAtCursor("ABC", "X", offset), text) << offset;
    EXPECT_EQ(DeleteBeforeCursor("ABC", -1), "AC");
    EXPECT_EQ(DeleteAtCursor("ABC", -1), "AB");
    EXPECT_EQ(DeleteBeforeCursor("ABC", -3), "ABC");
    EXPECT_EQ(DeleteAtCursor("ABC", 0), "ABC");
}
