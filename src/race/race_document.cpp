#include "race/race_document.h"

#include <stdexcept>

#include "base/file_io.h"

namespace korvane {

namespace {

constexpr std::string_view kBom = "\xEF\xBB\xBF";

// Length of the line end starting at `pos` (0 when there is none).
std::size_t lineEndLength(std::string_view s, std::size_t pos) {
    if (pos >= s.size()) return 0;
    if (s[pos] == '\n') return 1;
    if (s[pos] == '\r') return pos + 1 < s.size() && s[pos + 1] == '\n' ? 2 : 1;
    return 0;
}

}  // namespace

RaceDocument RaceDocument::fromBytes(std::string bytes) {
    RaceDocument doc;
    doc.raw_ = std::move(bytes);
    const std::string_view raw = doc.raw_;
    doc.encoding_ = isValidUtf8(raw) ? TextEncoding::Utf8 : TextEncoding::Cp932;
    doc.bom_ = doc.encoding_ == TextEncoding::Utf8 && raw.substr(0, kBom.size()) == kBom;
    std::size_t pos = doc.bom_ ? kBom.size() : 0;
    bool endChosen = false;
    while (pos < raw.size()) {
        std::size_t end = pos;
        while (end < raw.size() && raw[end] != '\n' && raw[end] != '\r') ++end;
        const std::size_t endLength = lineEndLength(raw, end);
        if (!endChosen && endLength > 0) {
            doc.lineEnd_ = std::string(raw.substr(end, endLength));
            endChosen = true;
        }
        Line line;
        line.text = decodeFrom(raw.substr(pos, end - pos), doc.encoding_);
        line.rawBegin = pos;
        line.rawLength = end - pos + endLength;
        doc.lines_.push_back(std::move(line));
        pos = end + endLength;
    }
    return doc;
}

void RaceDocument::replaceLine(int i, std::string utf8Text) {
    Line& l = lines_.at(static_cast<std::size_t>(i));
    l.text = std::move(utf8Text);
    l.edited = true;
}

void RaceDocument::insertLine(int i, std::string utf8Text) {
    if (i < 0 || i > lineCount()) throw std::out_of_range("RaceDocument::insertLine");
    Line l;
    l.text = std::move(utf8Text);
    l.edited = true;
    lines_.insert(lines_.begin() + i, std::move(l));
}

void RaceDocument::removeLine(int i) {
    if (i < 0 || i >= lineCount()) throw std::out_of_range("RaceDocument::removeLine");
    lines_.erase(lines_.begin() + i);
}

std::string RaceDocument::toBytes() const {
    std::string out;
    out.reserve(raw_.size() + 64);
    if (bom_) out += kBom;
    for (std::size_t k = 0; k < lines_.size(); ++k) {
        const Line& l = lines_[k];
        if (!l.edited) {
            out.append(raw_, l.rawBegin, l.rawLength);
            // A kept last line without its end gets one when lines follow it.
            const bool hasEnd = l.rawLength > 0 && (raw_[l.rawBegin + l.rawLength - 1] == '\n' ||
                                                    raw_[l.rawBegin + l.rawLength - 1] == '\r');
            if (!hasEnd && k + 1 < lines_.size()) out += lineEnd_;
            continue;
        }
        out += encodeText(l.text, encoding_);
        out += lineEnd_;
    }
    return out;
}

bool RaceDocument::save(const std::filesystem::path& path) const {
    return writeFileAtomically(path, toBytes());
}

}  // namespace korvane
