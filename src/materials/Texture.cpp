#include "materials/Texture.h"

#include <algorithm>
#include <iterator>

#include "LibraryResources.h"
#include "core/Paths.h"
#include "materials/TgaReader.h"
#include "platform/Events.h"
#include "platform/Files.h"
#include "platform/GL.h"
#include "platform/Pictures.h"

namespace korvath {

namespace {

bool IsPictureExtension(const std::string& extension) {
    static const char* const kPictures[] = {"bmp", "cur", "dib", "emf", "gif", "ico", "jpg", "wmf"};
    return std::find(std::begin(kPictures), std::end(kPictures), extension) != std::end(kPictures);
}

// The decoder of a resolved path's extension; 0 for an extension no decoder reads.
int32_t LoadResolvedTexture(const std::string& path) {
    const std::string extension = ExtensionOf(path);
    if (extension == "avi") return OpenVideoTexture(path);
    if (extension == "tga") return LoadTgaTexture(path);
    if (IsPictureExtension(extension)) return LoadPictureTexture(path);
    return 0;
}

}  // namespace

// Existence is checked on the resolved name, the one that is then decoded.
int32_t LoadTexture(const std::string& path) {
    const std::string resolved = ResolvePath(path);
    return platform::FileExists(resolved) ? LoadResolvedTexture(resolved) : 0;
}

// The latest extension in the list with an existing file wins; only that file is
// decoded, so no texture is made just to be thrown away.
int32_t LoadTextureAnyExtension(const std::string& name) {
    static const char* const kExtensions[] = {".avi", ".bmp", ".cur", ".dib", ".emf",
                                              ".gif", ".ico", ".jpg", ".tga", ".wmf"};
    std::string latest;
    for (const char* extension : kExtensions) {
        const std::string candidate = ResolvePath(name + extension);
        if (platform::FileExists(candidate)) latest = candidate;
    }
    return latest.empty() ? 0 : LoadResolvedTexture(latest);
}

int32_t PictureTextureFromBytes(const std::vector<uint8_t>& bytes) {
    IMAGE image;
    platform::DecodePicture(bytes.data(), bytes.size(), image);
    return CreateTexture(GL_BGR_EXT, image);
}

int32_t LoadPictureTexture(const std::string& path) {
    std::vector<uint8_t> bytes;
    platform::ReadWholeFile(path, bytes);
    return PictureTextureFromBytes(bytes);
}

// The negative-Y file makes the positive-Y face and the positive-Y file the
// negative-Y face. Faces are pictures only; TGA faces are not read.
int32_t LoadCubeMap(const std::string& name) {
    static const char* const kFaceSuffixes[6] = {"_positive_x.", "_negative_x.", "_negative_y.",
                                                 "_positive_y.", "_positive_z.", "_negative_z."};
    const std::string base = BaseName(name);
    const std::string extension = ExtensionOf(name);
    IMAGE faces[6];
    for (int slot = 0; slot < 6; ++slot) {
        std::vector<uint8_t> bytes;
        platform::ReadWholeFile(ResolvePath(base + kFaceSuffixes[slot] + extension), bytes);
        platform::DecodePicture(bytes.data(), bytes.size(), faces[slot]);
    }
    return CreateCubeTexture(GL_BGR_EXT, faces);
}

// The resource is decoded from memory by the decoder its type names, with no
// file written in between.
int32_t LoadResourceTexture(const std::string& name, const std::string& type) {
    std::vector<uint8_t> bytes;
    int32_t texture = 0;
    if (LibraryResource(name, type, bytes)) {
        const std::string extension = ExtensionOf(name + type);
        if (extension == "tga") texture = TgaTextureFromBytes(bytes);
        else if (IsPictureExtension(extension)) texture = PictureTextureFromBytes(bytes);
    }
    platform::PumpMessages();
    return texture;
}

}  // namespace korvath
