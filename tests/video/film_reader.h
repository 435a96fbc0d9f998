// Reads a film back with libavformat and libavcodec, as a player would:
// what the container says, and its frames decoded to pictures.
#pragma once

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/pixdesc.h>
#include <libswscale/swscale.h>
}

#include <QImage>
#include <filesystem>
#include <string>
#include <vector>

namespace korvane::testing {

struct FilmFacts {
    std::string codec;  // "h264", "hevc"
    int width = 0;
    int height = 0;
    AVRational frameRate{0, 1};
    double durationSeconds = 0;
    std::string pixelFormat;
    std::vector<QImage> frames;  // decoded, as RGB32
};

inline FilmFacts readFilm(const std::filesystem::path& path) {
    FilmFacts facts;
    AVFormatContext* format = nullptr;
    if (avformat_open_input(&format, path.c_str(), nullptr, nullptr) < 0) return facts;
    avformat_find_stream_info(format, nullptr);
    const int index = av_find_best_stream(format, AVMEDIA_TYPE_VIDEO, -1, -1, nullptr, 0);
    if (index < 0) {
        avformat_close_input(&format);
        return facts;
    }
    AVStream* stream = format->streams[index];
    const AVCodecParameters* par = stream->codecpar;
    facts.codec = avcodec_get_name(par->codec_id);
    facts.width = par->width;
    facts.height = par->height;
    facts.frameRate = stream->avg_frame_rate;
    facts.durationSeconds = static_cast<double>(format->duration) / AV_TIME_BASE;
    if (const char* name = av_get_pix_fmt_name(static_cast<AVPixelFormat>(par->format)))
        facts.pixelFormat = name;

    const AVCodec* decoder = avcodec_find_decoder(par->codec_id);
    AVCodecContext* ctx = avcodec_alloc_context3(decoder);
    avcodec_parameters_to_context(ctx, par);
    avcodec_open2(ctx, decoder, nullptr);
    SwsContext* sws =
        sws_getContext(par->width, par->height, static_cast<AVPixelFormat>(par->format), par->width,
                       par->height, AV_PIX_FMT_BGRA, SWS_BILINEAR, nullptr, nullptr, nullptr);
    const int* bt709 = sws_getCoefficients(SWS_CS_ITU709);
    sws_setColorspaceDetails(sws, bt709, 0, bt709, 1, 0, 1 << 16, 1 << 16);
    AVPacket* packet = av_packet_alloc();
    AVFrame* frame = av_frame_alloc();
    const auto receive = [&] {
        while (avcodec_receive_frame(ctx, frame) == 0) {
            QImage picture(par->width, par->height, QImage::Format_RGB32);
            uint8_t* dst[1] = {picture.bits()};
            const int dstStride[1] = {static_cast<int>(picture.bytesPerLine())};
            sws_scale(sws, frame->data, frame->linesize, 0, par->height, dst, dstStride);
            facts.frames.push_back(std::move(picture));
        }
    };
    while (av_read_frame(format, packet) >= 0) {
        if (packet->stream_index == index) avcodec_send_packet(ctx, packet);
        av_packet_unref(packet);
        receive();
    }
    avcodec_send_packet(ctx, nullptr);
    receive();
    av_frame_free(&frame);
    av_packet_free(&packet);
    sws_freeContext(sws);
    avcodec_free_context(&ctx);
    avformat_close_input(&format);
    return facts;
}

// Mean absolute difference of two pictures of one size, over R, G and B.
inline double meanDifference(const QImage& a, const QImage& b) {
    const QImage x = a.convertToFormat(QImage::Format_RGB32);
    const QImage y = b.convertToFormat(QImage::Format_RGB32);
    if (x.size() != y.size()) return 255;
    double sum = 0;
    for (int row = 0; row < x.height(); ++row) {
        const auto* p = reinterpret_cast<const QRgb*>(x.constScanLine(row));
        const auto* q = reinterpret_cast<const QRgb*>(y.constScanLine(row));
        for (int col = 0; col < x.width(); ++col)
            sum += std::abs(qRed(p[col]) - qRed(q[col])) +
                   std::abs(qGreen(p[col]) - qGreen(q[col])) +
                   std::abs(qBlue(p[col]) - qBlue(q[col]));
    }
    return sum / (3.0 * x.width() * x.height());
}

}  // namespace korvane::testing
