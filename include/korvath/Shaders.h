#pragma once
#include <string>

#include "korvath/Material.h"

namespace korvath {

// Materials for the host: a named material from a script file, or a one-stage
// material made from a plain picture.
class Shaders {
public:
    // The material Name of the script Filename; when the script does not hold it,
    // Filename is loaded as a picture into stage 0 (Found stays false). The record
    // parsed last stays with the object and is not released by its destruction.
    SHADER Load(const std::string& Filename, const std::string& Name = "");
    // Releases the textures, video streams and program of Shader.
    void UnLoad(SHADER& Shader);

private:
    SHADER shader_;
};

}  // namespace korvath
