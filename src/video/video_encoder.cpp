#include "video/video_encoder.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/dict.h>
#include <libavutil/error.h>
#include <libavutil/frame.h>
#include <libavutil/log.h>
#include <libavutil/opt.h>
#include <libswscale/swscale.h>
}

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <random>
#include <system_error>

namespace korvane {

namespace {

std::string avText(int error) {
    char text[AV_ERROR_MAX_STRING_SIZE] = {};
    av_strerror(error, text, sizeof text);
    return text;
}

struct EncoderChoice {
    const char* preferred;
    AVCodecID id;
    const char* label;
    const char* quality;  // constant quality, the encoder's own scale
};

EncoderChoice choiceOf(VideoCodec codec) {
    // Quality factors at which a map with thin lines and small text keeps
    // its edges; the presets trade size for speed, so a film is made faster
    // than it plays.
    if (codec == VideoCodec::H265) return {"libx265", AV_CODEC_ID_HEVC, "H.265", "26"};
    return {"libx264", AV_CODEC_ID_H264, "H.264", "21"};
}

const AVCodec* findEncoder(VideoCodec codec) {
    // The encoders' statistics would bury the progress line; errors stay.
    av_log_set_level(AV_LOG_ERROR);
    const EncoderChoice c = choiceOf(codec);
    if (const AVCodec* named = avcodec_find_encoder_by_name(c.preferred)) return named;
    // Another encoder of the same kind, when this libavcodec was built
    // without the usual one.
    return avcodec_find_encoder(c.id);
}

// Beside the target, so the rename stays on one file system; named as the
// atomic writes of the program name theirs.
std::filesystem::path tempPathBeside(const std::filesystem::path& path) {
    std::random_device random;
    const unsigned long long r = (static_cast<unsigned long long>(random()) << 32) ^
                                 static_cast<unsigned long long>(random());
    char hex[17];
    std::snprintf(hex, sizeof hex, "%016llx", r);
    return path.parent_path() / ("." + path.filename().string() + "." + hex + ".tmp");
}

}  // namespace

std::string videoEncoderName(VideoCodec codec) {
    const AVCodec* c = findEncoder(codec);
    return c ? c->name : "";
}

// ---- YuvFrame, ColourConverter ----

YuvFrame::YuvFrame() = default;
YuvFrame::YuvFrame(YuvFrame&& other) noexcept : frame_(other.frame_) {
    other.frame_ = nullptr;
}
YuvFrame& YuvFrame::operator=(YuvFrame&& other) noexcept {
    if (this != &other) {
        av_frame_free(&frame_);
        frame_ = other.frame_;
        other.frame_ = nullptr;
    }
    return *this;
}
YuvFrame::~YuvFrame() {
    av_frame_free(&frame_);
}

ColourConverter::ColourConverter(int width, int height) : width_(width), height_(height) {
    // QImage's RGB32 is 0xffRRGGBB in the machine's order: B, G, R, A in memory.
    sws_ = sws_getContext(width, height, AV_PIX_FMT_BGRA, width, height, AV_PIX_FMT_YUV420P,
                          SWS_BILINEAR, nullptr, nullptr, nullptr);
    if (!sws_) throw VideoError("cannot convert pictures of this size to video colours");
    const int* bt709 = sws_getCoefficients(SWS_CS_ITU709);
    // Full-range pictures into the limited range players expect.
    sws_setColorspaceDetails(sws_, bt709, 1, bt709, 0, 0, 1 << 16, 1 << 16);
}

ColourConverter::~ColourConverter() {
    sws_freeContext(sws_);
}

YuvFrame ColourConverter::convert(const QImage& picture) {
    if (picture.width() != width_ || picture.height() != height_ ||
        picture.format() != QImage::Format_RGB32)
        throw VideoError("a frame of the wrong size or format");
    YuvFrame out;
    out.frame_ = av_frame_alloc();
    if (!out.frame_) throw std::bad_alloc();
    out.frame_->format = AV_PIX_FMT_YUV420P;
    out.frame_->width = width_;
    out.frame_->height = height_;
    if (av_frame_get_buffer(out.frame_, 0) < 0) throw std::bad_alloc();
    const uint8_t* src[1] = {picture.constBits()};
    const int srcStride[1] = {static_cast<int>(picture.bytesPerLine())};
    sws_scale(sws_, src, srcStride, 0, height_, out.frame_->data, out.frame_->linesize);
    return out;
}

// ---- VideoEncoder ----

struct VideoEncoder::Av {
    AVFormatContext* format = nullptr;
    AVCodecContext* codec = nullptr;
    AVStream* stream = nullptr;
    AVPacket* packet = nullptr;

