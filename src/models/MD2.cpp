#include "korvath/MD2.h"

#include "core/Paths.h"
#include "platform/Files.h"
#include "models/KeyframeData.h"
#include "models/Md2File.h"
#include "models/ModelStatus.h"

namespace korvath {

MD2::MD2() : KeyframeModel("MD2") {}
MD2::~MD2() { UnLoad(); }

void MD2::Load(const std::string& Filename) {
    ModelStatus("MD2: Loading " + FileNameOf(Filename));
    std::vector<uint8_t> bytes;
    Md2Model model;
    const Md2Result result = platform::ReadWholeFile(ResolvePath(Filename), bytes) ? ReadMd2(bytes, model) : Md2Result::Failed;
    if (result != Md2Result::Loaded) {
        // The model read so far is dropped whole: the object keeps what it held.
        FinishLoadStatus("MD2: Loading Failed...");
        return;
    }
    KeyframeData& d = *data_;
    d.Mesh = std::move(model.Mesh);
    d.Animations = std::move(model.Animations);
    d.AnimationIndex = model.AnimationIndex;
    // The old stages are not freed: the host may still share their textures.
    d.Material.Stages.assign(1, SHADER_STAGE{});
    placement_.Rotation.y = -(placement_.Rotation.y + 90);
    placement_.Scale = {1, 1, 1};
    loaded_ = true;
    FinishLoadStatus("MD2: Loaded Successfully");
}

void MD2::UnLoad() {
    if (!loaded_) return;
    loaded_ = false;
    ReleaseKeyframes();
    UnloadStatus("MD2: Unloaded");
}

}  // namespace korvath
