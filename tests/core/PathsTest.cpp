#include <fstream>
#include <gtest/gtest.h>

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
    EXPECT_EQ(ResolvePath("maps/a.bsp"), "C:/game/maps/a.bsp");
    EXPECT_EQ(ResolvePath("C:/x.bsp"), "C:/x.bsp");
    EXPECT_EQ(ResolvePath("\\\\server\\x.bsp"), "\\\\server\\x.bsp");
    EXPECT_EQ(ResolvePath("\\maps"), "C:/game/\\maps");  // one backslash is relative
    EXPECT_EQ(ResolvePath("a"), "C:/game/a");
    EXPECT_EQ(ResolvePath("/usr/share/x.bsp"), "/usr/share/x.bsp");
    EnginePath().clear();
}

TEST(Paths, TextUtilities) {
    EXPECT_EQ(StripTrailingSlash("a/b/"), "a/b");
    EXPECT_EQ(StripTrailingSlash("a\\"), "a");
    EXPECT_EQ(StripTrailingSlash("a"), "a");
    EXPECT_EQ(StripTrailingSlash(""), "");
    EXPECT_EQ(CharIndex("abc", 'b'), 1);
    EXPECT_EQ(CharIndex("abc", 'z'), 3);
    EXPECT_EQ(CutAtNul(std::string("abc\0def", 7)), std::string("abc\0", 4));
    EXPECT_EQ(CutAtNul("abc"), "");
    EXPECT_EQ(ExtensionOf("Pic.JPG"), "jpg");
    EXPECT_EQ(ExtensionOf("NoDot"), "nodot");
    EXPECT_EQ(BaseName("Dir.x/Pic.JPG"), "dir.x/pic");
    EXPECT_EQ(RoundHalfEven(2.5), 2);
    EXPECT_EQ(RoundHalfEven(3.5), 4);
    EXPECT_EQ(RoundHalfEven(-0.5), 0);
}

TEST(Paths, FileExistsNeedsANonEmptyRegularFile) {
    const std::string dir = test::ProcessDirectory();
    WriteFile(dir + "/empty.bin", "");
    WriteFile(dir + "/full.bin", "x");
    EXPECT_FALSE(platform::FileExists(dir + "/empty.bin"));
    EXPECT_TRUE(platform::FileExists(dir + "/full.bin"));
    EXPECT_FALSE(platform::FileExists(dir + "/missing.bin"));
    EXPECT_FALSE(platform::FileExists(dir));
    EXPECT_FALSE(platform::FileExists(""));
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
    EXPECT_EQ(InsertAtCursor("ABC", "X", -1), "ABXC");
    EXPECT_EQ(InsertAtCursor("ABC", "X", 0), "ABCX");
    EXPECT_EQ(InsertAtCursor("ABC", "X", -3), "XABC");
    EXPECT_EQ(DeleteBeforeCursor("ABC", -1), "AC");
    EXPECT_EQ(DeleteAtCursor("ABC", -1), "AB");
    // Offsets outside the text never reach outside it.
    EXPECT_EQ(DeleteBeforeCursor("ABC", -3), "ABC");
    EXPECT_EQ(DeleteAtCursor("ABC", 0), "ABC");
    EXPECT_EQ(InsertAtCursor("ABC", "X", -10), "XABC");
    EXPECT_EQ(InsertAtCursor("ABC", "X", 5), "ABCX");
}
