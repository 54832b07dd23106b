#include "input/SelectionHits.h"

namespace korvath {

uint32_t NearestHitName(const uint32_t* buffer, size_t words, int32_t hits) {
    bool found = false;
    uint32_t nearest = 0, name = 0;
    size_t at = 0;
    // Each record: name count, minimum depth, maximum depth, names.
    for (int32_t record = 0; record < hits && at + 3 < words; ++record) {
        const uint32_t count = buffer[at];
        const uint32_t depth = buffer[at + 1];
        if (count >= 1 && (!found || depth < nearest)) {
            nearest = depth;
            name = buffer[at + 3];
            found = true;
        }
        at += 3 + static_cast<size_t>(count);
    }
    return name;
}

}  // namespace korvath
