// The one error that stops a race opening: a value that does not convert, or
// a file that is not a race file. It carries the system's own message and
// where it was found.
#pragma once

#include <stdexcept>
#include <string>

namespace korvane {

class RaceFileError : public std::runtime_error {
  public:
    RaceFileError(std::string systemMessage, std::string file, int line);

    // The bare conversion message ("'x' は整数ではありません").
    const std::string& systemMessage() const { return systemMessage_; }
    const std::string& file() const { return file_; }
    int line() const { return line_; }  // 1-based, 0 when not tied to a line

  private:
    std::string systemMessage_;
    std::string file_;
    int line_;
};

std::string integerConversionMessage(const std::string& text);
std::string floatConversionMessage(const std::string& text);
std::string variantConversionMessage();

}  // namespace korvane
