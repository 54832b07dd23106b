#pragma once
// The frustum the level renderer culls against, made on first use and kept while
// the library is loaded.
namespace korvath {

class Frustum;
Frustum& EngineFrustum();

}  // namespace korvath
