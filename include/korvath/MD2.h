#pragma once
// A Quake 2 model (MD2): one mesh whose frames are grouped into named
// animations by their names, drawn interpolated between the current frame and
// the next. The host sets its material with SetShader after Load; the file's
// skin list is not read.
#include <string>

#include "korvath/KeyframeModel.h"

namespace korvath {

class MD2 : public KeyframeModel {
public:
    MD2();
    ~MD2();  // unloads a loaded model

    // Reads Filename (relative names resolve against the engine path) over any
    // model already loaded; the outcome is reported in the log. A file that
    // cannot be read whole leaves the object as it was.
    void Load(const std::string& Filename);
    void UnLoad();
};

}  // namespace korvath
