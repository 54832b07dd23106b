// Loading and unloading an MD5 mesh, and the members that read or replace
// its skeleton, materials and volumes.
#include "korvath/MD5.h"

#include <string_view>

#include "core/Paths.h"
#include "materials/Materials.h"
#include "materials/Texture.h"
#include "platform/Files.h"
#include "models/Md5Data.h"
#include "models/Md5Bake.h"
#include "models/Md5Text.h"
#include "models/ModelStatus.h"

namespace korvath {

namespace {

// A material of the scripts, or else one stage showing the image the name
// points at (no picture when there is none).
SHADER MeshMaterial(const std::string& name) {
    SHADER material = FindMaterial("scripts/", name);
    if (!material.Found) {
        // An unclosed block may have made textures before it was given up.
        FreeMaterial(material);
        material = {};
        material.Stages.resize(1);
        material.Stages[0].Textures[0] = LoadTexture(ResolvePath(name));
    }
    material.Name = name;
    ModelStatus("MD5: Texture " + name + " Loaded.");
    return material;
}

}  // namespace

MD5::MD5() : data_(std::make_unique<Md5Data>()) {}
MD5::~MD5() { UnLoad(); }

void MD5::Load(const std::string& Filename) {
    ModelStatus("MD5: Loading Mesh " + FileNameOf(Filename));
    std::vector<uint8_t> bytes;
    Md5MeshFile file;
    const Md5MeshResult result = platform::ReadWholeFile(ResolvePath(Filename), bytes)
                                     ? ReadMd5Mesh(TextOf(bytes), file)
                                     : Md5MeshResult::Malformed;
    if (result == Md5MeshResult::NotMd5) ModelStatus("MD5: Invalid MD5 Mesh !", 0, true);
    if (result != Md5MeshResult::Loaded) {
        // The model read so far is dropped whole: the object keeps what it held.
        FinishLoadStatus("MD5: Loading Failed...");
        return;
    }
    Md5Data& d = *data_;
    d.Materials.clear();  // the old ones are not freed: the host may still share their textures
    for (const Md5Mesh& mesh : file.Meshes) d.Materials.push_back(MeshMaterial(mesh.MaterialName));
    SetJoints(d.Skeleton, std::move(file.Joints));
    d.Meshes = std::move(file.Meshes);
    d.Volumes.assign(d.Meshes.size(), VOLUME{});
    for (Md5Mesh& mesh : d.Meshes) ComputeMeshPose(d.Skeleton, mesh);
    d.Animations.assign(1, BindPoseAnimation(d));
    const float frame = d.Clock.Frame;
    d.Clock = {};
    d.Clock.Frame = frame;
    placement_.Rotation.x += 270;
    placement_.Rotation.z += 90;
    placement_.Scale = {1, 1, 1};
    loaded_ = true;
    FinishLoadStatus("MD5: Mesh Loaded Successfully");
}

void MD5::UnLoad() {
    if (!loaded_) return;
    loaded_ = false;
    Md5Data& d = *data_;
    for (SHADER& material : d.Materials) FreeMaterial(material);
    const Md5Clock clock = d.Clock;
    *data_ = {};
    d.Clock.Frame = clock.Frame;
    UnloadStatus("MD5: Unloaded");
}

JOINT MD5::Joint(int32_t Index) const {
    const std::vector<JOINT>& joints = data_->Skeleton.Joints;
    return Index >= 0 && static_cast<size_t>(Index) < joints.size() ? joints[static_cast<size_t>(Index)] : JOINT{};
}

void MD5::Joint(int32_t Index, const JOINT& Value) {
    Md5Skeleton& skeleton = data_->Skeleton;
    if (Index < 0 || static_cast<size_t>(Index) >= skeleton.Joints.size()) return;
    skeleton.Joints[static_cast<size_t>(Index)] = Value;
    PrepareWalk(skeleton);
}

int32_t MD5::Joints() const { return static_cast<int32_t>(data_->Skeleton.Joints.size()); }

// Materials are matched by the name the mesh file gives them, so a record
// given under a name stays reachable by that name whatever its own Name.
SHADER MD5::Shader(const std::string& Name) const {
    const Md5Data& d = *data_;
    for (size_t m = d.Meshes.size(); m-- > 0;)
        if (d.Meshes[m].MaterialName == Name) return d.Materials[m];
    return {};
}

void MD5::Shader(const std::string& Name, const SHADER& Value) {
    Md5Data& d = *data_;
    for (size_t m = 0; m < d.Meshes.size(); ++m)
        if (d.Meshes[m].MaterialName == Name) d.Materials[m] = Value;
}

std::vector<VOLUME> MD5::Volume(int32_t Index) const {
    const std::vector<VOLUME>& volumes = data_->Volumes;
    if (Index == -1) return volumes;
    if (Index < 0 || static_cast<size_t>(Index) >= volumes.size()) return {};
    return {volumes[static_cast<size_t>(Index)]};
}

std::vector<std::string> MD5::MaterialNames() const {
    std::vector<std::string> names;
    for (const Md5Mesh& mesh : data_->Meshes) names.push_back(mesh.MaterialName);
    return names;
}

std::vector<std::string> MD5::Animations() const {
    std::vector<std::string> names;
    for (const Md5Animation& animation : data_->Animations) names.push_back(animation.Name);
    return names;
}

int32_t MD5::Animation() const { return data_->Clock.CurrentAnimation; }

}  // namespace korvath
