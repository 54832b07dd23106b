#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <regex>
#include <sys/stat.h>

#include "core/LoadingScreen.h"
#include "core/Log.h"
#include "korvath/Engine.h"
#include "korvath/Window.h"
#include "platform/Host.h"
#include "platform/Video.h"
#include "platform/Files.h"
#include "support/TestSupport.h"

using namespace korvath;

namespace {
std::string LogPath() { return test::ProcessDirectory() + "/Korvath.log"; }
bool Exists(const std::string& path) {
    struct stat info;
    return ::stat(path.c_str(), &info) == 0;
}
const std::string kStars(64, '*');
}  // namespace

TEST(Log, IsDeletedWhenLoggingStayedOff) {
    Log().Enabled = false;
    {
        Engine engine;
        EXPECT_TRUE(Exists(LogPath()));  // open (with its header) while the engine lives
        ShowLoadStatus("Engine: not logged", true, 0, false);
    }
    EXPECT_FALSE(Exists(LogPath()));
}

TEST(Log, HoldsHeaderStatusLinesAndFooter) {
    {
        Engine engine;
        ShowLoadStatus("Engine: before logging", true, 0, false);
        engine.SetLog(true);
        ShowLoadStatus("Engine: logged", true, 0, false);
        ShowLoadStatus("Engine: console only", false, 0, false);
    }
    Log().Enabled = false;

    std::vector<std::string> lines = test::ReadLines(LogPath());
    ASSERT_EQ(lines.size(), 10u);
    const std::regex started(R"( Korvath - Started: \d\d-\d\d-\d{4} \| \d\d:\d\d:\d\d)");
    const std::regex stopped(R"( Korvath - Stopped: \d\d-\d\d-\d{4} \| \d\d:\d\d:\d\d)");
    EXPECT_TRUE(std::regex_match(lines[1], started)) << lines[1];
    EXPECT_TRUE(std::regex_match(lines[8], stopped)) << lines[8];
    lines[1] = lines[8] = "";
    EXPECT_EQ(lines, (std::vector<std::string>{kStars, "", kStars, "", "Engine: logged", "Engine: Unloaded", "", kStars, "", kStars}));
}

TEST(Log, LinesEndWithCarriageReturnLineFeed) {
    {
        Engine engine;
        engine.SetLog(true);
    }
    Log().Enabled = false;
    std::vector<uint8_t> bytes;
    ASSERT_TRUE(platform::ReadWholeFile(LogPath(), bytes));
    std::string text(bytes.begin(), bytes.end());
    EXPECT_EQ(text.substr(64, 2), "\r\n");
    EXPECT_EQ(text.substr(text.size() - 2), "\r\n");
}

// Where the program's folder cannot be written, the log goes to the user's
// state folder, and standard error says where.
TEST(Log, FallsBackToTheUserStateFolder) {
    const std::string state = test::ProcessDirectory() + "/state";
    setenv("XDG_STATE_HOME", state.c_str(), 1);
    platform::OverrideExecutableDirectory("/dev/null/not-a-folder");
    testing::internal::CaptureStderr();
    {
        Engine engine;
        engine.SetLog(true);
        ShowLoadStatus("Engine: logged elsewhere", true, 0, false);
    }
    const std::string said = testing::internal::GetCapturedStderr();
    platform::OverrideExecutableDirectory(test::ProcessDirectory());
    unsetenv("XDG_STATE_HOME");
    Log().Enabled = false;
    const std::string path = state + "/korvath/Korvath.log";
    EXPECT_NE(said.find(path), std::string::npos) << said;
    const std::vector<std::string> lines = test::ReadLines(path);
    EXPECT_NE(std::find(lines.begin(), lines.end(), "Engine: logged elsewhere"), lines.end());
}

// A start that fails leaves its log, with the lines logging off held back,
// for the host to read.
TEST(Log, AFailedStartKeepsTheLogWithLoggingOff) {
    Log().Enabled = false;
    platform::BlockContextCreation(true);
    {
        test::ScopedClock clock(100000, 40);
        Window window;
        const int32_t handle = window.Load(320, 240);
        Engine engine;
        EXPECT_FALSE(engine.Initialize(handle, 320, 240, 32));
    }
    platform::BlockContextCreation(false);
    const std::vector<std::string> lines = test::ReadLines(LogPath());
    auto has = [&](const std::string& line) { return std::find(lines.begin(), lines.end(), line) != lines.end(); };
    for (const char* line : {"Engine: Initializing", " * ERROR: Creating OpenGL Window.", "Engine: Loading Failed..."})
        EXPECT_TRUE(has(line)) << line;
    std::remove(LogPath().c_str());
    // The next engine with logging off leaves nothing behind again.
    { Engine engine; }
    EXPECT_FALSE(Exists(LogPath()));
}
