#pragma once
// Reading the hit records GL selection mode leaves in a select buffer.
#include <cstddef>
#include <cstdint>

namespace korvath {

// The first name of the record with the smallest minimum depth (the earlier
// record on a tie) among the first hits records that lie wholly or partly within
// words; records without names are passed over. 0 when hits is below 1 (GL
// reports an overflowed buffer as -1) or no record names anything.
uint32_t NearestHitName(const uint32_t* buffer, size_t words, int32_t hits);

}  // namespace korvath
