// A race file as it lies on disk: its bytes, its encoding and its line ends,
// with each line's text beside the bytes it came from. Writing it back with
// no edits gives the same bytes; an edited or new line is written in the
// file's own encoding and line end, and every other byte stays where it was.
// Course editing and dropped logs change race files only through this.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "base/text.h"

namespace korvane {

class RaceDocument {
  public:
    struct Line {
        std::string text;           // UTF-8, without its line end
        std::size_t rawBegin = 0;   // where the line's bytes start in the file
        std::size_t rawLength = 0;  // its bytes, line end included
        bool edited = false;        // true: written anew from `text`
    };

    RaceDocument() = default;
    // Any bytes: valid UTF-8 (with or without a byte-order mark) is UTF-8,
    // anything else CP932. Lines end at CR LF, LF or a lone CR.
    static RaceDocument fromBytes(std::string bytes);

    TextEncoding encoding() const { return encoding_; }
    bool hasByteOrderMark() const { return bom_; }
    // The line end new lines get: the file's first one, CR LF for a file
    // that has none.
    std::string_view lineEnd() const { return lineEnd_; }

    int lineCount() const { return static_cast<int>(lines_.size()); }
    const Line& line(int i) const { return lines_.at(static_cast<std::size_t>(i)); }
    const std::vector<Line>& lines() const { return lines_; }

    void replaceLine(int i, std::string utf8Text);
    void insertLine(int i, std::string utf8Text);  // before line i; i == lineCount() appends
    void removeLine(int i);

    // The file's bytes with every edit applied.
    std::string toBytes() const;
    // Through the atomic write: the old file stays whole when this fails.
    bool save(const std::filesystem::path& path) const;

  private:
    std::string raw_;
    TextEncoding encoding_ = TextEncoding::Utf8;
    bool bom_ = false;
    std::string lineEnd_ = "\r\n";
    std::vector<Line> lines_;
};

}  // namespace korvane
