#include "materials/ShaderKeywords.h"

#include <string>
#include <vector>

#include "core/Globals.h"
#include "korvath/Programs.h"
#include "materials/Shader.h"
#include "materials/ShaderText.h"
#include "materials/Texture.h"
#include "platform/GL.h"

namespace korvath {

SHADER_STAGE& MaterialParse::Stage() {
    if (material.Stages.size() <= stageIndex) material.Stages.resize(stageIndex + 1);
    return material.Stages[stageIndex];
}

// The material's own brace and its first stage's brace both address stage 0, so
// an opening brace keeps whatever the stage already holds.
void MaterialParse::OpenStage() {
    SHADER_STAGE& stage = Stage();
    if (stage.Textures.empty()) stage.Textures.resize(1);
}

void MaterialParse::CloseStage() {
    ++stageIndex;
    tcModCount = 0;
}

namespace {

using Tokens = std::vector<std::string_view>;

// Token `index` into `out`; false when it is missing or not a number.
bool Read(const Tokens& tokens, size_t index, float& out) {
    if (index >= tokens.size()) return false;
    const std::optional<float> value = ToSingle(tokens[index]);
    if (value) out = *value;
    return value.has_value();
}

int32_t WaveFunction(std::string_view name) {
    static constexpr std::string_view kNames[] = {"sin", "triangle", "square", "sawtooth", "inversesawtooth", "noise"};
    for (size_t i = 0; i < std::size(kNames); ++i)
        if (name == kNames[i]) return static_cast<int32_t>(i + 1);
    return 0;
}

// The script's extension is dropped: the texture loader tries its own list.
int32_t LoadWithoutExtension(std::string_view name) {
    const size_t dot = name.rfind('.');
    if (dot == std::string_view::npos || dot == 0) return 0;
    return LoadTextureAnyExtension(ResolvePath(std::string(name.substr(0, dot))));
}

void Program(std::string_view line, MaterialParse& parse) {
    const Tokens files = SplitBlanks(RestAfter(line, "program"));
    if (files.size() < 2) return;
    Programs& programs = EnginePrograms();
    const int32_t vertex = programs.Load(std::string(files[0]), PROGRAM_VERTEX);
    const int32_t fragment = programs.Load(std::string(files[1]), PROGRAM_FRAGMENT);
    parse.material.Program = programs.Link(vertex, fragment);
}

void Cull(std::string_view line, MaterialParse& parse) {
    const std::string_view mode = RestAfter(line, "cull");
    if (mode == "none" || mode == "disable") parse.material.Cull = 1;
    else if (mode == "back") parse.material.Cull = GL_BACK;
    else if (mode == "front") parse.material.Cull = GL_FRONT;
}

void DeformVertexes(std::string_view line, MaterialParse& parse) {
    const Tokens u = SplitBlanks(RestAfter(line, "deformvertexes"));
    if (u.empty()) return;
    SHADER& material = parse.material;
    WAVE deform = material.Deform;
    VECTOR3 move = material.DeformMove;
    if (u[0] == "wave") {
        // Token 1 is the spread, kept in Position; token 2, the function, is not read.
        if (!Read(u, 1, deform.Position) || !Read(u, 3, deform.Base) || !Read(u, 4, deform.Amplitude) ||
            !Read(u, 5, deform.Phase) || !Read(u, 6, deform.Frequency))
            return;
        deform.Kind = 5;
    } else if (u[0] == "move") {
        if (u.size() < 9 || !Read(u, 1, move.x) || !Read(u, 2, move.y) || !Read(u, 3, move.z) ||
            !Read(u, 5, deform.Amplitude) || !Read(u, 6, deform.Base) || !Read(u, 7, deform.Phase) ||
            !Read(u, 8, deform.Frequency))
            return;
        const int32_t func = WaveFunction(u[4]);
        if (func >= 1 && func <= 4) deform.Func = func;
        deform.Kind = 2;
    }
    material.Deform = deform;
    material.DeformMove = move;
    material.Flags |= 0x80;
}

void SurfaceParm(std::string_view line, MaterialParse& parse) {
    struct SurfaceBit {
        std::string_view name;
        int32_t bit;
    };
    static constexpr SurfaceBit kBits[] = {
        {"alphashadow", 0x2},       {"areaportal", 0x4},     {"clusterportal", 0x8},  {"donotenter", 0x10},
        {"flesh", 0x20},            {"fog", 0x40},           {"lava", 0x80},          {"metalsteps", 0x100},
        {"nodamage", 0x200},        {"nodlight", 0x400},     {"nodraw", 0x800},       {"nodrop", 0x1000},
        {"noimpact", 0x2000},       {"nomarks", 0x4000},     {"nolightmap", 0x8000},  {"nosteps", 0x10000},
        {"nonsolid", 0x20000},      {"origin", 0x40000},     {"playerclip", 0x80000}, {"slick", 0x100000},
        {"slime", 0x200000},        {"structural", 0x400000}, {"trans", 0x800000},    {"water", 0x1000000},
        {"detail", 0x2000000},      {"nomipmaps", 0x4000000}, {"sky", 0x8000000},
    };
    const std::string_view name = RestAfter(line, "surfaceparm");
    if (name == "stencil") parse.material.Flags |= 0x100;
    // One-shot: the next texture made, normally this material's first "map", has no mipmaps.
    if (name == "nomipmaps") State().UseMipmaps = false;
    for (const SurfaceBit& entry : kBits)
        if (name == entry.name) parse.material.SurfaceFlags |= entry.bit;
}

void AnimMap(std::string_view line, MaterialParse& parse) {
    const Tokens t = SplitBlanks(line);
    const std::optional<int32_t> frequency = t.size() > 1 ? ToLong(t[1]) : std::nullopt;
    if (!frequency) return;
    SHADER_STAGE& stage = parse.Stage();
    stage.AnimFrequency = *frequency;
    for (size_t k = 2; k < t.size(); ++k) {
        // Never shrinks: frames a longer earlier line loaded stay owned by the stage.
        if (stage.Textures.size() < k - 1) stage.Textures.resize(k - 1);
        stage.Textures[k - 2] = LoadWithoutExtension(t[k]);
    }
}

void CubeMap(std::string_view line, MaterialParse& parse) {
    const std::string_view name = RestAfter(line, "cubemap");
    if (name.empty()) return;
    SHADER_STAGE& stage = parse.Stage();
    stage.Flags |= 0x04;
    stage.Textures[0] = LoadCubeMap(std::string(name));
}

// "map" plus any one character plus "lightmap" is the level's lightmap; anything
// else names a file from the fifth character on (a tab after "map" was deleted, so
// the name may come out empty).
void Map(std::string_view line, MaterialParse& parse) {
    constexpr std::string_view kLightmap = "lightmap";
    if (line.size() >= 5 + kLightmap.size() && line.substr(5, kLightmap.size()) == kLightmap) {
        parse.Stage().Lightmap = true;
        return;
    }
    if (line.size() <= 4) return;
    const int32_t texture = LoadWithoutExtension(line.substr(4));
    SHADER_STAGE& stage = parse.Stage();
    if (texture || stage.Textures[0] == 0) stage.Textures[0] = texture;
}

void RgbGen(std::string_view line, MaterialParse& parse) {
    const Tokens u = SplitBlanks(RestAfter(line, "rgbgen"));
    if (u.empty()) return;
    SHADER_STAGE& stage = parse.Stage();
    if (u[0] == "wave") {
        WAVE wave = stage.RgbWave;
        if (u.size() < 6 || !Read(u, 2, wave.Base) || !Read(u, 3, wave.Amplitude) || !Read(u, 4, wave.Phase) ||
            !Read(u, 5, wave.Frequency))
            return;
        if (const int32_t func = WaveFunction(u[1])) wave.Func = func;
        wave.Kind = 3;
        stage.RgbWave = wave;
    }
    stage.Flags |= 0x40;
}

void TcGen(std::string_view, MaterialParse& parse) { parse.Stage().Flags |= 0x20; }

void TcMod(std::string_view line, MaterialParse& parse) {
    const Tokens u = SplitBlanks(RestAfter(line, "tcmod"));
    if (u.empty()) return;
    TCMOD mod;
    if (u[0] == "rotate") {
        if (!Read(u, 1, mod.Rotation)) return;
        mod.Kind = 3;
    } else if (u[0] == "scale") {
        if (!Read(u, 1, mod.ScaleS) || !Read(u, 2, mod.ScaleT)) return;
        mod.Kind = 2;
    } else if (u[0] == "scroll") {
        if (!Read(u, 1, mod.ScrollS) || !Read(u, 2, mod.ScrollT)) return;
        mod.Kind = 4;
    } else if (u[0] == "stretch") {
        if (!Read(u, 2, mod.Base) || !Read(u, 3, mod.Amplitude) || !Read(u, 4, mod.Phase) || !Read(u, 5, mod.Frequency))
            return;
        mod.Kind = 5;
    } else if (u[0] == "transform") {
        static constexpr size_t kElements[] = {0, 1, 4, 5, 12, 13};
        for (size_t i = 0; i < std::size(kElements); ++i)
            if (!Read(u, i + 1, mod.Matrix[kElements[i]])) return;
        mod.Matrix[10] = mod.Matrix[15] = 1;
        mod.Kind = 6;
    } else if (u[0] == "turb") {
        if (!Read(u, 1, mod.Base) || !Read(u, 2, mod.Amplitude) || !Read(u, 3, mod.Phase) || !Read(u, 4, mod.Frequency))
            return;
        mod.Kind = 7;
    }
    SHADER_STAGE& stage = parse.Stage();
    stage.Flags |= 0x10;
    stage.TcMods.resize(parse.tcModCount + 1);
    stage.TcMods[parse.tcModCount++] = mod;
}

void AlphaFunc(std::string_view line, MaterialParse& parse) {
    const std::string_view test = RestAfter(line, "alphafunc");
    SHADER_STAGE& stage = parse.Stage();
    stage.Flags |= 0x01;
    if (test == "ge128") stage.AlphaFunc = GL_GEQUAL, stage.AlphaRef = 0.5f;
    else if (test == "lt128") stage.AlphaFunc = GL_LESS, stage.AlphaRef = 0.5f;
    else if (test == "gt0") stage.AlphaFunc = GL_GREATER, stage.AlphaRef = 0;
}

int32_t BlendFactor(std::string_view name) {
    if (name == "gl_one") return GL_ONE;
    if (name == "gl_src_alpha") return GL_SRC_ALPHA;
    if (name == "gl_dst_color") return GL_DST_COLOR;
    if (name == "gl_one_minus_src_alpha") return GL_ONE_MINUS_SRC_ALPHA;
    if (name == "gl_one_minus_dst_color") return GL_ONE_MINUS_DST_COLOR;
    return GL_ZERO;
}

void BlendFunc(std::string_view line, MaterialParse& parse) {
    const std::string_view mode = RestAfter(line, "blendfunc");
    int32_t source = 0, destination = 0;
    if (mode == "add") source = GL_ONE, destination = GL_ONE;
    else if (mode == "blend") source = GL_SRC_ALPHA, destination = GL_ONE_MINUS_SRC_ALPHA;
    else if (mode == "filter") source = GL_SRC_COLOR, destination = GL_ZERO;
    else {
        const Tokens t = SplitBlanks(line);
        if (t.size() < 3) return;
        source = BlendFactor(t[1]);
        destination = BlendFactor(t[2]);
    }
    SHADER_STAGE& stage = parse.Stage();
    stage.Flags |= 0x02;
    stage.Blend[0] = source;
    stage.Blend[1] = destination;
}

void DepthFunc(std::string_view line, MaterialParse& parse) {
    const std::string_view test = RestAfter(line, "depthfunc");
    if (test == "equal") parse.Stage().DepthFunc = GL_EQUAL;
    else if (test == "lequal") parse.Stage().DepthFunc = GL_LEQUAL;
}

void DepthWrite(std::string_view, MaterialParse& parse) { parse.Stage().Flags |= 0x08; }

struct Keyword {
    std::string_view name;
    void (*act)(std::string_view line, MaterialParse& parse);
};

// Tested by prefix in this order; a line may match more than one.
constexpr Keyword kKeywords[] = {
    {"program", Program},     {"cull", Cull},       {"deformvertexes", DeformVertexes},
    {"surfaceparm", SurfaceParm}, {"animmap", AnimMap}, {"cubemap", CubeMap},
    {"map", Map},             {"rgbgen", RgbGen},   {"tcgen", TcGen},
    {"tcmod", TcMod},         {"alphafunc", AlphaFunc}, {"blendfunc", BlendFunc},
    {"depthfunc", DepthFunc}, {"depthwrite", DepthWrite},
};

}  // namespace

void ApplyKeywords(std::string_view line, MaterialParse& parse) {
    for (const Keyword& keyword : kKeywords)
        if (line.substr(0, keyword.name.size()) == keyword.name) keyword.act(line, parse);
}

}  // namespace korvath
