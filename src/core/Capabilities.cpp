#include "core/Capabilities.h"

#include <string>

#include "core/ExtTable.h"
#include "core/LoadingScreen.h"
#include "platform/GL.h"

namespace korvath {

namespace {

// The probes whose absence Initialize reports, in the order their lines are written.
struct Probe {
    const char* name;
    bool Capabilities::*flag;
};
const Probe kReportedProbes[] = {
    {"GL_EXT_multi_draw_arrays", &Capabilities::MultiDrawArrays},
    {"GL_ARB_multitexture", &Capabilities::Multitexture},
    {"GL_ARB_shader_objects", &Capabilities::ShaderObjects},
    {"GL_ARB_vertex_shader", &Capabilities::VertexShader},
    {"GL_ARB_fragment_shader", &Capabilities::FragmentShader},
    {"GL_ARB_shading_language_100", &Capabilities::ShadingLanguage},
    {"GL_EXT_texture_compression_s3tc", &Capabilities::TextureCompression},
    {"GL_ARB_texture_rectangle", &Capabilities::TextureRectangle},
};
// Probed as well, but only the level renderer's shortcuts depend on them and it
// falls back quietly.
const Probe kQuietProbes[] = {
    {"GL_ARB_vertex_buffer_object", &Capabilities::VertexBuffers},
    {"GL_ARB_texture_env_combine", &Capabilities::TextureCombine},
};

// A rasteriser on the CPU keeps textures in system memory, so compression saves
// it nothing: its driver compresses on the CPU at load and decodes every texel
// it samples.
bool SoftwareRasteriser() {
    const auto* renderer = reinterpret_cast<const char*>(glGetString(GL_RENDERER));
    if (!renderer) return false;
    const std::string name = renderer;
    for (const char* software : {"llvmpipe", "softpipe", "Software Rasterizer", "SWR"})
        if (name.find(software) != std::string::npos) return true;
    return false;
}

}  // namespace

void ProbeCapabilities() {
    Capabilities& caps = Caps();
    caps = Capabilities{};
    const std::string extensions = ExtensionString();
    for (const Probe& probe : kReportedProbes) caps.*probe.flag = extensions.find(probe.name) != std::string::npos;
    for (const Probe& probe : kQuietProbes) caps.*probe.flag = extensions.find(probe.name) != std::string::npos;
    for (const Probe& probe : kReportedProbes)
        if (!(caps.*probe.flag))
            ShowLoadStatus(std::string("Engine: * ") + probe.name + " Extension Not Found!", true, 0, true);

    GLint units = 1;
    if (caps.Multitexture) glGetIntegerv(GL_MAX_TEXTURE_UNITS_ARB, &units);
    caps.TextureUnits = units > 0 ? units : 1;
    caps.CompressTextures = caps.TextureCompression && !SoftwareRasteriser();
}

}  // namespace korvath
