#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "platform/DirectoryListings.h"
#include "platform/Files.h"
#include "support/TestSupport.h"

using namespace korvath;
namespace fs = std::filesystem;

namespace {

class KeptListings : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = test::ProcessDirectory() + "/listings";
        fs::remove_all(dir_);
        fs::create_directories(dir_ + "/Textures");
        platform::ForgetDirectoryListings();
    }
    void TearDown() override { fs::remove_all(dir_); }
    void Touch(const std::string& relative) { std::ofstream(dir_ + "/" + relative) << "x"; }
    std::string Find(const std::string& relative) { return platform::FindFileIgnoringCase(dir_ + "/" + relative); }

    std::string dir_;
};

// A listing read for one look-up must not hide what the directory holds later.
TEST_F(KeptListings, ChangesToADirectoryAreSeen) {
    Touch("Textures/Wall.TGA");
    EXPECT_EQ(Find("textures/wall.tga"), dir_ + "/Textures/Wall.TGA");
    EXPECT_EQ(Find("textures/floor.jpg"), dir_ + "/textures/floor.jpg");  // a miss, listing kept

    Touch("Textures/FLOOR.jpg");
    EXPECT_EQ(Find("textures/floor.jpg"), dir_ + "/Textures/FLOOR.jpg");

    fs::rename(dir_ + "/Textures/Wall.TGA", dir_ + "/Textures/WALL.tga");
    EXPECT_EQ(Find("textures/wall.tga"), dir_ + "/Textures/WALL.tga");

    fs::remove(dir_ + "/Textures/FLOOR.jpg");
    EXPECT_FALSE(platform::FileExists(dir_ + "/textures/floor.jpg"));
}

// A directory replaced by another of the same name is a new listing.
TEST_F(KeptListings, AReplacedDirectoryIsReadAgain) {
    Touch("Textures/Old.tga");
    EXPECT_EQ(Find("textures/old.tga"), dir_ + "/Textures/Old.tga");
    fs::rename(dir_ + "/Textures", dir_ + "/Gone");
    fs::create_directories(dir_ + "/TEXTURES");
    Touch("TEXTURES/New.tga");
    EXPECT_EQ(Find("textures/new.tga"), dir_ + "/TEXTURES/New.tga");
    EXPECT_EQ(Find("textures/old.tga"), dir_ + "/textures/old.tga");
}

TEST_F(KeptListings, MatchIsExactOnlyUpToAsciiCase) {
    Touch("Textures/Stone\xC3\x89.tga");  // a non-ASCII capital is not folded
    EXPECT_EQ(platform::MatchIgnoringCase(dir_ + "/Textures", "STONE\xC3\x89.TGA"), "Stone\xC3\x89.tga");
    EXPECT_EQ(platform::MatchIgnoringCase(dir_ + "/Textures", "stone\xC3\xA9.tga"), "");
    EXPECT_EQ(platform::MatchIgnoringCase(dir_ + "/Missing", "x"), "");
}

}  // namespace
