// Reading straight from mounted archives, loose files first, later archives before earlier ones.
#include <gtest/gtest.h>

#include "archives/ArchiveTestSupport.h"
#include "core/Matrix.h"
#include "core/ViewState.h"
#include "korvath/Map.h"
#include "korvath/Pack.h"
#include "platform/Files.h"
#include "platform/GL.h"
#include "platform/SoundDevices.h"
#include "support/WavWriter.h"
#include "korvath/Sound.h"

namespace korvath::test {
namespace {

std::string Text(const std::string& path) {
    std::vector<uint8_t> bytes;
    return platform::ReadWholeFile(path, bytes) ? std::string(bytes.begin(), bytes.end()) : "<missing>";
}

TEST_F(ArchiveTest, LooseFilesThenLaterArchivesThenEarlierOnes) {
    Pack first, second;
    ASSERT_TRUE(first.Mount(Archive("a.pk3", WriteStoredZip({{"scripts/One.shader", "first"}, {"both.txt", "first"}}))));
    ASSERT_TRUE(second.Mount(Archive("b.pak", WritePack({{"both.txt", "second"}, {"loose.txt", "archived"}}))));
    WriteBytes(Data("loose.txt"), "loose");

    for (const auto& [name, text] : {std::pair{"both.txt", "second"}, {"loose.txt", "loose"}, {"SCRIPTS\\one.SHADER", "first"}})
        EXPECT_EQ(Text(Data(name)), text) << name;
    EXPECT_TRUE(platform::FileExists(Data("scripts/one.shader")));
    EXPECT_EQ(platform::FindFileIgnoringCase(Data("scripts/ONE.shader")), Data("scripts/One.shader"));
    platform::FileStamp stamp;
    EXPECT_TRUE(platform::StampOf(Data("scripts/One.shader"), stamp));
    EXPECT_EQ(stamp.Size, 5);
    EXPECT_EQ(platform::ListDirectory(Data("scripts")), std::vector<std::string>{"One.shader"});
    // Nothing is mounted outside the engine path it was mounted below.
    EXPECT_FALSE(platform::FileExists(root_ + "both.txt"));

    second.UnLoad();  // keeps its mount; only destruction or a new mount drops it
    EXPECT_EQ(Text(Data("both.txt")), "second");
}

TEST_F(ArchiveTest, UnmountedArchivesAreGone) {
    {
        Pack pack;
        ASSERT_TRUE(pack.Mount(Archive("a.pk3", WriteStoredZip({{"gone.txt", "x"}}))));
        EXPECT_TRUE(platform::FileExists(Data("gone.txt")));
    }
    EXPECT_FALSE(platform::FileExists(Data("gone.txt")));
    Pack broken;
    EXPECT_FALSE(broken.Mount(Archive("broken.pk3", "not an archive")));
    EXPECT_TRUE(Logged("PAK: Mounting Failed... broken.pk3"));
}

TEST_F(ArchiveTest, SoundsPlayFromAnArchive) {
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", (root_ + "mixer-out.raw").c_str(), 1);
    const std::vector<uint8_t> tone = ToneWav(440, 0.5);
    Pack pack;
    ASSERT_TRUE(pack.Mount(Archive("sounds.pk3", WriteStoredZip({{"sound/Tone.wav", std::string(tone.begin(), tone.end())}}))));
    Sound sound;
    sound.Load("sound/tone.wav");
    sound.Play("SOUND/tone.wav");
    EXPECT_TRUE(platform::QuerySoundDevice(Data("sound/Tone.wav")).Playing);
    EXPECT_EQ(platform::OpenSoundDevices(), 1);
    platform::SendSoundCommand("close all", nullptr);
}

// The pixels of the corpus level seen from a fixed point, after loading it with
// the engine path at path.
std::vector<uint8_t> LevelFrame(Engine& engine, Map& map, int32_t& entities, int32_t& planes) {
    map.Load("maps/ps9ctf.bsp");
    entities = map.Entities();
    planes = map.Planes();
    // From the first spawn point at eye height (entity origins are stored (z, y, x)).
    for (int32_t i = 0; i <= entities; ++i) {
        const ENTITY spawn = map.Entity(i);
        if (spawn.ClassName.rfind("info_player_", 0) != 0) continue;
        View().CameraPosition = {spawn.Origin.z, spawn.Origin.x + 40, -spawn.Origin.y};
        View().CameraRotation = {0, 0, 0};
        break;
    }
    engine.BeginScene();
    Set3DProjection();
    map.Render();
    glFinish();
    return ReadPixels(0, 0, 640, 480);
}

TEST_F(ArchiveTest, CorpusLevelFromAZipMatchesTheLooseFiles) {
    const std::string loose = CorpusPath("q3/");
    std::vector<ZipFileEntry> zipped;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(loose))
        if (entry.is_regular_file())
            zipped.push_back({entry.path().string().substr(loose.size()), ReadBytes(entry.path().string())});
    const std::string archive = Archive("level.pk3", WriteStoredZip(zipped));

    Map fromLoose, fromArchive;
    int32_t looseEntities = 0, loosePlanes = 0, archivedEntities = 0, archivedPlanes = 0;
    EnginePath() = loose;
    const std::vector<uint8_t> looseFrame = LevelFrame(engine(), fromLoose, looseEntities, loosePlanes);
    fromLoose.UnLoad();

    EnginePath() = Data("");
    Pack pack;
    ASSERT_TRUE(pack.Mount(archive));
    const std::vector<uint8_t> archivedFrame = LevelFrame(engine(), fromArchive, archivedEntities, archivedPlanes);
    WriteScreenshot(ProcessDirectory() + "/archived-level.png", 640, 480);
    ASSERT_TRUE(fromArchive.Loaded());
    EXPECT_EQ(std::pair(archivedEntities, archivedPlanes), std::pair(looseEntities, loosePlanes));
    EXPECT_GT(archivedEntities, 100);
    EXPECT_TRUE(archivedFrame == looseFrame) << "the level looks different from the archive";
    size_t lit = 0;
    for (size_t i = 0; i < archivedFrame.size(); i += 4) lit += archivedFrame[i] + archivedFrame[i + 1] + archivedFrame[i + 2] > 15;
    EXPECT_GT(lit, archivedFrame.size() / 4 / 4) << "the view shows too little of the level";
    EXPECT_EQ(FilesBelowRoot(), std::vector<std::string>{"level.pk3"});  // nothing was extracted
}

}  // namespace
}  // namespace korvath::test
