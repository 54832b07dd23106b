#include "ModelKinds.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <functional>

#include "Md5Viewed.h"
#include "PlayerViewed.h"

using namespace korvath;

namespace {

// The keyframe classes (MD2, MDL) animate by name at a frame rate.
template <typename Keyframed>
class KeyframeViewed : public ViewedModel {
public:
    bool Load(const std::string& file, const std::string&) override {
        model_.Load(file);
        model_.SetVelocity(kFramesPerSecond);
        return model_.Loaded();
    }
    void UseSkin(const std::string& skin) override { model_.SetShader(Shaders().Load(skin)); }
    void Render(bool Animate) override { model_.Render(Animate); }
    std::vector<std::string> Animations() const override {
        std::vector<std::string> names;
        for (const MD2_ANIMATION& a : model_.Animations()) names.push_back(a.Name);
        return names;
    }
    void SetAnimation(const std::string& name) override { model_.SetAnimation(name); }
    std::vector<VOLUME> Volume() const override { return model_.Volume(); }
    Model& Placement() override { return model_; }

protected:
    static constexpr float kFramesPerSecond = 10;  // the rate the Quake tools animate at
    Keyframed model_;
};

// A Quake model takes its skin colours from the game's palette, found by
// default where the game keeps it: gfx/palette.lmp beside the model's folder.
class MdlViewed : public KeyframeViewed<MDL> {
public:
    bool Load(const std::string& file, const std::string& weapon) override {
        if (!KeyframeViewed<MDL>::Load(file, weapon)) return false;
        const std::filesystem::path palette = std::filesystem::path(file).parent_path().parent_path() / "gfx/palette.lmp";
        if (std::filesystem::exists(palette)) model_.SetPalette(palette.string());
        return true;
    }
    void UsePalette(const std::string& palette) override { model_.SetPalette(palette); }
};

// The engine's own text mesh: parts with their own materials, no animation.
class MeshViewed : public ViewedModel {
public:
    bool Load(const std::string& file, const std::string&) override {
        mesh_.Load(file);
        return mesh_.Loaded();
    }
    // The skin replaces the first part's material.
    void UseSkin(const std::string& skin) override { mesh_.SetShader(0, Shaders().Load(skin)); }
    void Render(bool) override { mesh_.Render(); }
    std::vector<std::string> Animations() const override { return {}; }
    void SetAnimation(const std::string&) override {}
    // A mesh without parts has no volume; an empty one frames the origin.
    std::vector<VOLUME> Volume() const override {
        const std::vector<VOLUME> volumes = mesh_.Volume(0);
        return volumes.empty() ? std::vector<VOLUME>(1) : volumes;
    }
    Model& Placement() override { return mesh_; }

private:
    Mesh mesh_;
};

struct ModelKind {
    const char* extension;
    std::function<std::unique_ptr<ViewedModel>()> make;
};

const ModelKind kKinds[] = {
    {"md2", [] { return std::make_unique<KeyframeViewed<MD2>>(); }},
    {"md3", [] { return std::make_unique<PlayerViewed>(); }},
    {"md5mesh", [] { return std::make_unique<Md5Viewed>(); }},
    {"mdl", [] { return std::make_unique<MdlViewed>(); }},
    {"mesh", [] { return std::make_unique<MeshViewed>(); }},
};

}  // namespace

std::unique_ptr<ViewedModel> MakeViewedModel(const std::string& path) {
    const std::string extension = std::filesystem::path(path).extension().string();
    std::string lower = std::filesystem::is_directory(path) ? "md3" : extension.empty() ? "" : extension.substr(1);
    std::transform(lower.begin(), lower.end(), lower.begin(), [](unsigned char c) { return std::tolower(c); });
    for (const ModelKind& kind : kKinds)
        if (lower == kind.extension) return kind.make();
    return nullptr;
}

std::string KnownExtensions() {
    std::string list;
    for (const ModelKind& kind : kKinds) list += (list.empty() ? "" : ", ") + std::string(kind.extension);
    return list;
}
