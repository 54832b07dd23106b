#pragma once
// The Quake model file (MDL) and its reader: bytes in memory into a keyframe
// mesh, its animations and its palette-indexed skins. Every count and size is
// checked against the file before anything is sized by it.
#include <cstdint>
#include <vector>

#include "korvath/KeyframeModel.h"
#include "models/KeyframeMesh.h"

namespace korvath {

enum class MdlResult { Loaded, WrongIdentification, Failed };

// One picture of palette indexes per skin, Width × Height bytes, rows top
// first; a skin group is stood for by its first picture.
struct MdlSkins {
    int32_t Width = 0, Height = 0;
    std::vector<std::vector<uint8_t>> Pictures;
};

struct MdlModel : KeyframeFile {
    MdlSkins Skins;
};

// Reads the model, reporting each step ("MDL: Loading ..."). Frame groups are
// read as their frames in order; the file's axes are kept.
MdlResult ReadMdl(const std::vector<uint8_t>& bytes, MdlModel& model);

}  // namespace korvath
