#include "korvath/MDL.h"

#include "core/Paths.h"
#include "materials/MaterialRelease.h"
#include "materials/Texture.h"
#include "models/KeyframeData.h"
#include "models/MdlFile.h"
#include "models/ModelStatus.h"
#include "platform/Files.h"
#include "platform/GL.h"

namespace korvath {

namespace {

constexpr size_t kPaletteBytes = 768;

// Rows stay in file order: texture coordinate t counts rows from the top, as
// GL counts rows from the first one uploaded.
IMAGE SkinImage(const MdlSkins& skins, const std::vector<uint8_t>& picture, const std::vector<uint8_t>& palette) {
    IMAGE image;
    image.Width = skins.Width;
    image.Height = skins.Height;
    image.Pixels.resize(picture.size() * 3);
    for (size_t i = 0; i < picture.size(); ++i)
        for (size_t c = 0; c < 3; ++c) image.Pixels[i * 3 + c] = palette[picture[i] * size_t{3} + c];
    return image;
}

}  // namespace

MDL::MDL() : KeyframeModel("MDL"), skins_(std::make_unique<MdlSkins>()), palette_(kPaletteBytes, 0) {
    trimAnimationNames_ = true;
}
MDL::~MDL() { UnLoad(); }

void MDL::Load(const std::string& Filename) {
    ModelStatus("MDL: Loading " + FileNameOf(Filename));
    std::vector<uint8_t> bytes;
    MdlModel model;
    const MdlResult result = platform::ReadWholeFile(ResolvePath(Filename), bytes) ? ReadMdl(bytes, model)
                                                                                    : MdlResult::Failed;
    if (result != MdlResult::Loaded) {
        // The model read so far is dropped whole: the object keeps what it held.
        FinishLoadStatus("MDL: Loading Failed...");
        return;
    }
    *skins_ = std::move(model.Skins);
    AdoptKeyframes(std::move(model));
    skinTexture_ = 0;
    placement_.Rotation.x += 270;
    placement_.Rotation.z += 90;
    FinishLoadStatus("MDL: Loaded Successfully");
}

void MDL::SetPalette(const std::string& Filename) {
    std::vector<uint8_t> bytes;
    if (platform::ReadWholeFile(ResolvePath(Filename), bytes) && bytes.size() >= kPaletteBytes)
        palette_.assign(bytes.begin(), bytes.begin() + kPaletteBytes);
    if (!loaded_ || skins_->Pictures.empty()) return;
    // Each skin in turn would replace the one before: only the last is made.
    const int32_t texture = CreateTexture(GL_RGB, SkinImage(*skins_, skins_->Pictures.back(), palette_));
    std::vector<SHADER_STAGE>& stages = data_->Material.Stages;
    // A skin this model made and still shows is replaced, not abandoned; one
    // the host has taken over with the material is the host's.
    if (skinTexture_ != 0 && stages.size() == 1 && stages[0].Textures == std::vector<int32_t>{skinTexture_})
        ReleaseTexture(skinTexture_);
    stages.assign(1, SHADER_STAGE{});
    stages[0].Textures = {texture};
    skinTexture_ = texture;
}

void MDL::UnLoad() {
    if (!loaded_) return;
    loaded_ = false;
    ReleaseKeyframes();
    *skins_ = {};
    palette_.assign(kPaletteBytes, 0);
    skinTexture_ = 0;
    UnloadStatus("MDL: Unloaded");
}

}  // namespace korvath
