// A game program includes one header: every public class must be reachable
// through it alone (this file includes nothing else of the engine).
#include <korvath/Korvath.h>

#include <gtest/gtest.h>

#include <type_traits>

namespace {

template <typename... Classes>
constexpr bool AllComplete() {
    return ((sizeof(Classes) > 0) && ...);
}

TEST(PublicHeader, EveryPublicClassComesWithTheOneHeader) {
    using namespace korvath;
    static_assert(AllComplete<Camera, Console, Cursor, Engine, Ext, Font, Frustum, Joystick, Keyboard, KeyframeModel,
                              Lights, MD2, MD3, MD5, MDL, Mesh, Map, Model, Pack, Particles, Physics, Programs, Shaders, Sound, Timer, Volume,
                              Window>());
    SUCCEED();
}

}  // namespace
