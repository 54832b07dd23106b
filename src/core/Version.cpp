#include "core/Version.h"

namespace korvath {

std::string VersionText() {
    return "Korvath Engine Version: " + std::to_string(kVersionMajor) + "." + std::to_string(kVersionMinor) +
           " Build " + std::to_string(kVersionRevision);
}

}  // namespace korvath
