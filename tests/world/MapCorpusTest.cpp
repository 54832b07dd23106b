// The corpus level through the public Map, checked against its lumps read here independently.
#include <cstring>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <random>
#include <sstream>

#include "core/ViewState.h"
#include "korvath/Map.h"
#include "support/BspWriter.h"
#include "support/TestSupport.h"
#include "world/Level.h"

namespace korvath {
namespace {

// File Z-up to engine Y-up.
VECTOR3 YUp(float x, float y, float z) { return {x, z, -y}; }
VECTOR3 YUp(const VECTOR3& v) { return YUp(v.x, v.y, v.z); }
float Dot(const VECTOR3& a, const VECTOR3& b) { return a.x * b.x + a.y * b.y + a.z * b.z; }

struct RawLevel {
    std::vector<uint8_t> bytes;

    template <typename T>
    std::vector<T> Lump(int index) const {
        const int32_t offset = test::LumpOffset(bytes, index), length = test::LumpLength(bytes, index);
        std::vector<T> records(static_cast<size_t>(length) / sizeof(T));
        if (!records.empty()) std::memcpy(records.data(), bytes.data() + offset, records.size() * sizeof(T));
        return records;
    }
    std::string Text(int index, int32_t at = 0, int32_t length = -1) const {
        const int32_t offset = test::LumpOffset(bytes, index);
        if (length < 0) length = test::LumpLength(bytes, index);
        return {bytes.begin() + offset + at, bytes.begin() + offset + at + length};
    }
};

struct FileTexture {
    char Name[64];
    int32_t Flags, Contents;
};

// How far a point reaches beyond itself.
constexpr auto kPoint = [](const VECTOR3&) { return 0.0f; };

// A brush as a list of planes in engine axes, outward normals.
using Brush = std::vector<BspPlane>;

class CorpusLevel : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        engine_ = std::make_unique<test::OffscreenEngine>();
        engine_->engine().SetPath(test::CorpusPath("q3/"));
        map_ = std::make_unique<Map>();
        map_->Load("maps/ps9ctf.bsp");

        std::ifstream in(test::CorpusPath("q3/maps/ps9ctf.bsp"), std::ios::binary);
        raw_.bytes.assign(std::istreambuf_iterator<char>(in), {});
        for (BspPlane& plane : planes_ = raw_.Lump<BspPlane>(2)) plane.Normal = YUp(plane.Normal);
        nodes_ = raw_.Lump<BspNode>(3);
        leafs_ = raw_.Lump<BspLeaf>(4);
        textures_ = raw_.Lump<FileTexture>(1);
        const auto brushes = raw_.Lump<BspBrush>(8);
        const auto sides = raw_.Lump<BspBrushSide>(9);
        for (const BspBrush& brush : brushes) {
            const FileTexture& texture = textures_[static_cast<size_t>(brush.Texture)];
            const std::string name(texture.Name, strnlen(texture.Name, 64));
            if (!(texture.Contents & 1) || (map_->Shader(name).SurfaceFlags & 0x20000)) continue;
            Brush planes;
            for (int32_t k = brush.FirstSide; k < brush.FirstSide + brush.SideCount; ++k)
                planes.push_back(planes_[static_cast<size_t>(sides[static_cast<size_t>(k)].Plane)]);
            if (!planes.empty()) solid_.push_back(planes);
        }
    }
    static void TearDownTestSuite() {
        map_.reset();
        engine_.reset();
    }
    void SetUp() override {
        ASSERT_TRUE(map_) << "the corpus level is missing";
        if (!map_->Loaded()) GTEST_SKIP() << "the level did not load";
    }

    static int32_t LeafOf(const VECTOR3& p) {
        int32_t index = 0;
        while (index >= 0) {
            const BspNode& node = nodes_[static_cast<size_t>(index)];
            const BspPlane& plane = planes_[static_cast<size_t>(node.Plane)];
            index = Dot(plane.Normal, p) - plane.Distance >= 0 ? node.Front : node.Back;
        }
        return -(index + 1);
    }

    // True when a volume reaching corner(n) along each brush normal n overlaps a solid brush.
    template <typename Reach>
    static bool InsideSolid(const VECTOR3& p, Reach reach) {
        for (const Brush& brush : solid_) {
            bool inside = true;
            for (const BspPlane& side : brush)
                inside = inside && Dot(side.Normal, p) - side.Distance - reach(side.Normal) < 0;
            if (inside) return true;
        }
        return false;
    }

