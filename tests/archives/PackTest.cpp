// PACK and zip archives through the public Pack: directories, extraction of one
// entry, a subtree and everything, and cleaning up exactly what was written.
#include <gtest/gtest.h>

#include "archives/ArchiveTestSupport.h"
#include "korvath/Pack.h"

namespace korvath::test {
namespace {

using Strings = std::vector<std::string>;

std::vector<PackFileEntry> ThreeEntries() {
    return {{"maps/e1m1.bsp", "level"}, {"textures/base/wall.tga", "wall"}, {"textures/base/floor.tga", "floor"}};
}

// The same extraction steps on a PACK file and on a zip of the same entries.
class PackFormats : public ArchiveTest, public ::testing::WithParamInterface<bool> {
protected:
    std::string ThreeEntryArchive() {
        if (!GetParam()) return Archive("three.pak", WritePack(ThreeEntries()));
        std::vector<ZipFileEntry> zipped;
        for (const PackFileEntry& e : ThreeEntries()) zipped.push_back({e.Name, e.Data});
        return Archive("three.pk3", WriteStoredZip(zipped));
    }
};

TEST_P(PackFormats, ExtractsOneEntryThenASubtreeThenTheRest) {
    Pack pack;
    pack.Load(ThreeEntryArchive());
    ASSERT_TRUE(pack.Loaded());
    ASSERT_EQ(pack.Entries().size(), 3u);
    EXPECT_EQ(pack.Entries()[1].EntryName, "textures/base/wall.tga");

    EXPECT_TRUE(pack.Extract("maps/e1m1.bsp"));
    EXPECT_EQ(FilesBelowRoot(), (Strings{"data/maps/e1m1.bsp", GetParam() ? "three.pk3" : "three.pak"}));
    EXPECT_EQ(ReadBytes(Data("maps/e1m1.bsp")), "level");

    EXPECT_TRUE(pack.Extract("textures/"));
    EXPECT_EQ(ReadBytes(Data("textures/base/floor.tga")), "floor");
    EXPECT_FALSE(pack.Extract());  // everything exists already
    EXPECT_TRUE(Logged("PAK: Extraction Failed...") && pack.Entries()[0].Extracted && pack.Entries()[2].Extracted);
}

// A user's own map in the folder an entry lands in survives Clean; the folders
// the extraction made are gone.
TEST_P(PackFormats, CleanRemovesOnlyWhatItWrote) {
    std::filesystem::create_directories(Data("maps"));
    WriteBytes(Data("maps/mine.bsp"), "user");
    WriteBytes(Data("maps/e1m1.bsp"), "user's own e1m1");
    Pack pack;
    pack.Load(ThreeEntryArchive());
    EXPECT_TRUE(pack.Extract());
    EXPECT_EQ(ReadBytes(Data("maps/e1m1.bsp")), "user's own e1m1");  // left untouched
    pack.Clean();
    EXPECT_EQ(FilesBelowRoot(), (Strings{"data/maps/e1m1.bsp", "data/maps/mine.bsp", GetParam() ? "three.pk3" : "three.pak"}));
    EXPECT_TRUE(!std::filesystem::exists(Data("textures")) && pack.Entries().empty());
}

TEST_P(PackFormats, UnloadCleansUp) {
    {
        Pack pack;
        pack.Load(ThreeEntryArchive());
        pack.Extract();
        EXPECT_TRUE(std::filesystem::exists(Data("maps/e1m1.bsp")));
    }
    EXPECT_FALSE(std::filesystem::exists(Data("maps")));
    EXPECT_TRUE(Logged("PAK: Unloaded"));
}

INSTANTIATE_TEST_SUITE_P(PackAndZip, PackFormats, ::testing::Bool(),
                         [](const auto& info) { return info.param ? std::string("Zip") : std::string("Pack"); });

TEST_F(ArchiveTest, TwoEntriesFromA128ByteDirectory) {
    Pack pack;
    pack.Load(Archive("two.pak", WritePack({{std::string("a.txt\0junk", 10), "A"}, {"sub/b.txt", "B"}})));
    ASSERT_TRUE(pack.Loaded());
    ASSERT_EQ(pack.Entries().size(), 2u);
    EXPECT_EQ(pack.Entries()[0].EntryName, "a.txt");  // cut at the first NUL
    EXPECT_TRUE(pack.Entries()[1].FileLen == 1 && Logged("PAK: Loaded Successfully"));
}

// A directory length that is no multiple of 64 holds only its whole entries.
TEST_F(ArchiveTest, PartialDirectoryEntryIsNotRead) {
    std::string bytes = WritePack({{"a.txt", "A"}}) + std::string(36, 'x');
    bytes[8] = 100;
    Pack pack;
    pack.Load(Archive("partial.pak", bytes));
    ASSERT_TRUE(pack.Loaded());
    EXPECT_EQ(pack.Entries().size(), 1u);
}

TEST_F(ArchiveTest, BadHeadersLeaveThePackUnloaded) {
    std::string pastEnd = WritePack({{"a.txt", "A"}});
    pastEnd[4] = 0x70;  // directory offset far past the end
    std::string negative = WritePack({{"a.txt", "A"}});
    negative[11] = static_cast<char>(0x80);  // negative directory length
    for (const std::string& bytes : {std::string("PACX00000000"), std::string("PA"), pastEnd, negative}) {
        Pack pack;
        pack.Load(Archive("bad.pak", bytes));
        EXPECT_FALSE(pack.Loaded() || !pack.Entries().empty() || pack.Extract()) << bytes.size();
    }
    EXPECT_TRUE(Logged("PAK: Invalid Pack File!") && Logged("PAK: Loading Failed..."));
}

// Names that lead out, data outside the archive and links on the way are refused
// and reported; the good entries beside them are still written.
TEST_F(ArchiveTest, HostilePackWritesNothingOutsideTheEnginePath) {
    const std::string absolute = "/tmp/korvath-pak-absolute.txt";  // fits the 56-byte name
    std::filesystem::create_directories(root_ + "outside");
    std::filesystem::create_directory_symlink(root_ + "outside", Data("link"));
    PackFileEntry pastEnd{"past.txt", "x", 12, 4096, true};
    PackFileEntry negative{"negative.txt", "x", 12, -5, true};
    PackFileEntry overlap{"overlap.txt", "", 12, 4, true};  // the bytes of another entry
    Pack pack;
    pack.Load(Archive("hostile.pak", WritePack({{"good.txt", "good"},
                                                {"../escape.txt", "x"},
                                                {"maps/../../escape2.txt", "x"},
                                                {absolute, "x"},
                                                {"C:/drive.txt", "x"},
                                                {"..\\back.txt", "x"},
                                                {"link/through.txt", "x"},
                                                pastEnd,
                                                negative,
                                                overlap})));
    ASSERT_TRUE(pack.Loaded());
    EXPECT_TRUE(pack.Extract());
    EXPECT_EQ(FilesBelowRoot(), (Strings{"data/good.txt", "data/link", "data/overlap.txt", "hostile.pak"}));
    EXPECT_EQ(ReadBytes(Data("overlap.txt")), "good");
    for (const std::string& line : {std::string("PAK: Refused ../escape.txt (leads out with ..)"), "PAK: Refused " + absolute + " (absolute name)",
                                    std::string("PAK: Refused link/through.txt (link on the way)"),
                                    std::string("PAK: Refused past.txt (data outside the archive)")})
        EXPECT_TRUE(Logged(line)) << line;
    EXPECT_FALSE(std::filesystem::exists(absolute));
    pack.Clean();
    EXPECT_TRUE(std::filesystem::is_symlink(Data("link")));
}

TEST_F(ArchiveTest, HostileZipIsRefusedTheSameWay) {
    Pack pack;
    pack.Load(Archive("hostile.pk3", WriteStoredZip({{"../escape.txt", "x"},
                                                     {"/absolute.txt", "x"},
                                                     {"bomb.bin", "tiny", 0x7FFFFFF0u},
                                                     {"folder/", ""},
                                                     {"folder/good.txt", "good"}})));
    ASSERT_TRUE(pack.Loaded());
    EXPECT_TRUE(pack.Extract());
    EXPECT_EQ(FilesBelowRoot(), (Strings{"data/folder/good.txt", "hostile.pk3"}));
    EXPECT_TRUE(Logged("PAK: Refused bomb.bin (larger than the entry size limit)"));
}

// An entry whose stored bytes do not match its declared size is not written.
TEST_F(ArchiveTest, ZipEntryThatLiesAboutItsSizeIsNotWritten) {
    std::string bytes = WriteStoredZip({{"liar.txt", "abcdef"}});
    bytes[30 + 8] = 'X';  // damages the data, so the checksum fails
    Pack pack;
    pack.Load(Archive("liar.pk3", bytes));
    ASSERT_TRUE(pack.Loaded());
    EXPECT_FALSE(pack.Extract() || std::filesystem::exists(Data("liar.txt")));
}

TEST_F(ArchiveTest, CorpusPacksExtractTheirBytes) {
    struct Case {
        std::string file;
        Strings names;
    };
    for (const Case& c : {Case{"pak/qmin/id1/pak0.pak", {"hellothere.txt"}},
                          Case{"pak/qmin/id1/pak1.pak", {"progs.dat", "gfx/colormap.lmp", "gfx/palette.lmp", "gfx/pop.lmp"}}}) {
        const std::string archive = CorpusPath(c.file);
        const std::string raw = ReadBytes(archive);
        Pack pack;
        pack.Load(archive);
        ASSERT_TRUE(pack.Loaded()) << c.file;
        Strings names;
        for (const PackEntry& e : pack.Entries()) names.push_back(e.EntryName);
        EXPECT_EQ(names, c.names);
        EXPECT_TRUE(pack.Extract());
        for (const PackEntry& e : pack.Entries()) {
            const std::string archived = raw.substr(static_cast<size_t>(e.FilePos), static_cast<size_t>(e.FileLen));
            EXPECT_EQ(std::hash<std::string>{}(ReadBytes(Data(e.EntryName))), std::hash<std::string>{}(archived))
                << e.EntryName;
        }
        pack.UnLoad();
        EXPECT_EQ(FilesBelowRoot(), Strings{});
    }
    EXPECT_EQ(ReadBytes(CorpusPath("pak/qmin/id1/pak0.pak")).substr(56, 21), "this is a dummy file\n");
}

}  // namespace
}  // namespace korvath::test