    ~Av() {
        av_packet_free(&packet);
        avcodec_free_context(&codec);
        if (format) {
            if (format->pb) avio_closep(&format->pb);
            avformat_free_context(format);
        }
    }
};

VideoEncoder::VideoEncoder(const std::filesystem::path& path, const FilmPlan& plan)
    : path_(path), av_(std::make_unique<Av>()) {
    if (const std::string problem = plan.problem(); !problem.empty()) throw VideoError(problem);
    const AVCodec* encoder = findEncoder(plan.codec);
    const EncoderChoice choice = choiceOf(plan.codec);
    if (!encoder)
        throw VideoError(std::string("this libavcodec has no ") + choice.label + " encoder (" +
                         choice.preferred + " is the usual one)");
    encoderName_ = encoder->name;
    std::error_code ec;
    const std::filesystem::path folder =
        path.parent_path().empty() ? std::filesystem::path(".") : path.parent_path();
    if (!std::filesystem::is_directory(folder, ec))
        throw VideoError("cannot write " + path.string() + ": the folder does not exist");
    if (std::filesystem::is_directory(path, ec))
        throw VideoError("cannot write " + path.string() + ": it is a folder");
    temp_.path =
        tempPathBeside(path.parent_path().empty() ? std::filesystem::path(".") / path : path);

    Av& av = *av_;
    if (avformat_alloc_output_context2(&av.format, nullptr, "mp4", temp_.path.c_str()) < 0 ||
        !av.format)
        throw VideoError("libavformat cannot write MP4");
    av.codec = avcodec_alloc_context3(encoder);
    av.packet = av_packet_alloc();
    if (!av.codec || !av.packet) throw std::bad_alloc();
    AVCodecContext* c = av.codec;
    c->width = plan.width;
    c->height = plan.height;
    c->pix_fmt = AV_PIX_FMT_YUV420P;
    c->time_base = AVRational{1, plan.fps};
    c->framerate = AVRational{plan.fps, 1};
    // A key frame every two seconds keeps scrubbing in a player quick.
    c->gop_size = 2 * plan.fps;
    c->color_primaries = AVCOL_PRI_BT709;
    c->color_trc = AVCOL_TRC_BT709;
    c->colorspace = AVCOL_SPC_BT709;
    c->color_range = AVCOL_RANGE_MPEG;
    if (av.format->oformat->flags & AVFMT_GLOBALHEADER) c->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
    // Options an encoder does not know are left out, not fatal: a stand-in
    // encoder still makes a film.
    av_opt_set(c->priv_data, "crf", choice.quality, 0);
    av_opt_set(c->priv_data, "preset", "superfast", 0);
    if (plan.codec == VideoCodec::H265)
        av_opt_set(c->priv_data, "x265-params", "log-level=error", 0);
    if (const int e = avcodec_open2(c, encoder, nullptr); e < 0)
        fail(std::string("cannot start the ") + encoder->name + " encoder", e);

    av.stream = avformat_new_stream(av.format, nullptr);
    if (!av.stream) throw std::bad_alloc();
    av.stream->time_base = c->time_base;
    av.stream->avg_frame_rate = c->framerate;
    if (const int e = avcodec_parameters_from_context(av.stream->codecpar, c); e < 0)
        fail("cannot describe the video stream", e);
    // Players on Apple systems take H.265 in MP4 only under this tag.
    if (plan.codec == VideoCodec::H265) av.stream->codecpar->codec_tag = MKTAG('h', 'v', 'c', '1');

    if (const int e = avio_open(&av.format->pb, temp_.path.c_str(), AVIO_FLAG_WRITE); e < 0)
        fail("cannot write " + path.string(), e);
    AVDictionary* options = nullptr;
    av_dict_set(&options, "movflags", "+faststart", 0);
    const int e = avformat_write_header(av.format, &options);
    av_dict_free(&options);
    if (e < 0) fail("cannot write " + path.string(), e);
}

VideoEncoder::TempFile::~TempFile() {
    if (renamed || path.empty()) return;
    std::error_code ec;
    std::filesystem::remove(path, ec);
}

VideoEncoder::~VideoEncoder() = default;

void VideoEncoder::fail(const std::string& what, int error) {
    throw VideoError(what + ": " + avText(error));
}

void VideoEncoder::add(const YuvFrame& frame) {
    AVFrame* f = frame.get();
    if (!f || f->width != av_->codec->width || f->height != av_->codec->height)
        throw VideoError("a frame of the wrong size");
    f->pts = nextPts_++;
    if (const int e = avcodec_send_frame(av_->codec, f); e < 0) fail("cannot encode a frame", e);
    drain();
}

void VideoEncoder::drain() {
    Av& av = *av_;
    for (;;) {
        const int r = avcodec_receive_packet(av.codec, av.packet);
        if (r == AVERROR(EAGAIN) || r == AVERROR_EOF) return;
        if (r < 0) fail("cannot encode a frame", r);
        av_packet_rescale_ts(av.packet, av.codec->time_base, av.stream->time_base);
        av.packet->stream_index = av.stream->index;
        const int w = av_interleaved_write_frame(av.format, av.packet);
        if (w < 0) fail("cannot write " + path_.string(), w);
        // A full disk shows in the byte writer before the muxer sees it.
        if (av.format->pb->error < 0) fail("cannot write " + path_.string(), av.format->pb->error);
    }
}

void VideoEncoder::finish() {
    Av& av = *av_;
    if (const int e = avcodec_send_frame(av.codec, nullptr); e < 0 && e != AVERROR_EOF)
        fail("cannot encode a frame", e);
    drain();
    if (const int e = av_write_trailer(av.format); e < 0) fail("cannot write " + path_.string(), e);
    if (av.format->pb->error < 0) fail("cannot write " + path_.string(), av.format->pb->error);
    if (const int e = avio_closep(&av.format->pb); e < 0) fail("cannot write " + path_.string(), e);
    // On the disk before it takes the name, as every file the program saves.
    const int fd = ::open(temp_.path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0 || ::fsync(fd) != 0) {
        const int error = errno;
        if (fd >= 0) ::close(fd);
        throw VideoError("cannot write " + path_.string() + ": " + std::strerror(error));
    }
    ::close(fd);
    std::error_code ec;
    std::filesystem::rename(temp_.path, path_, ec);
    if (ec) throw VideoError("cannot write " + path_.string() + ": " + ec.message());
    temp_.renamed = true;
}

}  // namespace korvane
