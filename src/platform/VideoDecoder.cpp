#include "platform/VideoDecoder.h"

#include <algorithm>
#include <cstring>

#include "platform/Files.h"
#include "platform/Pictures.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libswscale/swscale.h>
}

namespace korvath::platform {

// FFmpeg reads through callbacks from the file itself, or from bytes held in
// memory (an archived file, or what a test or fuzzer made), the same way.
struct VideoStream {
    std::unique_ptr<StreamedFile> streamed;
    std::vector<uint8_t> file;  // the bytes, when not streamed
    uint64_t size = 0;
    uint64_t position = 0;
    AVIOContext* io = nullptr;
    AVFormatContext* format = nullptr;
    AVCodecContext* codec = nullptr;
    SwsContext* scaler = nullptr;
    AVPacket* packet = nullptr;
    AVFrame* frame = nullptr;
    int streamIndex = -1;
    int32_t width = 0, height = 0, frameCount = 0;
    double durationMs = 0;
    std::vector<uint8_t> scaled;  // the scaler's own rows, top row first
    int32_t decoded = -1;  // index of the frame held in `frame`, -1 for none
    bool draining = false;

    ~VideoStream() {
        sws_freeContext(scaler);
        av_frame_free(&frame);
        av_packet_free(&packet);
        avcodec_free_context(&codec);
        avformat_close_input(&format);
        if (io) av_freep(&io->buffer);
        avio_context_free(&io);
    }
};

namespace {

constexpr int kIoBufferBytes = 4096;

// The codecs video textures are made with. Game videos use few codecs, while
// the AVI reader maps hundreds of tags to decoders rarely exercised on hostile
// input; a stream of any other codec is refused before a decoder sees it, both
// here and while the stream information is probed.
constexpr AVCodecID kVideoCodecs[] = {AV_CODEC_ID_RAWVIDEO, AV_CODEC_ID_MJPEG,    AV_CODEC_ID_MPEG4,
                                      AV_CODEC_ID_MSMPEG4V2, AV_CODEC_ID_MSMPEG4V3, AV_CODEC_ID_H264,
                                      AV_CODEC_ID_CINEPAK,   AV_CODEC_ID_MSVIDEO1,  AV_CODEC_ID_MSRLE};
constexpr const char* kVideoCodecNames = "rawvideo,mjpeg,mpeg4,msmpeg4v2,msmpeg4,h264,cinepak,msvideo1,msrle";

bool IsVideoCodec(AVCodecID id) { return std::find(std::begin(kVideoCodecs), std::end(kVideoCodecs), id) != std::end(kVideoCodecs); }

int ReadBytes(void* opaque, uint8_t* buffer, int size) {
    auto* s = static_cast<VideoStream*>(opaque);
    size_t count = static_cast<size_t>(std::min<uint64_t>(s->size - s->position, static_cast<uint64_t>(size)));
    if (s->streamed)
        count = s->streamed->Read(s->position, buffer, count);
    else if (count > 0)
        std::memcpy(buffer, s->file.data() + s->position, count);
    if (count == 0) return AVERROR_EOF;
    s->position += count;
    return static_cast<int>(count);
}

int64_t SeekBytes(void* opaque, int64_t offset, int whence) {
    auto* s = static_cast<VideoStream*>(opaque);
    const int64_t size = static_cast<int64_t>(s->size);
    if (whence & AVSEEK_SIZE) return size;
    int64_t base = 0;
    switch (whence & ~AVSEEK_FORCE) {
        case SEEK_SET: base = 0; break;
        case SEEK_CUR: base = static_cast<int64_t>(s->position); break;
        case SEEK_END: base = size; break;
        default: return AVERROR(EINVAL);
    }
    if (offset > size || offset < -size || base + offset < 0 || base + offset > size) return AVERROR(EINVAL);
    s->position = static_cast<uint64_t>(base + offset);
    return base + offset;
}

bool OpenStream(VideoStream& s) {
    av_log_set_level(AV_LOG_QUIET);
    auto* buffer = static_cast<uint8_t*>(av_malloc(kIoBufferBytes));
    if (!buffer) return false;
    s.io = avio_alloc_context(buffer, kIoBufferBytes, 0, &s, ReadBytes, nullptr, SeekBytes);
    if (!s.io) {
        av_free(buffer);
        return false;
    }
    s.format = avformat_alloc_context();
    if (!s.format) return false;
    s.format->pb = s.io;
    AVDictionary* options = nullptr;
    av_dict_set(&options, "codec_whitelist", kVideoCodecNames, 0);
    const int opened = avformat_open_input(&s.format, nullptr, av_find_input_format("avi"), &options);
    av_dict_free(&options);
    if (opened < 0) return false;
    if (avformat_find_stream_info(s.format, nullptr) < 0) return false;

    for (unsigned i = 0; i < s.format->nb_streams && s.streamIndex < 0; ++i)
        if (s.format->streams[i]->codecpar->codec_type == AVMEDIA_TYPE_VIDEO) s.streamIndex = static_cast<int>(i);
    if (s.streamIndex < 0) return false;
    const AVStream* stream = s.format->streams[s.streamIndex];
    s.width = stream->codecpar->width;
    s.height = stream->codecpar->height;
    if (!SizeFitsData(s.width, s.height, s.size)) return false;

    if (!IsVideoCodec(stream->codecpar->codec_id)) return false;
    const AVCodec* decoder = avcodec_find_decoder(stream->codecpar->codec_id);
    if (!decoder) return false;
    s.codec = avcodec_alloc_context3(decoder);
    if (!s.codec || avcodec_parameters_to_context(s.codec, stream->codecpar) < 0) return false;
    s.codec->thread_count = 1;
    if (avcodec_open2(s.codec, decoder, nullptr) < 0) return false;
    s.packet = av_packet_alloc();
    s.frame = av_frame_alloc();
    if (!s.packet || !s.frame) return false;

    // An AVI stream counts samples in its own time base, one per frame.
    s.frameCount = static_cast<int32_t>(std::clamp<int64_t>(stream->nb_frames, 0, INT32_MAX));
    if (stream->time_base.num > 0 && stream->time_base.den > 0)
        s.durationMs = s.frameCount * av_q2d(stream->time_base) * 1000.0;
    return s.frameCount > 0;
}

// Decodes the frame after the one held; false at the end of the stream.
bool DecodeNext(VideoStream& s) {
    for (;;) {
        const int received = avcodec_receive_frame(s.codec, s.frame);
        if (received == 0) {
            ++s.decoded;
            return true;
        }
        if (received != AVERROR(EAGAIN) || s.draining) return false;
        if (av_read_frame(s.format, s.packet) < 0) {
            s.draining = true;
            avcodec_send_packet(s.codec, nullptr);
            continue;
        }
        if (s.packet->stream_index == s.streamIndex) avcodec_send_packet(s.codec, s.packet);
        av_packet_unref(s.packet);
    }
}

bool Rewind(VideoStream& s) {
    if (av_seek_frame(s.format, s.streamIndex, 0, AVSEEK_FLAG_BACKWARD) < 0 &&
        av_seek_frame(s.format, s.streamIndex, 0, AVSEEK_FLAG_BYTE) < 0)
        return false;
    avcodec_flush_buffers(s.codec);
    s.decoded = -1;
    s.draining = false;
    return true;
}

// The scaler writes whole blocks of pixels, past the end of a row whose width
// is not a multiple of the block (an 18-pixel UYVY frame overruns by 16 bytes):
// it draws into rows of its own with room to spare, and only the pixels are
// copied out.
constexpr int kScalerSlackBytes = 128;

// The held frame, scaled to the stream's size, written bottom row first.
bool ConvertFrame(VideoStream& s, uint8_t* pixels) {
    const AVFrame* f = s.frame;
    // A failed decode leaves the frame empty (no size, no format), which the
    // scaler would abort on rather than refuse.
    if (f->width <= 0 || f->height <= 0 || f->format < 0 ||
        !sws_isSupportedInput(static_cast<AVPixelFormat>(f->format)))
        return false;
    s.scaler = sws_getCachedContext(s.scaler, f->width, f->height, static_cast<AVPixelFormat>(f->format),
                                    s.width, s.height, AV_PIX_FMT_BGR24, SWS_BILINEAR, nullptr, nullptr, nullptr);
    if (!s.scaler) return false;
    const size_t pixelBytes = static_cast<size_t>(s.width) * 3;
    const size_t scaledStride = (pixelBytes + kScalerSlackBytes + 63) / 64 * 64;
    s.scaled.resize(scaledStride * static_cast<size_t>(s.height) + kScalerSlackBytes);
    uint8_t* rows[4] = {s.scaled.data(), nullptr, nullptr, nullptr};
    const int strides[4] = {static_cast<int>(scaledStride), 0, 0, 0};
    if (sws_scale(s.scaler, f->data, f->linesize, 0, f->height, rows, strides) <= 0) return false;
    const size_t rowBytes = BgrRowBytes(s.width);
    for (int32_t y = 0; y < s.height; ++y)
        std::memcpy(pixels + static_cast<size_t>(s.height - 1 - y) * rowBytes, &s.scaled[y * scaledStride], pixelBytes);
    return true;
}

}  // namespace

VideoDecoder::VideoDecoder(std::vector<uint8_t> file) : stream_(std::make_unique<VideoStream>()) {
    stream_->file = std::move(file);
    stream_->size = stream_->file.size();
    if (!OpenStream(*stream_)) stream_.reset();
}

VideoDecoder::VideoDecoder(const std::string& path) : stream_(std::make_unique<VideoStream>()) {
    stream_->streamed = StreamedFile::Open(path);
    if (stream_->streamed)
        stream_->size = stream_->streamed->Size();
    else if (ReadWholeFile(path, stream_->file))
        stream_->size = stream_->file.size();
    if (!OpenStream(*stream_)) stream_.reset();
}

VideoDecoder::~VideoDecoder() = default;

bool VideoDecoder::Opened() const { return stream_ != nullptr; }
int32_t VideoDecoder::Width() const { return stream_ ? stream_->width : 0; }
int32_t VideoDecoder::Height() const { return stream_ ? stream_->height : 0; }
int32_t VideoDecoder::FrameCount() const { return stream_ ? stream_->frameCount : 0; }
double VideoDecoder::DurationMilliseconds() const { return stream_ ? stream_->durationMs : 0; }
size_t VideoDecoder::FrameBytes() const { return stream_ ? BgrRowBytes(stream_->width) * stream_->height : 0; }

bool VideoDecoder::ReadFrame(int32_t index, uint8_t* pixels) {
    if (!stream_ || index < 0 || index >= stream_->frameCount) return false;
    VideoStream& s = *stream_;
    if (index < s.decoded && !Rewind(s)) return false;
    while (s.decoded < index)
        if (!DecodeNext(s)) return false;
    return ConvertFrame(s, pixels);
}

}  // namespace korvath::platform
