#include "korvath/Shaders.h"

#include "core/Paths.h"
#include "materials/Materials.h"
#include "materials/Texture.h"

namespace korvath {

SHADER Shaders::Load(const std::string& Filename, const std::string& Name) {
    SHADER picture;
    picture.Stages.resize(1);
    const std::string path = ResolvePath(Filename);
    shader_ = ParseMaterial(path, Name);
    if (shader_.Found) return shader_;
    picture.Stages[0].Textures[0] = LoadTexture(path);
    return picture;
}

void Shaders::UnLoad(SHADER& Shader) { FreeMaterial(Shader); }

}  // namespace korvath
