#pragma once
// A fixture for loader tests: an engine on the offscreen context for the whole
// suite with the log kept, the engine path at the test's private directory,
// and the log lines a test added.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "core/Log.h"
#include "core/Paths.h"
#include "core/ConsoleState.h"
#include "support/TestSupport.h"

namespace korvath::test {

class LoggedEngineTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        engine_ = std::make_unique<OffscreenEngine>();
        engine_->engine().SetLog(true);
    }
    static void TearDownTestSuite() { engine_.reset(); }
    void SetUp() override {
        ASSERT_TRUE(engine_->initialized());
        ConsoleData().Visible = false;
        EnginePath() = ProcessDirectory() + "/";
        mark_ = ReadLines(Log().Path).size();
    }
    // Lines the log gained since the test began.
    std::vector<std::string> NewLogLines() const {
        std::vector<std::string> lines = ReadLines(Log().Path);
        return std::vector<std::string>(lines.begin() + static_cast<std::ptrdiff_t>(mark_), lines.end());
    }
    // The log ends with the loader's failure line and the empty line after it.
    ::testing::AssertionResult EndsWithFailure(const std::string& failure) const {
        const std::vector<std::string> lines = NewLogLines();
        if (lines.size() >= 2 && lines[lines.size() - 2] == failure && lines.back().empty())
            return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure() << "the log does not end with \"" << failure << "\" and an empty line but with \""
                                             << (lines.size() >= 2 ? lines[lines.size() - 2] : "") << "\", \""
                                             << (lines.empty() ? "" : lines.back()) << "\"";
    }
    static Engine& engine() { return engine_->engine(); }

private:
    static inline std::unique_ptr<OffscreenEngine> engine_;
    size_t mark_ = 0;
};

}  // namespace korvath::test