    // A random point in a leaf inside the map and clear of every solid brush.
    static VECTOR3 RandomOpenPoint(std::mt19937& random) {
        std::uniform_int_distribution<size_t> pick(0, leafs_.size() - 1);
        for (;;) {
            const BspLeaf& leaf = leafs_[pick(random)];
            if (leaf.Cluster < 0) continue;
            auto within = [&](int axis) {
                return std::uniform_real_distribution<float>(static_cast<float>(leaf.Mins[axis]),
                                                             static_cast<float>(leaf.Maxs[axis]))(random);
            };
            const VECTOR3 p = YUp(within(0), within(1), within(2));
            if (leafs_[static_cast<size_t>(LeafOf(p))].Cluster >= 0 && !InsideSolid(p, kPoint)) return p;
        }
    }

    static inline std::unique_ptr<test::OffscreenEngine> engine_;
    static inline std::unique_ptr<Map> map_;
    static inline RawLevel raw_;
    static inline std::vector<FileTexture> textures_;
    static inline std::vector<BspPlane> planes_;
    static inline std::vector<BspNode> nodes_;
    static inline std::vector<BspLeaf> leafs_;
    static inline std::vector<Brush> solid_;
};

TEST_F(CorpusLevel, RandomTracesNeverEndInsideASolidBrush) {
    std::mt19937 random(1234);
    const VECTOR3 mins{-15, -24, -15}, maxs{15, 32, 15};
    int stopped = 0;
    for (int i = 0; i < 1000; ++i) {
        const VECTOR3 from = RandomOpenPoint(random), to = RandomOpenPoint(random);
        const COLLISION ray = map_->Collision(from, to);
        ASSERT_FALSE(InsideSolid(ray.Position, kPoint)) << "ray " << i;
        stopped += ray.Collided;

        const COLLISION sphere = map_->Collision(from, to, 12);
        if (!InsideSolid(from, [](const VECTOR3&) { return 12.0f; }))
            ASSERT_FALSE(InsideSolid(sphere.Position, [](const VECTOR3&) { return 12.0f; })) << "sphere " << i;

        VOLUME box{.Position = from,
                   .Min = {from.x + mins.x, from.y + mins.y, from.z + mins.z},
                   .Max = {from.x + maxs.x, from.y + maxs.y, from.z + maxs.z}};
        auto corner = [&](const VECTOR3& n) {
            return -Dot(n, {n.x < 0 ? maxs.x : mins.x, n.y < 0 ? maxs.y : mins.y, n.z < 0 ? maxs.z : mins.z});
        };
        map_->Volume({box});
        const COLLISION boxed = map_->Collision(from, to);
        if (!InsideSolid(from, corner)) ASSERT_FALSE(InsideSolid(boxed.Position, corner)) << "box " << i;
    }
    // Most random pairs in a level have a wall between them.
    EXPECT_GT(stopped, 300);
}

TEST_F(CorpusLevel, FromASpawnPointStraightDownIsTheFloorAndTheFeetStandOnIt) {
    int spawns = 0;
    for (int32_t i = 0; i <= map_->Entities(); ++i) {
        const ENTITY entity = map_->Entity(i);
        if (entity.ClassName.rfind("info_player", 0) != 0 && entity.ClassName.find("spawn") == std::string::npos)
            continue;
        // Origin holds the file's numbers last to first.
        const VECTOR3 spawn = YUp(entity.Origin.z, entity.Origin.y, entity.Origin.x);
        // The highest top of a solid brush under the spawn point, from the brush planes.
        float floor = -1e9f;
        for (const Brush& brush : solid_) {
            float top = 1e9f, bottom = -1e9f;
            for (const BspPlane& side : brush) {
                const float across = side.Normal.x * spawn.x + side.Normal.z * spawn.z;
                if (side.Normal.y > 0) top = std::min(top, (side.Distance - across) / side.Normal.y);
                else if (side.Normal.y < 0) bottom = std::max(bottom, (side.Distance - across) / side.Normal.y);
                else if (across > side.Distance) bottom = 1e9f;  // the column misses the brush
            }
            if (bottom < top && top <= spawn.y) floor = std::max(floor, top);
        }
        ASSERT_GT(floor, -1e8f) << entity.ClassName << " " << i;
        // Feet 24 units below the spawn point, on a footprint narrower than any step.
        const VOLUME feet{.Position = spawn,
                          .Min = {spawn.x - 1, spawn.y - 24, spawn.z - 1},
                          .Max = {spawn.x + 1, spawn.y + 8, spawn.z + 1}};
        const VECTOR3 below{spawn.x, spawn.y - 4096, spawn.z};
        map_->Volume({feet});
        const COLLISION standing = map_->Collision(spawn, below);
        const COLLISION down = map_->Collision(spawn, below);  // the volume served one query only
        EXPECT_TRUE(down.Collided);
        EXPECT_NEAR(down.Position.y, floor + 0.05f, 0.05f) << entity.ClassName << " " << i;
        EXPECT_NEAR(standing.Position.y - down.Position.y, 24, 0.01f) << entity.ClassName << " " << i;
        ++spawns;
    }
    EXPECT_GT(spawns, 10);
}

