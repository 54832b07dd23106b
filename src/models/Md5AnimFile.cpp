#include "models/Md5AnimFile.h"

#include <limits>

#include "models/Md5Text.h"

namespace korvath {

namespace {

constexpr float kNoNumber = std::numeric_limits<float>::quiet_NaN();

bool IsFrameHeader(Md5Tokens t, int32_t& number) {
    return t.size() == 3 && !t[0].Quoted && t[0].Text == "frame" && ParseWholeNumber(t[1].Text, number) &&
           IsKeyword(t, 2, "{");
}

VECTOR3 Vector(const double* v) { return {RoundedCoordinate(v[0]), RoundedCoordinate(v[1]), RoundedCoordinate(v[2])}; }

class AnimReader {
public:
    explicit AnimReader(std::string_view text) : lines_(text) {}

    Md5AnimResult Read(Md5AnimFile& a) {
        if (!lines_.Next() || !IsVersionLine(lines_.Tokens())) return Md5AnimResult::NotMd5;
        while (again_ || lines_.Next()) {
            again_ = false;
            const Md5Tokens t = lines_.Tokens();
            int32_t number = 0;
            if (IsKeyword(t, 0, "numFrames")) {
                if (!Count(a.NumFrames)) continue;
                if (static_cast<size_t>(a.NumFrames) > lines_.Size()) return Md5AnimResult::Malformed;
                a.Frames.assign(static_cast<size_t>(a.NumFrames), {});
            } else if (IsKeyword(t, 0, "numJoints")) {
                Count(a.JointCount);
            } else if (IsKeyword(t, 0, "frameRate")) {
                Count(a.FrameRate);
            } else if (IsKeyword(t, 0, "numAnimatedComponents")) {
                Count(a.NumAnimatedComponents);
            } else if (OpensBlock(t, "hierarchy")) {
                ReadBlock(a.JointCount, a.Hierarchy, &AnimReader::Channels);
            } else if (OpensBlock(t, "bounds")) {
                ReadBlock(a.NumFrames, a.Bounds, &AnimReader::Bounds);
            } else if (OpensBlock(t, "baseframe")) {
                ReadBlock(a.JointCount, a.BaseFrame, &AnimReader::Base);
            } else if (IsFrameHeader(t, number)) {
                ReadFrame(a, number);
            }
        }
        return Md5AnimResult::Loaded;
    }

private:
    // A count that is no whole number is passed over; a negative one is 0.
    bool Count(int32_t& count) const {
        const Md5Tokens t = lines_.Tokens();
        int32_t value = 0;
        if (t.size() < 2 || !ParseWholeNumber(t[1].Text, value)) return false;
        count = value < 0 ? 0 : value;
        return true;
    }

    static void Channels(Md5Tokens t, Md5JointChannels& entry) {
        double v[3];
        if (t.size() < 2 || !NumbersFrom(t, 1, v, 3)) return;
        for (int i = 0; i < 3; ++i)
            if (v[i] < -2147483648.0 || v[i] > 2147483647.0) return;
        entry = {static_cast<int32_t>(v[0]), static_cast<int32_t>(v[1]), static_cast<int32_t>(v[2])};
    }
    static void Bounds(Md5Tokens t, Md5Bounds& entry) {
        double v[6];
        if (!NumbersFrom(t, 0, v, 6)) return;
        entry.Min = Vector(v);
        entry.Max = Vector(v + 3);
        entry.Centre = {(entry.Min.x + entry.Max.x) / 2, (entry.Min.y + entry.Max.y) / 2,
                        (entry.Min.z + entry.Max.z) / 2};
    }
    static void Base(Md5Tokens t, Md5BaseJoint& entry) {
        double v[6];
        if (!NumbersFrom(t, 0, v, 6)) return;
        entry.Position = Vector(v);
        const VECTOR3 q = Vector(v + 3);
        entry.Orientation = {q.x, q.y, q.z, 0};
    }

    // A line that does not read leaves its entry zero, so the later ones keep
    // their numbers; a block short of its count is not an error here.
    template <typename Entry>
    void ReadBlock(int32_t count, std::vector<Entry>& entries, void (*read)(Md5Tokens, Entry&)) {
        ReadEntries(lines_, count, entries, [read](Md5Tokens t, Entry& entry) {
            read(t, entry);
            return true;
        });
    }

    // Values over as many lines as it takes, up to the component count. A
    // line opening another block ends the frame and is read again.
    void ReadFrame(Md5AnimFile& a, int32_t number) {
        const bool kept = number >= 0 && number < a.NumFrames;
        Md5FrameSpan span{a.Values.size(), 0};
        while (lines_.Next()) {
            const Md5Tokens t = lines_.Tokens();
            if (IsKeyword(t, t.size() - 1, "{")) {
                again_ = true;
                break;
            }
            bool closed = false;
            for (const Md5Token& token : t) {
                if (!token.Quoted && token.Text == "}") {
                    closed = true;
                    break;
                }
                if (!kept || span.Count >= a.NumAnimatedComponents) continue;
                double value = 0;
                a.Values.push_back(ParseNumber(token.Text, value) ? RoundedCoordinate(value) : kNoNumber);
                ++span.Count;
            }
            if (closed) break;
        }
        if (kept) a.Frames[static_cast<size_t>(number)] = span;
    }

    Md5Lines lines_;
    bool again_ = false;
};

}  // namespace

Md5AnimResult ReadMd5Anim(std::string_view text, Md5AnimFile& animation) {
    animation = {};
    return AnimReader(text).Read(animation);
}

}  // namespace korvath
