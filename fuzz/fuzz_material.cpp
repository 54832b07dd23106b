// The material script parser on arbitrary bytes: the first field names the
// material looked up, the whole input is the script. Every stage found is then
// applied and reset once, so the draw-time arithmetic (animation frames, wave
// table indexes) sees the parsed values. No GL context is current, so GL calls
// do nothing, and the engine path is an empty directory, so no texture loads.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "core/FrameTiming.h"
#include "core/Paths.h"
#include "materials/Materials.h"
#include "materials/ScriptText.h"
#include "FuzzFiles.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    korvath::EnginePath() = fuzzsupport::ScratchDirectory("material");
    korvath::Timing().FrameTime = 0.5f;
    korvath::Timing().SceneTime = 3.0f;
    const std::string path = korvath::EnginePath() + "fuzz.shader";
    fuzzsupport::WriteInput(path, data, size);

    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const std::string name(korvath::ScriptText(text).NextField());
    korvath::SHADER material = korvath::ParseMaterial(path, name);
    for (korvath::SHADER_STAGE& stage : material.Stages) {
        korvath::ApplyStage(stage);
        korvath::ResetStage(stage);
    }
    korvath::FreeMaterial(material);
    return 0;
}
