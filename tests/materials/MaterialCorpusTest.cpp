#include <filesystem>
#include <gtest/gtest.h>
#include <iostream>

#include "core/Paths.h"
#include "materials/MaterialTestSupport.h"
#include "materials/ScriptText.h"

using namespace korvath;
using namespace korvath::test;

namespace {

struct CorpusMaterials {
    std::vector<std::string> names;
    int textureReferences = 0;  // "map" names other than the lightmap, and "animmap" frames
};

// Names are the lines outside any block that the next non-empty line opens; they
// keep their case, since look-ups compare exactly.
CorpusMaterials ReadCorpusScripts(const std::string& directory) {
    CorpusMaterials corpus;
    for (const auto& entry : std::filesystem::directory_iterator(directory)) {
        std::vector<std::string> lines, names;
        for (const std::string& raw : ReadLines(entry.path().string())) {
            const std::string line = NormaliseLine(raw);
            if (line.empty()) continue;
            lines.push_back(line);
            const size_t first = raw.find_first_not_of(" \t"), last = raw.find_last_not_of(" \t");
            names.push_back(raw.substr(first, last - first + 1));
        }
        int depth = 0;
        for (size_t i = 0; i < lines.size(); ++i) {
            const std::string& line = lines[i];
            if (line == "{") ++depth;
            else if (line == "}") --depth;
            else if (depth == 0 && line.rfind("//", 0) != 0 && i + 1 < lines.size() && lines[i + 1] == "{")
                corpus.names.push_back(names[i]);
            else if (line.rfind("map ", 0) == 0 && line.find("lightmap") != 5) ++corpus.textureReferences;
            else if (line.rfind("animmap ", 0) == 0) corpus.textureReferences += static_cast<int>(SplitBlanks(line).size()) - 2;
        }
    }
    return corpus;
}

// The game data is the engine path.
class ShaderCorpus : public MaterialTest {
protected:
    void SetUp() override {
        MaterialTest::SetUp();
        EnginePath() = CorpusPath("q3/");
    }
};

}  // namespace

TEST_F(ShaderCorpus, EveryMaterialIsFoundAndItsTexturesCounted) {
    const CorpusMaterials corpus = ReadCorpusScripts(CorpusPath("q3/scripts"));
    EXPECT_EQ(corpus.names.size(), 28u + 79 + 11 + 111 + 64 + 9);
    int resolved = 0;
    for (const std::string& name : corpus.names) {
        SHADER material = FindMaterial("scripts/", name);
        EXPECT_TRUE(material.Found) << name;
        EXPECT_FALSE(material.Stages.empty()) << name;
        for (const SHADER_STAGE& stage : material.Stages)
            for (int32_t texture : stage.Textures) resolved += texture != 0;
        FreeMaterial(material);
    }
    std::cout << "[ corpus   ] " << resolved << " of " << corpus.textureReferences
              << " texture references in the scripts resolve to files" << std::endl;
    EXPECT_GT(resolved, 0);
    EXPECT_LE(resolved, corpus.textureReferences);
}

TEST_F(ShaderCorpus, SampleMaterialsMatchTheirScripts) {
    SHADER launchpad = FindMaterial("scripts/", "textures/bubctf1/e8_launchpad1");
    ASSERT_TRUE(launchpad.Found);
    EXPECT_EQ((std::vector<int32_t>{launchpad.SurfaceFlags, launchpad.Flags, launchpad.Cull}), (std::vector<int32_t>{0x200, 0, 0}));
    ASSERT_EQ(launchpad.Stages.size(), 4u);
    const SHADER_STAGE* s = launchpad.Stages.data();
    ASSERT_EQ(s[0].TcMods.size(), 1u);
    // Flags, then the blend pair, of each stage; the first scrolls, the third pulses.
    const int32_t flagsAndBlends[4][3] = {{kStageRgbGen | kStageTcMods, 0, 0},
                                          {kStageBlend | kStageRgbGen, GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA},
                                          {-1, GL_ONE, GL_ONE},
                                          {kStageBlend | kStageRgbGen | kStageTcGen, GL_DST_COLOR, GL_ONE_MINUS_DST_ALPHA}};
    for (int i = 0; i < 4; ++i) {
        if (flagsAndBlends[i][0] >= 0) EXPECT_EQ(s[i].Flags, flagsAndBlends[i][0]) << i;
        if (i > 0) EXPECT_EQ((std::vector<int32_t>{s[i].Blend[0], s[i].Blend[1]}), (std::vector<int32_t>{flagsAndBlends[i][1], flagsAndBlends[i][2]})) << i;
    }
    EXPECT_EQ(s[0].TcMods[0].Kind, 4);
    EXPECT_TRUE(FloatsEq({s[0].TcMods[0].ScrollS, s[0].TcMods[0].ScrollT}, {0, 3}));
    EXPECT_EQ((std::vector<int32_t>{s[2].RgbWave.Kind, s[2].RgbWave.Func}), (std::vector<int32_t>{3, 2}));
    EXPECT_TRUE(FloatsEq({s[2].RgbWave.Base, s[2].RgbWave.Amplitude, s[2].RgbWave.Phase, s[2].RgbWave.Frequency}, {0.2f, 2, 1, 2}));
    EXPECT_TRUE(s[3].Lightmap);
    for (const SHADER_STAGE& stage : launchpad.Stages) EXPECT_EQ(stage.Textures, std::vector<int32_t>{0});

    SHADER invisible = FindMaterial("scripts/", "textures/common/invisible");
    ASSERT_TRUE(invisible.Found);
    ASSERT_EQ(invisible.Stages.size(), 1u);
    EXPECT_EQ((std::vector<int32_t>{invisible.SurfaceFlags, invisible.Stages[0].Flags, invisible.Stages[0].AlphaFunc}),
              (std::vector<int32_t>{0x8000, kStageAlphaTest | kStageDepthFunc | kStageRgbGen, GL_GEQUAL}));
    EXPECT_FLOAT_EQ(invisible.Stages[0].AlphaRef, 0.5f);

    SHADER light = FindMaterial("scripts/", "textures/evil8_lights/evil8_rlight");
    ASSERT_TRUE(light.Found);
    EXPECT_EQ(light.SurfaceFlags, 0x4000);
    ASSERT_EQ(light.Stages.size(), 3u);
    ASSERT_NE(light.Stages[0].Textures[0], 0);
    glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(light.Stages[0].Textures[0]));
    EXPECT_EQ(LevelParameter(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH), 64);
    EXPECT_TRUE(light.Stages[1].Lightmap);
    EXPECT_EQ((std::vector<int32_t>{light.Stages[1].Blend[0], light.Stages[1].Blend[1]}), (std::vector<int32_t>{GL_SRC_COLOR, GL_ZERO}));
    EXPECT_NE(light.Stages[2].Textures[0], 0);  // e8_rlight.blend.jpg: only the last "." is dropped
    EXPECT_EQ(light.Stages[2].Flags, kStageBlend);

    for (SHADER* material : {&launchpad, &invisible, &light}) FreeMaterial(*material);
}