TEST_F(CorpusLevel, VisibleFollowsThePvsBits) {
    const int32_t bytesPerCluster = [] {
        int32_t value;
        std::memcpy(&value, raw_.bytes.data() + test::LumpOffset(raw_.bytes, 16) + 4, 4);
        return value;
    }();
    const std::string bits = raw_.Text(16, 8);
    std::mt19937 random(99);
    int seen = 0, hidden = 0;
    for (int i = 0; i < 2000; ++i) {
        const VECTOR3 camera = RandomOpenPoint(random), target = RandomOpenPoint(random);
        const int32_t from = leafs_[static_cast<size_t>(LeafOf(camera))].Cluster;
        const int32_t to = leafs_[static_cast<size_t>(LeafOf(target))].Cluster;
        const uint8_t row = static_cast<uint8_t>(bits[static_cast<size_t>(from * bytesPerCluster + to / 8)]);
        const bool expected = (row >> (to & 7)) & 1;
        View().CameraPosition = camera;
        ASSERT_EQ(map_->Visible(target), expected) << "clusters " << from << " and " << to;
        (expected ? seen : hidden)++;
    }
    EXPECT_GT(seen, 100);
    EXPECT_GT(hidden, 100);
}

TEST_F(CorpusLevel, EntitiesFollowTheEntityText) {
    std::istringstream text(raw_.Text(0));
    std::string line;
    int32_t index = -1;
    while (std::getline(text, line)) {
        if (line == "{") ++index;
        if (line.rfind("\"classname\" \"", 0) == 0)
            EXPECT_EQ(map_->Entity(index).ClassName, line.substr(13, line.size() - 14)) << index;
        if (line.rfind("\"origin\" \"", 0) == 0) {
            std::istringstream numbers(line.substr(10));
            float x, y, z;
            numbers >> x >> y >> z;
            const VECTOR3 origin = map_->Entity(index).Origin;
            EXPECT_TRUE(test::FloatsEq({origin.x, origin.y, origin.z}, {z, y, x})) << index;
        }
    }
    EXPECT_EQ((std::vector<int32_t>{index, map_->Entities()}), (std::vector<int32_t>{201, 201}));
    EXPECT_EQ((std::vector<std::string>{map_->Entity(0).ClassName, map_->Entity(202).ClassName, map_->Entity(-1).ClassName}),
              (std::vector<std::string>{"worldspawn", "", ""}));
}

TEST_F(CorpusLevel, PlanesFollowThePlaneLump) {
    ASSERT_EQ(map_->Planes(), 895);
    ASSERT_EQ(planes_.size(), 896u);
    for (int32_t i = 0; i <= map_->Planes(); ++i) {
        const PLANE plane = map_->Plane(i);
        const BspPlane& file = planes_[static_cast<size_t>(i)];
        EXPECT_EQ(plane.Distance, file.Distance) << i;
        EXPECT_EQ(test::Xyz(plane.Normal), test::Xyz(file.Normal)) << i;
    }
    EXPECT_EQ(map_->Plane(896).Distance, 0);
    EXPECT_EQ(map_->Plane(-1).Normal.x, 0);
}

TEST_F(CorpusLevel, ShaderGetAndLetByName) {
    std::string scripted;
    for (const FileTexture& texture : textures_) {
        const std::string name(texture.Name, strnlen(texture.Name, 64));
        if (map_->Shader(name).Found) scripted = name;
    }
    if (scripted.empty()) GTEST_SKIP() << "no material script was found";
    EXPECT_EQ(map_->Shader(scripted).Name, scripted);

    SHADER replacement = map_->Shader(scripted);
    replacement.Cull = 1;  // nothing the other tests look at
    replacement.Stages.resize(1);
    map_->Shader(scripted, replacement);
    EXPECT_EQ(map_->Shader(scripted).Cull, 1);
    EXPECT_EQ(map_->Shader(scripted).Stages.size(), 1u);

    // Names match exactly; bare textures (which carry no name) are never matched.
    EXPECT_FALSE(map_->Shader("textures/no/such/material").Found);
    EXPECT_TRUE(map_->Shader("").Stages.empty());
    map_->Shader("textures/no/such/material", replacement);
    EXPECT_FALSE(map_->Shader("textures/no/such/material").Found);
}

}  // namespace
}  // namespace korvath
