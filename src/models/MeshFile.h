#pragma once
// The "Mesh Version 1.0" text layout: its reader and its writer. Keywords mark
// the lines that carry data, whose numbers sit at fixed character positions.
#include <string>
#include <vector>

#include "models/MeshData.h"

namespace korvath {

enum class MeshResult { Loaded, WrongHeader, Failed };

struct MeshFile {
    MeshData Mesh;
    bool HasVertices = false;
};

// Reads the text into a mesh of its own. A count that runs past the end of the
// file, a triangle or vertex line short of numbers and a number that does not
// convert fail the read. Reports the progress of the parts (not logged).
MeshResult ReadMeshText(const std::string& text, MeshFile& file);

// The text of a mesh in the layout ReadMeshText reads.
std::string WriteMeshText(const MeshData& mesh);

}  // namespace korvath
