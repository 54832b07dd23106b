#pragma once
// What the model tests share: the logged offscreen engine and MD2 files written
// into the test's private directory.
#include <string>
#include <vector>

#include "korvath/MD2.h"
#include "models/Md2Writer.h"
#include "support/BspWriter.h"
#include "support/LoggedEngineTest.h"

namespace korvath::test {

inline std::string WriteModel(const std::string& name, const std::vector<uint8_t>& bytes) {
    const std::string path = ProcessDirectory() + "/" + name;
    WriteBytes(path, bytes);
    return path;
}

}  // namespace korvath::test
