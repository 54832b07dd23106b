#include "EncodedTone.h"

#include <cmath>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
}

#include "support/WavWriter.h"

namespace korvath::test {

namespace {

// Owns the encoder, the output file and the frame, closing all on every path.
struct Encoding {
    AVFormatContext* format = nullptr;
    AVCodecContext* codec = nullptr;
    AVFrame* frame = nullptr;
    AVPacket* packet = nullptr;
    AVStream* stream = nullptr;
    ~Encoding() {
        av_packet_free(&packet);
        av_frame_free(&frame);
        avcodec_free_context(&codec);
        if (format) {
            if (format->pb) avio_closep(&format->pb);
            avformat_free_context(format);
        }
    }

    bool Drain() {
        while (avcodec_receive_packet(codec, packet) == 0) {
            av_packet_rescale_ts(packet, codec->time_base, stream->time_base);
            packet->stream_index = stream->index;
            if (av_interleaved_write_frame(format, packet) < 0) return false;
        }
        return true;
    }
};

bool Supports(const AVCodec* codec, AVSampleFormat wanted) {
    for (const AVSampleFormat* f = codec->sample_fmts; f && *f != AV_SAMPLE_FMT_NONE; ++f)
        if (*f == wanted) return true;
    return false;
}

}  // namespace

bool WriteEncodedTone(const std::string& path, const char* encoder, double hertz, double seconds,
                      double amplitude) {
    const AVCodec* codec = avcodec_find_encoder_by_name(encoder);
    if (!codec || !Supports(codec, AV_SAMPLE_FMT_FLTP)) return false;
    Encoding e;
    if (avformat_alloc_output_context2(&e.format, nullptr, nullptr, path.c_str()) < 0) return false;
    e.stream = avformat_new_stream(e.format, nullptr);
    e.codec = avcodec_alloc_context3(codec);
    if (!e.stream || !e.codec) return false;
    e.codec->sample_rate = kToneRate;
    av_channel_layout_default(&e.codec->ch_layout, 1);
    e.codec->sample_fmt = AV_SAMPLE_FMT_FLTP;
    e.codec->bit_rate = 128000;
    e.codec->time_base = {1, kToneRate};
    if (e.format->oformat->flags & AVFMT_GLOBALHEADER) e.codec->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
    if (avcodec_open2(e.codec, codec, nullptr) < 0) return false;
    if (avcodec_parameters_from_context(e.stream->codecpar, e.codec) < 0) return false;
    e.stream->time_base = e.codec->time_base;
    if (avio_open(&e.format->pb, path.c_str(), AVIO_FLAG_WRITE) < 0) return false;
    if (avformat_write_header(e.format, nullptr) < 0) return false;

    e.frame = av_frame_alloc();
    e.packet = av_packet_alloc();
    if (!e.frame || !e.packet) return false;
    e.frame->nb_samples = e.codec->frame_size > 0 ? e.codec->frame_size : 1152;
    e.frame->format = AV_SAMPLE_FMT_FLTP;
    e.frame->sample_rate = kToneRate;
    av_channel_layout_copy(&e.frame->ch_layout, &e.codec->ch_layout);
    if (av_frame_get_buffer(e.frame, 0) < 0) return false;

    const int64_t total = static_cast<int64_t>(seconds * kToneRate);
    for (int64_t start = 0; start < total; start += e.frame->nb_samples) {
        if (av_frame_make_writable(e.frame) < 0) return false;
        auto* samples = reinterpret_cast<float*>(e.frame->data[0]);
        for (int i = 0; i < e.frame->nb_samples; ++i)
            samples[i] = static_cast<float>(amplitude * std::sin(2 * M_PI * hertz * double(start + i) / kToneRate));
        e.frame->pts = start;
        if (avcodec_send_frame(e.codec, e.frame) < 0 || !e.Drain()) return false;
    }
    if (avcodec_send_frame(e.codec, nullptr) < 0 || !e.Drain()) return false;
    return av_write_trailer(e.format) == 0;
}

}  // namespace korvath::test
