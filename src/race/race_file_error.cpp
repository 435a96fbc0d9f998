#include "race/race_file_error.h"

namespace korvane {

namespace {
std::string describe(const std::string& message, const std::string& file, int line) {
    if (file.empty()) return message;
    if (line <= 0) return file + ": " + message;
    return file + " (line " + std::to_string(line) + "): " + message;
}
}  // namespace

RaceFileError::RaceFileError(std::string systemMessage, std::string file, int line)
    : std::runtime_error(describe(systemMessage, file, line)),
      systemMessage_(std::move(systemMessage)),
      file_(std::move(file)),
      line_(line) {}

std::string integerConversionMessage(const std::string& text) {
    return "'" + text + "' は整数ではありません";
}

std::string floatConversionMessage(const std::string& text) {
    return "'" + text + "' は浮動小数点数ではありません";
}

std::string variantConversionMessage() {
    return "バリアントの型変換が正しくありません";
}

}  // namespace korvane
