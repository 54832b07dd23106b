#pragma once
// What the driver of the current context can do, probed once by Initialize and
// read everywhere else: nothing searches the extension string or asks GL for its
// limits while drawing.
#include <cstdint>

namespace korvath {

struct Capabilities {
    bool MultiDrawArrays = false, Multitexture = false, ShaderObjects = false, VertexShader = false,
         FragmentShader = false, ShadingLanguage = false, TextureCompression = false,
         TextureRectangle = false;
    bool VertexBuffers = false;   // GL_ARB_vertex_buffer_object
    bool TextureCombine = false;  // GL_ARB_texture_env_combine: doubling and adding units
    int32_t TextureUnits = 1;
    // Textures made after the intro are S3TC-compressed: the extension exists and
    // the rasteriser gains from it (a software one only pays, at load and per texel).
    bool CompressTextures = false;
};

Capabilities& Caps();

// Fills Caps() from the current context and writes a status line for each of the
// probed extensions the driver lacks.
void ProbeCapabilities();

}  // namespace korvath
