#include "models/Md5CameraFile.h"

#include "models/Md5Text.h"

namespace korvath {

namespace {

class CameraReader {
public:
    explicit CameraReader(std::string_view text) : lines_(text) {}

    Md5CameraResult Read(Md5CameraFile& camera) {
        if (!lines_.Next() || !IsVersionLine(lines_.Tokens())) return Md5CameraResult::NotMd5;
        int32_t frames = 0, cuts = 0;
        bool read = true;
        while (read && lines_.Next()) {
            const Md5Tokens t = lines_.Tokens();
            if (IsKeyword(t, 0, "numFrames")) read = Count(frames);
            else if (IsKeyword(t, 0, "frameRate")) read = t.size() >= 2 && ParseWholeNumber(t[1].Text, camera.FrameRate);
            else if (IsKeyword(t, 0, "numCuts")) read = Count(cuts);
            else if (OpensBlock(t, "cuts")) read = ReadEntries(lines_, cuts, camera.Cuts, &CameraReader::Cut);
            else if (OpensBlock(t, "camera")) read = ReadEntries(lines_, frames, camera.Frames, &CameraReader::Frame);
        }
        const bool met = camera.Cuts.size() == static_cast<size_t>(cuts) &&
                         camera.Frames.size() == static_cast<size_t>(frames);
        return read && met ? Md5CameraResult::Loaded : Md5CameraResult::Malformed;
    }

private:
    bool Count(int32_t& count) const {
        const Md5Tokens t = lines_.Tokens();
        return t.size() >= 2 && ParseWholeNumber(t[1].Text, count) && count >= 0 &&
               static_cast<size_t>(count) <= lines_.Size();
    }

    static bool Cut(Md5Tokens t, int32_t& cut) { return ParseWholeNumber(t[0].Text, cut); }
    static bool Frame(Md5Tokens t, MD5_CAMERA_FRAME& frame) {
        double v[7];
        if (!NumbersFrom(t, 0, v, 7)) return false;
        frame.Position = {RoundedCoordinate(v[0]), RoundedCoordinate(v[1]), RoundedCoordinate(v[2])};
        frame.Orientation = {RoundedCoordinate(v[3]), RoundedCoordinate(v[4]), RoundedCoordinate(v[5]), 0};
        frame.FieldOfView = RoundedCoordinate(v[6]);
        return true;
    }

    Md5Lines lines_;
};

}  // namespace

Md5CameraResult ReadMd5Camera(std::string_view text, Md5CameraFile& camera) {
    camera = {};
    return CameraReader(text).Read(camera);
}

}  // namespace korvath
