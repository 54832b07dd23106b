#include "korvath/MD3.h"

#include "core/Paths.h"
#include "materials/Materials.h"
#include "models/Md3AnimationTable.h"
#include "models/Md3Data.h"
#include "models/Md3Skin.h"
#include "models/ModelStatus.h"
#include "models/ModelTransform.h"
#include "platform/Files.h"

namespace korvath {

namespace {

enum class PartLoad { Added, Refused, Failed };

// Reads one part file and adds it after the parts there are.
PartLoad LoadPart(std::vector<Md3Part>& parts, const std::string& filename) {
    const std::string path = ResolvePath(filename);
    ModelStatus("MD3: Loading " + FileNameOf(path));
    std::vector<uint8_t> bytes;
    Md3Part part;
    const Md3Result result =
        platform::ReadWholeFile(path, bytes) ? ReadMd3Part(bytes, part.Mesh.File) : Md3Result::Failed;
    if (result == Md3Result::Failed) return PartLoad::Failed;
    if (result != Md3Result::Loaded) return PartLoad::Refused;
    part.PartIndex = static_cast<int32_t>(parts.size());
    part.Links.assign(part.Mesh.File.TagNames.size(), 0);
    part.Skins.resize(part.Mesh.File.Surfaces.size());
    PrepareMd3Drawing(part.Mesh);
    parts.push_back(std::move(part));
    return PartLoad::Added;
}

void LinkPart(Md3Data& d, size_t parent, size_t child, const std::string& tagName) {
    if (parent >= d.Parts.size() || child >= d.Parts.size()) return;
    const int32_t tag = FindMd3Tag(d.Parts[parent].Mesh.File, tagName);
    if (tag >= 0) d.Parts[parent].Links[static_cast<size_t>(tag)] = d.Parts[child].PartIndex;
}

void FreeSkins(Md3Part& part) {
    for (Md3SurfaceSkin& skin : part.Skins)
        if (skin.Set) FreeMaterial(skin.Material), skin = {};
}

// A skin names its pictures from the game's root; a player folder copied on
// its own finds them beside the skin instead.
std::string SkinImagePath(const std::string& skinPath, const std::string& image) {
    const std::string rooted = ResolvePath(NormaliseSeparators(image));
    if (platform::FileExists(rooted)) return rooted;
    const std::string normalised = NormaliseSeparators(skinPath);
    return normalised.substr(0, normalised.find_last_of('/') + 1) + FileNameOf(image);
}

}  // namespace

MD3::MD3() : data_(std::make_unique<Md3Data>()) {}
MD3::~MD3() { UnLoad(); }

void MD3::LoadAnimationTable(const std::string& Filename) {
    const std::string path = ResolvePath(Filename);
    ModelStatus("MD3: Loading Animation Table " + FileNameOf(path));
    std::vector<uint8_t> bytes;
    const bool read = platform::ReadWholeFile(path, bytes);
    if (!read) data_->Table.clear();
    const bool parsed = read && ParseAnimationTable(std::string(bytes.begin(), bytes.end()), data_->Table);
    FinishLoadStatus(parsed ? "MD3: Loaded Successfully" : "MD3: Loading Failed...");
}

void MD3::Load(const std::string& Path, const std::string& Filename) {
    Md3Data& d = *data_;
    // Parts are read aside: a file that is missing or does not hold what it
    // claims fails the whole load and leaves the character as it was.
    std::vector<Md3Part> parts;
    bool failed = false;
    if (Filename.empty()) {
        const std::string folder = StripTrailingSlash(Path);
        ModelStatus("MD3: Loading " + FileNameOf(folder));
        for (const char* name : {"/lower.md3", "/upper.md3", "/head.md3"})
            failed = failed || LoadPart(parts, folder + name) == PartLoad::Failed;
        if (!failed) {
            // A new body replaces the old one, and any weapon it held.
            for (Md3Part& part : d.Parts) FreeSkins(part);
            d.Parts = std::move(parts);
            LinkPart(d, 0, 1, "tag_torso");
            LinkPart(d, 1, 2, "tag_head");
        }
    } else {
        parts = std::move(d.Parts);
        const PartLoad weapon = LoadPart(parts, Filename);
        d.Parts = std::move(parts);
        failed = weapon == PartLoad::Failed;
        // A refused weapon adds no part, and the last part is then not one to
        // hang in the hand.
        if (weapon == PartLoad::Added && d.Parts.size() > 1) LinkPart(d, 1, d.Parts.size() - 1, "tag_weapon");
    }
    if (failed) {
        FinishLoadStatus("MD3: Loading Failed...");
        return;
    }
    // The material and volume of an index outlive its part, so a host's
    // material survives a reload.
    if (d.Materials.size() < d.Parts.size()) d.Materials.resize(d.Parts.size());
    if (d.Volumes.size() < d.Parts.size()) d.Volumes.resize(d.Parts.size());
    if (!loaded_) {
        loaded_ = true;
        placement_.Rotation.x += 270;
        placement_.Rotation.z += 90;
        placement_.Scale = {1, 1, 1};
    }
    FinishLoadStatus("MD3: Loaded Successfully");
}

void MD3::UnLoad() {
    if (!loaded_) return;
    loaded_ = false;
    Md3Data& d = *data_;
    for (SHADER& material : d.Materials) FreeMaterial(material);
    for (Md3Part& part : d.Parts) FreeSkins(part);
    *data_ = {};
    UnloadStatus("MD3: Unloaded");
}

void MD3::SetDeathAnimation(MD3_Death_Animations Name) {
    Md3Data& d = *data_;
    if (static_cast<size_t>(Name) >= d.Table.size() || d.Table[static_cast<size_t>(Name)].NumFrames <= 0) return;
    for (size_t i = 0; i < 2 && i < d.Parts.size(); ++i)
        StartAnimation(d.Parts[i].Clock, Name, d.Table[static_cast<size_t>(Name)]);
}

namespace {

void StartOnPart(Md3Data& d, size_t part, int32_t name) {
    if (part >= d.Parts.size() || name < 0 || static_cast<size_t>(name) >= d.Table.size()) return;
    const MD3_ANIMATION& entry = d.Table[static_cast<size_t>(name)];
    Md3PartClock& clock = d.Parts[part].Clock;
    if (entry.NumFrames > 0 && clock.Animation != name) StartAnimation(clock, name, entry);
}

}  // namespace

void MD3::SetTorsoAnimation(MD3_Torso_Animations Name) { StartOnPart(*data_, MD3_UPPER, Name); }
void MD3::SetLegsAnimation(MD3_Legs_Animations Name) { StartOnPart(*data_, MD3_LOWER, Name); }

void MD3::SetFrame(int32_t Index, MD3_Models Model) {
    if (Model < 0 || static_cast<size_t>(Model) >= data_->Parts.size()) return;
    Md3PartClock& clock = data_->Parts[static_cast<size_t>(Model)].Clock;
    clock.CurrentFrame = clock.NextFrame = Index;
    clock.Blend = 0;
}

int32_t MD3::Frame(MD3_Models Model) const {
    if (Model < 0 || static_cast<size_t>(Model) >= data_->Parts.size()) return 0;
    return data_->Parts[static_cast<size_t>(Model)].Clock.CurrentFrame;
}

void MD3::SetShader(int32_t Index, const SHADER& Shader) {
    if (Index >= 0 && static_cast<size_t>(Index) < data_->Materials.size())
        data_->Materials[static_cast<size_t>(Index)] = Shader;
}
void MD3::Shader(int32_t Index, const SHADER& Shader) { SetShader(Index, Shader); }
SHADER MD3::Shader(int32_t Index) const {
    if (Index < 0 || static_cast<size_t>(Index) >= data_->Materials.size()) return {};
    return data_->Materials[static_cast<size_t>(Index)];
}

bool MD3::LoadSkin(int32_t Index, const std::string& Filename) {
    if (Index < 0 || static_cast<size_t>(Index) >= data_->Parts.size()) return false;
    const std::string path = ResolvePath(Filename);
    std::vector<uint8_t> bytes;
    if (!platform::ReadWholeFile(path, bytes)) return false;
    Md3Part& part = data_->Parts[static_cast<size_t>(Index)];
    for (const SkinEntry& entry : ParseSkin(std::string(bytes.begin(), bytes.end()))) {
        const std::vector<Md3Surface>& surfaces = part.Mesh.File.Surfaces;
        for (size_t s = 0; s < surfaces.size(); ++s) {
            if (!SkinNames(entry.Surface, surfaces[s].Name)) continue;
            Md3SurfaceSkin& skin = part.Skins[s];
            if (skin.Set) FreeMaterial(skin.Material);
            skin = {true, PictureMaterial(SkinImagePath(path, entry.Image))};
        }
    }
    return true;
}

std::vector<VOLUME> MD3::Volume(int32_t Index) const {
    return SelectVolumes(data_->Volumes, Index);
}

int32_t MD3::Parts() const { return static_cast<int32_t>(data_->Parts.size()); }
std::vector<MD3_ANIMATION> MD3::Animations() const { return data_->Table; }

}  // namespace korvath
