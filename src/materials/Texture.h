#pragma once
// Image files and video streams into GL texture names (0 for none). There is no
// cache: every load creates a new name.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/Image.h"

namespace korvath {

// The material parser's "nomipmaps": the next texture created has no mipmaps,
// and the switch turns itself back once that texture is made.
void SkipMipmapsForNextTexture(bool skip = true);
bool NextTextureSkipsMipmaps();

int32_t LoadTexture(const std::string& path);
int32_t LoadTextureAnyExtension(const std::string& name);
int32_t LoadCubeMap(const std::string& name);
int32_t LoadResourceTexture(const std::string& name, const std::string& type);
int32_t LoadPictureTexture(const std::string& path);
int32_t LoadTgaTexture(const std::string& path);
int32_t CreateTexture(int32_t format, const IMAGE& image);
int32_t CreateCubeTexture(int32_t format, const IMAGE (&faces)[6]);

// The still-image decoders on bytes already in memory (files and the library's
// own resources). A picture that is not a bitmap gives a texture without pixels;
// a TGA that cannot be read gives 0.
int32_t PictureTextureFromBytes(const std::vector<uint8_t>& bytes);
int32_t TgaTextureFromBytes(const std::vector<uint8_t>& bytes);

// Video textures: the name is registered as a video and refreshed when bound.
int32_t OpenVideoTexture(const std::string& path);
void BindTexture(int32_t target, int32_t texture);
void CloseVideoTexture(int32_t texture);
// Every texture created gets a registry entry marked as not a video; deleting
// the name drops it (ReleaseTexture does both).
void RegisterTextureName(int32_t texture);
void ForgetTextureName(int32_t texture);
// A texture made without pixels (a missing or unreadable picture).
void MarkTextureEmpty(int32_t texture);
// A texture made with mipmaps on target, whose minification filter follows
// the engine's mipmap filtering.
void MarkTextureMipmapped(int32_t texture, uint32_t target);
void ForEachMipmappedTexture(const std::function<void(int32_t texture, uint32_t target)>& visit);

// How mipmapped textures are minified: trilinear (blending the two nearest
// mipmap levels, the default) or bilinear (the nearest level only). Setting it
// re-filters every mipmapped texture alive and every one made later.
void SetTrilinearFiltering(bool trilinear);
bool TrilinearFiltering();
// The minification filter of a mipmapped texture under that setting.
int32_t MipmapMinFilter();
// A 1 x 1 white texture of the current context. The fixed-function drivers this
// engine was made for drew a texture without an image as if texturing were off;
// current drivers sample black from it. BindTexture therefore binds this one in
// place of name 0 and of empty textures on GL_TEXTURE_2D, which looks the same.
uint32_t WhiteTexture();

}  // namespace korvath
