#pragma once
#include <cstdint>
#include <string>

namespace korvath {

// The library's own version numbers.
constexpr int32_t kVersionMajor = 1, kVersionMinor = 0, kVersionRevision = 4096;
std::string VersionText();  // "Korvath Engine Version: 1.0 Build 4096"

}  // namespace korvath
