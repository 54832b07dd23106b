#pragma once
// Counts every allocation through operator new, so a test can show that code
// running every frame does not touch the heap. The counting operator new
// replaces the standard one in every program linked with the test support.
namespace korvath::test {

long AllocationCount();

}  // namespace korvath::test
