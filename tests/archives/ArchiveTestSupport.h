#pragma once
// A fresh folder per test: the engine path is its "data/" folder, archives and
// anything a hostile archive must not reach lie beside it.
#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "archives/ArchiveWriters.h"
#include "core/Paths.h"
#include "support/LoggedEngineTest.h"

namespace korvath::test {

class ArchiveTest : public LoggedEngineTest {
protected:
    void SetUp() override {
        LoggedEngineTest::SetUp();
        root_ = ProcessDirectory() + "/archives-" + ::testing::UnitTest::GetInstance()->current_test_info()->name() + "/";
        std::filesystem::remove_all(root_);
        std::filesystem::create_directories(root_ + "data");
        EnginePath() = root_ + "data/";
    }
    std::string Data(const std::string& relative) const { return root_ + "data/" + relative; }
    std::string Archive(const std::string& name, const std::string& bytes) const {
        WriteBytes(root_ + name, bytes);
        return root_ + name;
    }
    // Every file below the test folder, relative to it, sorted.
    std::vector<std::string> FilesBelowRoot() const {
        std::vector<std::string> files;
        for (const auto& entry : std::filesystem::recursive_directory_iterator(root_))
            if (entry.is_symlink() || !entry.is_directory()) files.push_back(entry.path().string().substr(root_.size()));
        std::sort(files.begin(), files.end());
        return files;
    }
    bool Logged(const std::string& line) const {
        const std::vector<std::string> lines = NewLogLines();
        return std::find(lines.begin(), lines.end(), line) != lines.end();
    }
    std::string root_;
};

}  // namespace korvath::test
