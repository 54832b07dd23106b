#include <exception>

#include "core/Capabilities.h"
#include "core/ConsoleState.h"
#include "core/ExtTable.h"
#include "core/LoadingScreen.h"
#include "core/Paths.h"
#include "materials/MaterialRelease.h"
#include "materials/Materials.h"
#include "materials/Texture.h"
#include "platform/Files.h"
#include "platform/GL.h"
#include "world/BspChecks.h"
#include "world/BrushModels.h"
#include "world/BspEntities.h"
#include "world/LevelFog.h"
#include "world/BspFile.h"
#include "world/BspLightmaps.h"
#include "world/BspPatches.h"
#include "world/BspTables.h"
#include "world/LevelBatch.h"
#include "world/LevelLoad.h"
#include "world/LevelPlan.h"

namespace korvath {

namespace {

constexpr size_t kLightVolumeBytes = 8;

void Failed() {
    ShowLoadStatus("BSP: Loading Failed...", true, 0, true);
    BspStatus("");
}

// A texture no script defines becomes a material with one stage holding the
// image of the same name.
void ResolveMaterials(Level& level) {
    const size_t count = level.Textures.size();
    level.Materials.resize(count);
    for (size_t i = 0; i < count; ++i) {
        SHADER found = FindMaterial("scripts/", level.Textures[i].Name);
        // Without any script file the record comes back without even the name.
        const std::string name = found.Name.empty() ? level.Textures[i].Name : found.Name;
        if (found.Found) {
            level.Materials[i] = found;
        } else {
            level.Materials[i].Stages.resize(1);
            level.Materials[i].Stages[0].Textures[0] = LoadTextureAnyExtension(name);
        }
        if (ConsoleData().Visible)
            ShowLoadStatus("BSP: Loading " + name, true, static_cast<float>(i) / static_cast<float>(count), false);
    }
}

// A lump that the engine keeps but does not use is read only when it holds a
// record; even an empty one must lie inside the file.
bool ReadKept(const BspFile& file, int lump, size_t recordBytes, std::vector<uint8_t>& table) {
    if (!file.Readable(lump)) return false;
    return file.Length(lump) < static_cast<int32_t>(recordBytes) || file.Read(lump, table, recordBytes);
}

// The lumps in file order, each announced by its status line; false at the
// first lump that cannot be read or does not fit the tables before it.
bool ReadLevel(const BspFile& file, Level& level) {
    BspStatus("BSP: Loading Entities...");
    if (!file.Readable(kLumpEntities)) return false;
    level.Entities = ParseEntities(std::string(reinterpret_cast<const char*>(file.Data(kLumpEntities)),
                                               static_cast<size_t>(file.Length(kLumpEntities))));
    BspStatus("BSP: Loading Textures / Shaders...");
    if (!ReadTextures(file, level)) return false;
    ResolveMaterials(level);
    BspStatus("BSP: Loading Planes...");
    if (!ReadPlanes(file, level)) return false;
    BspStatus("BSP: Loading Nodes...");
    if (!file.Read(kLumpNodes, level.Nodes)) return false;
    BspStatus("BSP: Loading Leafs...");
    if (!ReadLeafs(file, level)) return false;
    BspStatus("BSP: Loading Leaf Faces...");
    if (!file.Read(kLumpLeafFaces, level.LeafFaces)) return false;
    BspStatus("BSP: Loading Leaf Brushes...");
    if (!file.Read(kLumpLeafBrushes, level.LeafBrushes)) return false;
    BspStatus("BSP: Loading Models...");
    if (!file.Read(kLumpModels, level.Models)) return false;
    BspStatus("BSP: Loading Brushes...");
    if (!file.Read(kLumpBrushes, level.Brushes)) return false;
    BspStatus("BSP: Loading Brush Sides...");
    if (!file.Read(kLumpBrushSides, level.BrushSides)) return false;
    BspStatus("BSP: Loading Vertices...");
    if (!ReadVertices(file, level)) return false;
    // Vertex colours are baked light of the lightmaps' scale: brightened alike,
    // vertex-lit decals and meshes match the lightmapped walls around them.
    if (!level.Vertices.empty())
        BrightenColours(level.Vertices[0].Color, level.Vertices.size(), sizeof(BspVertex), LightBrightness());
    BspStatus("BSP: Loading Mesh Vertices...");
    if (!file.Read(kLumpMeshVertices, level.MeshVertices)) return false;
    BspStatus("BSP: Loading Effects...");
    if (!ReadKept(file, kLumpEffects, kEffectBytes, level.Effects)) return false;
    BspStatus("BSP: Loading Faces...");
    if (!file.Read(kLumpFaces, level.Faces) || !file.Readable(kLumpLightmaps)) return false;
    if (!CheckFaces(level, static_cast<size_t>(file.Length(kLumpLightmaps)) / kLightmapBytes)) return false;
    level.Drawn.assign(level.Faces.size(), 0);
    level.FlareFades.assign(level.Faces.size(), {});
    level.FirstList.resize(level.Faces.size());
    level.SecondList.resize(level.Faces.size());
    level.DepthList.resize(level.Faces.size());
    BspStatus("BSP: Loading Bezier Patches...");
    BuildPatches(level);
    BspStatus("BSP: Loading Lightmaps...");
    level.Lightmaps = UploadLightmaps(file.Data(kLumpLightmaps), static_cast<size_t>(file.Length(kLumpLightmaps)));
    BspStatus("BSP: Loading Light Volumes...");
    if (!ReadKept(file, kLumpLightVolumes, kLightVolumeBytes, level.LightVolumes)) return false;
    level.Grid = MakeLightGrid(level, std::string_view(reinterpret_cast<const char*>(file.Data(kLumpEntities)),
                                                       static_cast<size_t>(file.Length(kLumpEntities))));
    BspStatus("BSP: Loading PVS (Potential Visibility Sets)...");
    if (!ReadPvs(file, level) || !CheckReferences(level)) return false;
    KeepBrushModels(level);
    BuildFogVolumes(level);
    BspStatus("BSP: Loading Volumes...");
    return true;
}

}  // namespace

std::unique_ptr<Level> LoadLevel(const std::string& filename) {
    BspStatus("BSP: Loading " + FileNameOf(filename));
    std::vector<uint8_t> bytes;
    platform::ReadWholeFile(ResolvePath(filename), bytes);
    BspFile file(std::move(bytes));
    if (!file.HeaderValid()) {
        ShowLoadStatus("BSP: Invalid BSP File!", true, 0, true);
        Failed();
        return nullptr;
    }
    auto level = std::make_unique<Level>();
    bool read = false;
    try {
        read = file.ReadDirectory() && ReadLevel(file, *level);
    } catch (const std::exception&) {
        read = false;  // an allocation the file asked for could not be made
    }
    if (!read) {
        ReleaseLevelResources(*level);
        Failed();
        return nullptr;
    }
    BuildBatchTables(*level);
    level->TextureCombine = Caps().TextureCombine;
    PlanMaterials(*level);
    BspStatus("BSP: Loaded Successfully");
    BspStatus("");
    return level;
}

void BspStatus(const std::string& text) { ShowLoadStatus(text, true, 0, false); }

void ReleaseLevelResources(Level& level) {
    ReleaseBatchTables(level);
    for (SHADER& material : level.Materials) FreeMaterial(material);
    for (uint32_t lightmap : level.Lightmaps) ReleaseTexture(static_cast<int32_t>(lightmap));
    level.Materials.clear();
    level.Lightmaps.clear();
}

}  // namespace korvath
