#include "materials/Texture.h"

#include "platform/GL.h"

// Texture decoding arrives with the texture loaders; until then nothing decodes.
namespace korvath {

int32_t LoadTexture(const std::string&) { return 0; }
int32_t LoadTextureAnyExtension(const std::string&) { return 0; }
int32_t LoadCubeMap(const std::string&) { return 0; }
int32_t LoadResourceTexture(const std::string&, const std::string&) { return 0; }
int32_t LoadPictureTexture(const std::string&) { return 0; }
int32_t LoadTgaTexture(const std::string&) { return 0; }
int32_t CreateTexture(int32_t, const IMAGE&) { return 0; }
int32_t CreateCubeTexture(int32_t, const IMAGE (&)[6]) { return 0; }
int32_t OpenVideoTexture(const std::string&) { return 0; }
void BindTexture(int32_t target, int32_t texture) { glBindTexture(static_cast<GLenum>(target), static_cast<GLuint>(texture)); }
void CloseVideoTexture(int32_t) {}

}  // namespace korvath
