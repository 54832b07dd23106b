// The camera tracks an MD5 object holds for its host.
#include "core/LoadingScreen.h"
#include "core/Paths.h"
#include "korvath/MD5.h"
#include "models/Md5Data.h"
#include "models/Md5Text.h"
#include "models/ModelStatus.h"
#include "platform/Files.h"

namespace korvath {

namespace {

constexpr size_t kCameraNameWidth = 64;

std::string FixedWidthName(const std::string& name) {
    std::string fixed = name.substr(0, kCameraNameWidth);
    fixed.resize(kCameraNameWidth, ' ');
    return fixed;
}

}  // namespace

void MD5::LoadCamera(const std::string& Filename) {
    const std::string path = ResolvePath(Filename);
    ShowLoadStatus("MD5: Loading Camera " + FileNameOf(path), false, 0, false);
    std::vector<uint8_t> bytes;
    Md5CameraFile file;
    const Md5CameraResult result =
        platform::ReadWholeFile(path, bytes) ? ReadMd5Camera(TextOf(bytes), file) : Md5CameraResult::Malformed;
    if (result == Md5CameraResult::NotMd5) ModelStatus(" * Not A Valid MD5 Camera !", 0, true);
    // A track that does not read is not added, so the count stays that of
    // the tracks there are.
    if (result != Md5CameraResult::Loaded) return FinishLoadStatus("MD5: Loading Camera Failed...");
    Md5CameraTrack track;
    track.Camera.Name = FixedWidthName(FileNameOf(path));
    track.Camera.FrameRate = file.FrameRate;
    track.Camera.NumFrames = static_cast<int32_t>(file.Frames.size());
    track.Camera.Frames = std::move(file.Frames);
    track.Cuts = std::move(file.Cuts);
    data_->Cameras.push_back(std::move(track));
    ShowLoadStatus("", false, 0, false);
}

int32_t MD5::Cameras() const { return static_cast<int32_t>(data_->Cameras.size()); }

MD5_CAMERA MD5::Camera(int32_t Index) const {
    const std::vector<Md5CameraTrack>& tracks = data_->Cameras;
    return Index >= 0 && static_cast<size_t>(Index) < tracks.size() ? tracks[static_cast<size_t>(Index)].Camera
                                                                     : MD5_CAMERA{};
}

}  // namespace korvath
