#pragma once
// A Quake model (MDL): one mesh with palette-indexed skins, whose frames are
// grouped into named animations by their names and drawn interpolated between
// the current frame and the next. The skins become a texture only once the
// host supplies the 256-colour palette with SetPalette.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "korvath/KeyframeModel.h"

namespace korvath {

struct MdlSkins;

class MDL : public KeyframeModel {
public:
    MDL();
    ~MDL();  // unloads a loaded model

    // Reads Filename (relative names resolve against the engine path) over any
    // model already loaded; the outcome is reported in the log. A file that
    // cannot be read whole leaves the object as it was.
    void Load(const std::string& Filename);
    // Reads the palette (the first 768 bytes: red, green, blue of 256 colours)
    // and makes the loaded model's last skin the texture of its material. A
    // missing or short file keeps the palette held before.
    void SetPalette(const std::string& Filename);
    void UnLoad();

private:
    std::unique_ptr<MdlSkins> skins_;
    std::vector<uint8_t> palette_;
    int32_t skinTexture_ = 0;  // the texture the last SetPalette made
};

}  // namespace korvath
