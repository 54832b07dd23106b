#include <gtest/gtest.h>
#include "support/TestSupport.h"
#include "platform/GL.h"
#include "korvath/Map.h"
#include "core/Globals.h"
#include "materials/Shader.h"
using namespace korvath;
TEST(Diag, Materials) {
  test::OffscreenEngine e;
  Engine& en = e.engine();
  en.SetPath(test::CorpusPath("q3/"));
  const char* names[] = {"textures/evil8_floor/e8clangfloor","textures/evil8_floor/e8cretefloor01b","textures/evil6_floors/e6c_floor_b","textures/mc-oa-dm04/clangstairs","textures/evil8_wall/e8_mtlwall3b","textures/evil8_base/e8crete03"};
  for (auto n : names) {
    SHADER m = FindMaterial("scripts/", n);
    printf("%s found=%d stages=%zu surf=%x flags=%x\n", n, m.Found, m.Stages.size(), m.SurfaceFlags, m.Flags);
    for (auto& st : m.Stages) {
      GLint w=0; if (st.Textures[0]) { glBindTexture(GL_TEXTURE_2D, st.Textures[0]); glGetTexLevelParameteriv(GL_TEXTURE_2D,0,GL_TEXTURE_WIDTH,&w);} 
      printf("  lm=%d tex=%d w=%d flags=%x blend=%d,%d\n", st.Lightmap, st.Textures[0], w, st.Flags, st.Blend[0], st.Blend[1]);
    }
  }
}
