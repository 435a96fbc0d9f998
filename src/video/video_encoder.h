// The film file: frames in the picture's RGB turned into the video's YUV
// (libswscale), encoded as H.264 or H.265 at constant quality (libavcodec)
// and put into an MP4 whose index stands at the front, so a player or a
// web page starts it before it has the whole file (libavformat). The file
// is written beside its target under a temporary name and appears only
// when it is whole: a failure or a cancel leaves nothing behind.
#pragma once

#include <QImage>
#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>

#include "video/film_plan.h"

struct AVFrame;
struct SwsContext;

namespace korvane {

// What went wrong, in words for the user.
class VideoError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// The encoder libavcodec would use for `codec` ("libx264", ...), or empty
// when it has none.
std::string videoEncoderName(VideoCodec codec);

// One frame in the video's colours, ready to encode.
class YuvFrame {
  public:
    YuvFrame();
    YuvFrame(YuvFrame&&) noexcept;
    YuvFrame& operator=(YuvFrame&&) noexcept;
    ~YuvFrame();
    AVFrame* get() const { return frame_; }

  private:
    friend class ColourConverter;
    AVFrame* frame_ = nullptr;
};

// Turns pictures of one size into YUV 4:2:0 with BT.709 colours, the
// matrix the film says it uses. One per thread.
class ColourConverter {
  public:
    ColourConverter(int width, int height);
    ~ColourConverter();
    ColourConverter(const ColourConverter&) = delete;
    ColourConverter& operator=(const ColourConverter&) = delete;
    // `picture` is Format_RGB32 of the converter's size.
    YuvFrame convert(const QImage& picture);

  private:
    int width_;
    int height_;
    SwsContext* sws_ = nullptr;
};

class VideoEncoder {
  public:
    // Opens the temporary file beside `path`. Throws VideoError.
    VideoEncoder(const std::filesystem::path& path, const FilmPlan& plan);
    // Removes the temporary file unless finish() put it in place.
    ~VideoEncoder();
    VideoEncoder(const VideoEncoder&) = delete;
    VideoEncoder& operator=(const VideoEncoder&) = delete;

    // The next frame. Throws VideoError when it cannot be written.
    void add(const YuvFrame& frame);
    // Writes what the encoder holds back and the index, and renames the file
    // over `path`. Throws VideoError.
    void finish();
    const std::string& encoderName() const { return encoderName_; }

  private:
    struct Av;
    void drain();
    [[noreturn]] void fail(const std::string& what, int error);

    // Removes the temporary file unless it took its name; a member, so a
    // constructor that throws after the file was opened removes it too.
    struct TempFile {
        std::filesystem::path path;
        bool renamed = false;
        ~TempFile();
    };

    std::filesystem::path path_;
    TempFile temp_;  // before av_: the file is closed before it is removed
    std::string encoderName_;
    std::unique_ptr<Av> av_;
    long long nextPts_ = 0;
};

}  // namespace korvane
