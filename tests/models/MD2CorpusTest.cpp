// The corpus MD2 models: counts as their headers give them and the sixteen
// animations of each, by name and frame range.
#include "platform/Files.h"
#include "models/Md2File.h"
#include "models/ModelTestSupport.h"

namespace korvath::test {
namespace {

struct CorpusModel {
    const char* file;
    int32_t vertices, texCoords, triangles;
    const char* deathName;  // the two files spell the crouched death differently
};

class Md2CorpusTest : public LoggedEngineTest, public ::testing::WithParamInterface<CorpusModel> {};

TEST_P(Md2CorpusTest, LoadsWithItsAnimations) {
    const CorpusModel& c = GetParam();
    MD2 model;
    model.Load(CorpusPath(std::string("md2/") + c.file));
    ASSERT_TRUE(model.Loaded());
    const std::vector<std::string> lines = NewLogLines();
    EXPECT_EQ(std::count(lines.begin(), lines.end(), "MD2: Loading Animation crwalk"), 1);
    ASSERT_GE(lines.size(), 2u);
    EXPECT_EQ(lines[lines.size() - 2], "MD2: Loaded Successfully");
    EXPECT_EQ(Rows(model.Animations()),
              (std::vector<AnimationRow>{{"stand", 0, 39},    {"run", 40, 45},     {"attack", 46, 53},  {"pain", 54, 65},
                                         {"jump", 66, 71},    {"flip", 72, 83},    {"salute", 84, 94},  {"taunt", 95, 111},
                                         {"wave", 112, 122},  {"point", 123, 134}, {"crstnd", 135, 153}, {"crwalk", 154, 159},
                                         {"crattak", 160, 168}, {"crpain", 169, 172}, {c.deathName, 173, 177},
                                         {"death", 178, 197}}));
    EXPECT_EQ(model.Animation(), 15);

    std::vector<uint8_t> bytes;
    ASSERT_TRUE(platform::ReadWholeFile(CorpusPath(std::string("md2/") + c.file), bytes));
    Md2Model read;
    ASSERT_EQ(ReadMd2(bytes, read), Md2Result::Loaded);
    EXPECT_EQ((std::vector<size_t>{static_cast<size_t>(read.Mesh.VertexCount), read.Mesh.TexCoords.size(), read.Mesh.Triangles.size(),
                                   static_cast<size_t>(read.Mesh.FrameCount), read.Mesh.Arrays.Indices.size()}),
              (std::vector<size_t>{static_cast<size_t>(c.vertices), static_cast<size_t>(c.texCoords), static_cast<size_t>(c.triangles),
                                   198, 3u * static_cast<size_t>(c.triangles)}));
}

INSTANTIATE_TEST_SUITE_P(Corpus, Md2CorpusTest,
                         ::testing::Values(CorpusModel{"sydney.md2", 342, 456, 679, "crdeth"},
                                           CorpusModel{"faerie.md2", 366, 487, 654, "crdeath"}),
                         [](const auto& info) { return BaseName(info.param.file); });

}  // namespace
}  // namespace korvath::test
