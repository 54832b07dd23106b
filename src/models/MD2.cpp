#include "korvath/MD2.h"

#include "core/Paths.h"
#include "platform/Files.h"
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
    AdoptKeyframes(std::move(model));
    placement_.Rotation.y = -(placement_.Rotation.y + 90);
    FinishLoadStatus("MD2: Loaded Successfully");
}

void MD2::UnLoad() {
    if (!loaded_) return;
    loaded_ = false;
    ReleaseKeyframes();
    UnloadStatus("MD2: Unloaded");
}

}  // namespace korvath
