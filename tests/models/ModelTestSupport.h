#pragma once
// What the model tests share: the logged offscreen engine and MD2 files written
// into the test's private directory.
#include <string>
#include <tuple>
#include <vector>

#include "korvath/MD2.h"
#include "models/Md2Writer.h"
#include "support/BspWriter.h"
#include "support/LoggedEngineTest.h"

namespace korvath::test {

// Animations as rows, so a whole list is compared in one expectation.
using AnimationRow = std::tuple<std::string, int32_t, int32_t>;
inline std::vector<AnimationRow> Rows(const std::vector<MD2_ANIMATION>& animations) {
    std::vector<AnimationRow> rows;
    for (const MD2_ANIMATION& a : animations) rows.emplace_back(a.Name, a.FirstFrame, a.LastFrame);
    return rows;
}

inline std::string WriteModel(const std::string& name, const std::vector<uint8_t>& bytes) {
    const std::string path = ProcessDirectory() + "/" + name;
    WriteBytes(path, bytes);
    return path;
}

}  // namespace korvath::test
