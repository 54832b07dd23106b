#pragma once
// Giving back the GL texture names a material holds.
#include <cstdint>

namespace korvath {

// Drops the name's registry entry (closing the video stream behind it, if
// any) and deletes the texture. Every texture the engine made goes this way.
void ReleaseTexture(int32_t texture);

// Puts texture into slot, releasing the name the slot held: every load makes a
// new name, so a replaced one would otherwise never be freed.
void ReplaceTexture(int32_t& slot, int32_t texture);

}  // namespace korvath
