#include "korvath/Shaders.h"

#include "core/Paths.h"
#include "materials/Materials.h"
#include "materials/Texture.h"

namespace korvath {

SHADER PictureMaterial(const std::string& path) {
    SHADER picture;
    picture.Stages.resize(1);
    picture.Stages[0].Textures[0] = LoadTexture(path);
    return picture;
}

SHADER Shaders::Load(const std::string& Filename, const std::string& Name) {
    const std::string path = ResolvePath(Filename);
    shader_ = ParseMaterial(path, Name);
    if (shader_.Found) return shader_;
    return PictureMaterial(path);
}

void Shaders::UnLoad(SHADER& Shader) { FreeMaterial(Shader); }

}  // namespace korvath
