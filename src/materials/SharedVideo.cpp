#include "materials/SharedVideo.h"

#include <map>

#include "platform/Files.h"

namespace korvath {

namespace {

// Open decoders by file, with the stamp the file had when each was opened, so
// a file replaced on disk is opened afresh.
struct OpenVideo {
    platform::FileStamp Stamp;
    std::weak_ptr<SharedVideo> Video;
};

std::map<std::string, OpenVideo>& OpenVideos() {
    static std::map<std::string, OpenVideo> videos;
    return videos;
}

}  // namespace

SharedVideo::SharedVideo(const std::string& path)
    : path_(path), decoder_(path), pixels_(decoder_.FrameBytes(), 0) {}

std::shared_ptr<SharedVideo> SharedVideo::Open(const std::string& path) {
    std::map<std::string, OpenVideo>& videos = OpenVideos();
    std::erase_if(videos, [](const auto& entry) { return entry.second.Video.expired(); });
    platform::FileStamp stamp;
    const bool stamped = platform::StampOf(platform::FindFileIgnoringCase(path), stamp);
    const auto open = videos.find(path);
    if (stamped && open != videos.end() && open->second.Stamp == stamp)
        if (std::shared_ptr<SharedVideo> video = open->second.Video.lock()) return video;
    auto video = std::make_shared<SharedVideo>(path);
    if (stamped && video->decoder_.Opened()) videos.insert_or_assign(path, OpenVideo{stamp, video});
    return video;
}

const std::vector<uint8_t>& SharedVideo::Frame(std::shared_ptr<SharedVideo>& video, int32_t index) {
    if (index == video->heldFrame_) return video->pixels_;
    // Going back to the first frame is every holder's loop; any other step back
    // means this holder's clock runs behind the others'.
    if (index < video->heldFrame_ && index != 0 && video.use_count() > 1) video = std::make_shared<SharedVideo>(video->path_);
    SharedVideo& own = *video;
    // A frame that cannot be decoded leaves the pixels as they were, and is tried again.
    own.heldFrame_ = own.decoder_.ReadFrame(index, own.pixels_.data()) ? index : -1;
    return own.pixels_;
}

}  // namespace korvath
