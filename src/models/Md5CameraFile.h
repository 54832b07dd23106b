#pragma once
// The md5camera reader: a frame rate, the cut frames and per frame a camera
// position, orientation and field of view.
#include <cstdint>
#include <string_view>
#include <vector>

#include "korvath/MD5.h"

namespace korvath {

struct Md5CameraFile {
    int32_t FrameRate = 0;
    std::vector<int32_t> Cuts;
    std::vector<MD5_CAMERA_FRAME> Frames;
};

enum class Md5CameraResult { Loaded, NotMd5, Malformed };

// Malformed when a number does not read or a count is not met by the lines
// of its block.
Md5CameraResult ReadMd5Camera(std::string_view text, Md5CameraFile& camera);

}  // namespace korvath
