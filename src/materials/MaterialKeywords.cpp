#include "materials/MaterialKeywords.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "core/Paths.h"
#include "korvath/Programs.h"
#include "materials/Materials.h"
#include "materials/MaterialRelease.h"
#include "materials/ScriptText.h"
#include "materials/Texture.h"
#include "platform/GL.h"

namespace korvath {

SHADER_STAGE* MaterialParse::Stage() {
    return stageIndex < material.Stages.size() ? &material.Stages[stageIndex] : nullptr;
}

// The material's own brace and its first stage's brace both address stage 0; the
// stage keeps entry 0 of its textures and loses any further animation frames.
void MaterialParse::OpenStage() {
    if (material.Stages.size() <= stageIndex) material.Stages.resize(stageIndex + 1);
    std::vector<int32_t>& textures = material.Stages[stageIndex].Textures;
    for (size_t i = 1; i < textures.size(); ++i) ReleaseTexture(textures[i]);
    textures.resize(1);
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

// The script's extension is dropped: the texture loader tries its own list. A name
// without any "." has nothing to drop and is not loaded (nullopt); a name that is
// only an extension loads nothing (0).
std::optional<int32_t> LoadWithoutExtension(std::string_view name) {
    const size_t dot = name.rfind('.');
    if (dot == std::string_view::npos) return std::nullopt;
    if (dot == 0) return 0;
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
    if (mode == "none" || mode == "disable") parse.material.Cull = kCullNone;
    else if (mode == "back") parse.material.Cull = GL_BACK;
    else if (mode == "front") parse.material.Cull = GL_FRONT;
}

// The flag marks the material as deforming whatever the kind; the parameters of a
// "wave" or "move" line are taken only when all of them are there.
void DeformVertexes(std::string_view line, MaterialParse& parse) {
    SHADER& material = parse.material;
    material.Flags |= kMaterialDeform;
    const Tokens u = SplitBlanks(RestAfter(line, "deformvertexes"));
    if (u.empty()) return;
    WAVE deform = material.Deform;
    VECTOR3 move = material.DeformMove;
    if (u[0] == "wave") {
        // Token 1 is the spread, kept in Position; token 2, the function, is not read.
        if (!Read(u, 1, deform.Position) || !Read(u, 3, deform.Base) || !Read(u, 4, deform.Amplitude) ||
            !Read(u, 5, deform.Phase) || !Read(u, 6, deform.Frequency))
            return;
        deform.Kind = kDeformWave;
    } else if (u[0] == "move") {
        if (!Read(u, 1, move.x) || !Read(u, 2, move.y) || !Read(u, 3, move.z) ||
            !Read(u, 5, deform.Amplitude) || !Read(u, 6, deform.Base) || !Read(u, 7, deform.Phase) ||
            !Read(u, 8, deform.Frequency))
            return;
        const int32_t func = WaveFunction(u[4]);
        if (func >= kFuncSin && func <= kFuncSawtooth) deform.Func = func;
        deform.Kind = kDeformMove;
    } else {
        return;
    }
    material.Deform = deform;
    material.DeformMove = move;
}

void SurfaceParm(std::string_view line, MaterialParse& parse) {
    const std::string_view name = RestAfter(line, "surfaceparm");
    if (name == "stencil") parse.material.Flags |= kMaterialStencil;
    // One-shot: the next texture made, normally this material's first "map", has no mipmaps.
    if (name == "nomipmaps") SkipMipmapsForNextTexture();
    for (const SurfaceParmName& entry : kSurfaceParmNames)
        if (name == entry.Name) parse.material.SurfaceFlags |= entry.Bit;
}

// One texture per frame name; a name without an extension leaves its frame empty.
void AnimMap(std::string_view line, MaterialParse& parse) {
    const Tokens t = SplitBlanks(line);
    const std::optional<int32_t> frequency = t.size() > 1 ? ToLong(t[1]) : std::nullopt;
    SHADER_STAGE* stage = parse.Stage();
    if (!frequency || !stage) return;
    stage->AnimFrequency = *frequency;
    if (t.size() < 3) return;
    std::vector<int32_t>& textures = stage->Textures;
    const size_t frames = t.size() - 2;
    for (size_t i = frames; i < textures.size(); ++i) ReleaseTexture(textures[i]);
    textures.resize(frames);
    for (size_t k = 0; k < frames; ++k) ReplaceTexture(textures[k], LoadWithoutExtension(t[k + 2]).value_or(0));
}

void CubeMap(std::string_view line, MaterialParse& parse) {
    const std::string_view name = RestAfter(line, "cubemap");
    SHADER_STAGE* stage = parse.Stage();
    if (name.empty() || !stage) return;
    stage->Flags |= kStageCubeMap;
    ReplaceTexture(stage->Textures[0], LoadCubeMap(std::string(name)));
}

void LoadStageImage(SHADER_STAGE& stage, std::string_view name) {
    if (const std::optional<int32_t> texture = LoadWithoutExtension(name)) ReplaceTexture(stage.Textures[0], *texture);
}

// "map" plus any one character plus "lightmap" is the level's lightmap; anything
// else names a file from the fifth character on (a tab after "map" was deleted, so
// the name may come out empty).
void Map(std::string_view line, MaterialParse& parse) {
    constexpr std::string_view kLightmap = "lightmap";
    SHADER_STAGE* stage = parse.Stage();
    if (!stage) return;
    if (line.substr(std::min<size_t>(line.size(), 5), kLightmap.size()) == kLightmap) {
        stage->Lightmap = true;
        return;
    }
    if (line.size() <= 4) return;
    LoadStageImage(*stage, line.substr(4));
}

// Decals, flames and flares: an image whose edge texels must not wrap round
// onto the opposite border.
void ClampMap(std::string_view line, MaterialParse& parse) {
    constexpr size_t kNameStart = std::string_view("clampmap ").size();
    SHADER_STAGE* stage = parse.Stage();
    if (!stage) return;
    stage->Flags |= kStageClamp;
    if (line.size() > kNameStart) LoadStageImage(*stage, line.substr(kNameStart));
}

// "func base amplitude phase frequency" from token 1 on; the wave is left as it
// was unless all four numbers are there.
bool ReadWave(const Tokens& u, WAVE& out) {
    WAVE wave = out;
    if (u.size() < 2 || !Read(u, 2, wave.Base) || !Read(u, 3, wave.Amplitude) || !Read(u, 4, wave.Phase) ||
        !Read(u, 5, wave.Frequency))
        return false;
    if (const int32_t func = WaveFunction(u[1])) wave.Func = func;
    wave.Kind = kColourWave;
    out = wave;
    return true;
}

// count numbers from token first on, written bare or as "( r g b )" with the
// brackets apart or stuck to a number; false, leaving out alone, when fewer
// are there or one does not convert.
bool ReadNumbers(const Tokens& u, size_t first, float* out, size_t count) {
    std::vector<float> numbers;
    for (size_t i = first; i < u.size() && numbers.size() < count; ++i) {
        std::string_view token = u[i];
        if (!token.empty() && token.front() == '(') token.remove_prefix(1);
        if (!token.empty() && token.back() == ')') token.remove_suffix(1);
        if (token.empty()) continue;
        const std::optional<float> value = ToSingle(token);
        if (!value) return false;
        numbers.push_back(*value);
    }
    if (numbers.size() < count) return false;
    std::copy(numbers.begin(), numbers.end(), out);
    return true;
}

// Any "rgbgen" line keeps the flag (an unknown kind draws white); "const",
// "vertex", "exactvertex" and "wave" choose the colour.
void RgbGen(std::string_view line, MaterialParse& parse) {
    SHADER_STAGE* stage = parse.Stage();
    if (!stage) return;
    stage->Flags |= kStageRgbGen;
    const Tokens u = SplitBlanks(RestAfter(line, "rgbgen"));
    if (u.empty()) return;
    if (u[0] == "wave") {
        if (ReadWave(u, stage->RgbWave)) stage->RgbSource = kColourFromDefault;
    } else if (u[0] == "const" || u[0] == "constant") {
        if (ReadNumbers(u, 1, stage->Colour, 3)) stage->RgbSource = kColourFromConstant, stage->RgbWave.Kind = 0;
    } else if (u[0] == "vertex" || u[0] == "exactvertex") {
        stage->RgbSource = kColourFromVertices;
        stage->RgbWave.Kind = 0;
    } else if (u[0] == "identity" || u[0] == "identitylighting") {
        stage->RgbSource = kColourFromDefault;
        stage->RgbWave.Kind = 0;
    }
}

void AlphaGen(std::string_view line, MaterialParse& parse) {
    SHADER_STAGE* stage = parse.Stage();
    if (!stage) return;
    const Tokens u = SplitBlanks(RestAfter(line, "alphagen"));
    if (u.empty()) return;
    int32_t source = -1;
    if (u[0] == "const" || u[0] == "constant") {
        if (ReadNumbers(u, 1, &stage->Colour[3], 1)) source = kColourFromConstant;
    } else if (u[0] == "vertex") {
        source = kColourFromVertices;
    } else if (u[0] == "wave") {
        if (ReadWave(u, stage->AlphaWave)) source = kColourFromWave;
    } else if (u[0] == "identity") {
        source = kColourFromDefault;
    }
    if (source < 0) return;  // kinds that need the lighting of a model keep full alpha
    stage->AlphaSource = source;
    stage->Flags |= kStageAlphaGen;
}

void PolygonOffset(std::string_view, MaterialParse& parse) { parse.material.Flags |= kMaterialPolygonOffset; }

void TcGen(std::string_view, MaterialParse& parse) {
    if (SHADER_STAGE* stage = parse.Stage()) stage->Flags |= kStageTcGen;
}

// Fills mod from the tokens of a "tcmod" line; false when a number is missing.
bool ReadTcMod(const Tokens& u, TCMOD& mod) {
    if (u[0] == "rotate") {
        mod.Kind = kTcModRotate;
        return Read(u, 1, mod.Rotation);
    }
    if (u[0] == "scale") {
        mod.Kind = kTcModScale;
        return Read(u, 1, mod.ScaleS) && Read(u, 2, mod.ScaleT);
    }
    if (u[0] == "scroll") {
        mod.Kind = kTcModScroll;
        return Read(u, 1, mod.ScrollS) && Read(u, 2, mod.ScrollT);
    }
    if (u[0] == "stretch") {
        // Token 1, the function, is not read.
        mod.Kind = kTcModStretch;
        return Read(u, 2, mod.Base) && Read(u, 3, mod.Amplitude) && Read(u, 4, mod.Phase) && Read(u, 5, mod.Frequency);
    }
    if (u[0] == "transform") {
        static constexpr size_t kElements[] = {0, 1, 4, 5, 12, 13};
        mod.Kind = kTcModTransform;
        mod.Matrix[10] = mod.Matrix[15] = 1;
        for (size_t i = 0; i < std::size(kElements); ++i)
            if (!Read(u, i + 1, mod.Matrix[kElements[i]])) return false;
        return true;
    }
    if (u[0] == "turb") {
        mod.Kind = kTcModTurb;
        return Read(u, 1, mod.Base) && Read(u, 2, mod.Amplitude) && Read(u, 3, mod.Phase) && Read(u, 4, mod.Frequency);
    }
    return true;  // an unknown kind still takes its entry, with kTcModUnknown
}

void TcMod(std::string_view line, MaterialParse& parse) {
    const Tokens u = SplitBlanks(RestAfter(line, "tcmod"));
    SHADER_STAGE* stage = parse.Stage();
    TCMOD mod;
    if (u.empty() || !stage || !ReadTcMod(u, mod)) return;
    stage->Flags |= kStageTcMods;
    stage->TcMods.resize(parse.tcModCount + 1);
    stage->TcMods[parse.tcModCount++] = mod;
}

void AlphaFunc(std::string_view line, MaterialParse& parse) {
    const std::string_view test = RestAfter(line, "alphafunc");
    SHADER_STAGE* stage = parse.Stage();
    if (!stage) return;
    stage->Flags |= kStageAlphaTest;
    if (test == "ge128") stage->AlphaFunc = GL_GEQUAL, stage->AlphaRef = 0.5f;
    else if (test == "lt128") stage->AlphaFunc = GL_LESS, stage->AlphaRef = 0.5f;
    else if (test == "gt0") stage->AlphaFunc = GL_GREATER, stage->AlphaRef = 0;
}

// Every factor the scripts name. The colour factors matter most: detail
// stages are written "gl_dst_color gl_src_color" (twice the product), and
// read as GL_ZERO that pair would halve every wall that carries one.
int32_t BlendFactor(std::string_view name) {
    static constexpr std::pair<std::string_view, int32_t> kFactors[] = {
        {"gl_one", GL_ONE},
        {"gl_src_color", GL_SRC_COLOR},
        {"gl_one_minus_src_color", GL_ONE_MINUS_SRC_COLOR},
        {"gl_src_alpha", GL_SRC_ALPHA},
        {"gl_one_minus_src_alpha", GL_ONE_MINUS_SRC_ALPHA},
        {"gl_dst_alpha", GL_DST_ALPHA},
        {"gl_one_minus_dst_alpha", GL_ONE_MINUS_DST_ALPHA},
        {"gl_dst_color", GL_DST_COLOR},
        {"gl_one_minus_dst_color", GL_ONE_MINUS_DST_COLOR},
        {"gl_src_alpha_saturate", GL_SRC_ALPHA_SATURATE},
    };
    for (const auto& [factorName, factor] : kFactors)
        if (name == factorName) return factor;
    return GL_ZERO;
}

void BlendFunc(std::string_view line, MaterialParse& parse) {
    const std::string_view mode = RestAfter(line, "blendfunc");
    SHADER_STAGE* stage = parse.Stage();
    if (!stage) return;
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
    stage->Flags |= kStageBlend;
    stage->Blend[0] = source;
    stage->Blend[1] = destination;
}

void DepthFunc(std::string_view line, MaterialParse& parse) {
    const std::string_view test = RestAfter(line, "depthfunc");
    SHADER_STAGE* stage = parse.Stage();
    if (!stage) return;
    if (test == "equal") stage->DepthFunc = GL_EQUAL;
    else if (test == "lequal") stage->DepthFunc = GL_LEQUAL;
}

void DepthWrite(std::string_view, MaterialParse& parse) {
    if (SHADER_STAGE* stage = parse.Stage()) stage->Flags |= kStageDepthFunc;
}

// "skyparms farbox cloudheight nearbox": the far box's pictures are farbox_rt
// and so on, clamped so their edges meet without a seam; "-" names no box. A
// height that is missing, "-" or not a positive number up to the sky's own
// radius gives the usual 128. The near box was never drawn by the content's
// renderer either and is ignored.
void SkyParms(std::string_view line, MaterialParse& parse) {
    static constexpr const char* kSides[6] = {"_rt", "_bk", "_lf", "_ft", "_up", "_dn"};
    const Tokens t = SplitBlanks(line);
    SHADER& material = parse.material;
    material.SurfaceFlags |= kSurfaceSky;
    material.CloudHeight = kDefaultCloudHeight;
    float height = 0;
    if (Read(t, 2, height) && height > 0 && height <= kSkyRadius) material.CloudHeight = height;
    for (int32_t& side : material.SkyBox) ReplaceTexture(side, 0);
    if (t.size() < 2 || t[1] == "-") return;
    for (int i = 0; i < 6; ++i) {
        const int32_t texture = LoadTextureAnyExtension(ResolvePath(std::string(t[1]) + kSides[i]));
        if (texture <= 0) continue;
        glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(texture));
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
        material.SkyBox[i] = texture;
    }
}

// "fogparms ( r g b ) distance", parentheses optional: a colour outside 0 to 1
// is clamped; a distance that is missing or not a positive number makes no fog.
void FogParms(std::string_view line, MaterialParse& parse) {
    Tokens numbers;
    for (const std::string_view token : SplitBlanks(line))
        if (token != "(" && token != ")" && token != "fogparms") numbers.push_back(token);
    float values[4];
    for (size_t i = 0; i < 4; ++i)
        if (!Read(numbers, i, values[i]) || !std::isfinite(values[i])) return;
    if (!(values[3] > 0)) return;
    SHADER& material = parse.material;
    for (int i = 0; i < 3; ++i) material.FogColour[i] = std::clamp(values[i], 0.0f, 1.0f);
    material.FogDistance = values[3];
}

struct Keyword {
    std::string_view name;
    void (*act)(std::string_view line, MaterialParse& parse);
};

// Tested by prefix in this order; a line may match more than one.
constexpr Keyword kKeywords[] = {
    {"program", Program},         {"cull", Cull},           {"deformvertexes", DeformVertexes},
    {"surfaceparm", SurfaceParm}, {"animmap", AnimMap},     {"cubemap", CubeMap},
    {"map", Map},                 {"rgbgen", RgbGen},       {"tcgen", TcGen},
    {"tcmod", TcMod},             {"alphafunc", AlphaFunc}, {"blendfunc", BlendFunc},
    {"depthfunc", DepthFunc},     {"depthwrite", DepthWrite},
    {"clampmap", ClampMap},       {"alphagen", AlphaGen},   {"polygonoffset", PolygonOffset},
    {"skyparms", SkyParms},       {"fogparms", FogParms},
};

}  // namespace

void ApplyKeywords(std::string_view line, MaterialParse& parse) {
    for (const Keyword& keyword : kKeywords)
        if (line.substr(0, keyword.name.size()) == keyword.name) keyword.act(line, parse);
}

}  // namespace korvath
