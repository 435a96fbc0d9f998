// What "the same picture within one pixel" means for the fast track and
// trace drawings, in one place for the benchmarks and the unit tests.
//
// One line (a boat's track, one trace) is drawn alone, once the fast way and
// once as a plain one-pixel QPainter polyline, each on a picture of its own
// of the same size. A pixel is drawn when it differs from its picture's
// background (or, over a page, when it has the line's colour). Every drawn
// pixel of either picture must have a drawn pixel of the other picture at
// most one pixel away in x and in y (Chebyshev distance 1). Lines are
// compared one at a time because where two lines cross, which one owns a
// pixel is the rasteriser's choice and not a difference of shape.
#pragma once

#include <QImage>
#include <QRect>
#include <algorithm>

namespace korvane::testing {

struct OnePixelMismatch {
    long fastOnly = 0;   // drawn in the fast picture, nothing near in the plain one
    long plainOnly = 0;  // drawn in the plain picture, nothing near in the fast one
    long total() const { return fastOnly + plainOnly; }
};

// A picture's drawn pixels as a mask (1 drawn, 0 not): those that differ
// from its background.
inline QImage drawnPixels(const QImage& picture, QRgb background = qRgba(0, 0, 0, 0)) {
    const QImage in = picture.convertToFormat(QImage::Format_ARGB32);
    QImage mask(in.size(), QImage::Format_Grayscale8);
    for (int y = 0; y < in.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(in.constScanLine(y));
        uchar* out = mask.scanLine(y);
        for (int x = 0; x < in.width(); ++x) out[x] = row[x] != background ? 1 : 0;
    }
    return mask;
}

// The pixels of one colour, for a line drawn over a page of other colours.
inline QImage pixelsOfColour(const QImage& picture, QRgb colour) {
    const QImage in = picture.convertToFormat(QImage::Format_ARGB32);
    QImage mask(in.size(), QImage::Format_Grayscale8);
    for (int y = 0; y < in.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(in.constScanLine(y));
        uchar* out = mask.scanLine(y);
        for (int x = 0; x < in.width(); ++x) out[x] = row[x] == colour ? 1 : 0;
    }
    return mask;
}

inline long countDrawn(const QImage& mask) {
    long n = 0;
    for (int y = 0; y < mask.height(); ++y)
        for (int x = 0; x < mask.width(); ++x) n += mask.constScanLine(y)[x] != 0;
    return n;
}

namespace detail {

// Drawn pixels of mask `a` with no drawn pixel of `b` in their 3 x 3
// neighbourhood, marked in `marks` when given.
inline long unmatched(const QImage& a, const QImage& b, QImage* marks, QRgb markColour) {
    long count = 0;
    const int w = a.width(), h = a.height();
    for (int y = 0; y < h; ++y) {
        const uchar* row = a.constScanLine(y);
        for (int x = 0; x < w; ++x) {
            if (!row[x]) continue;
            bool near = false;
            for (int yy = std::max(0, y - 1); yy <= std::min(h - 1, y + 1) && !near; ++yy) {
                const uchar* other = b.constScanLine(yy);
                for (int xx = std::max(0, x - 1); xx <= std::min(w - 1, x + 1) && !near; ++xx)
                    near = other[xx] != 0;
            }
            if (near) continue;
            ++count;
            if (marks) marks->setPixel(x, y, markColour);
        }
    }
    return count;
}

}  // namespace detail

// Compares the masks of one line drawn fast and plain; `diff`, when given,
// becomes a picture of both: pixels drawn in both dark grey, in one only
// light grey, and the unmatched ones red (fast) and blue (plain).
inline OnePixelMismatch compareWithinOnePixel(const QImage& fastMask, const QImage& plainMask,
                                              QImage* diff = nullptr) {
    if (fastMask.size() != plainMask.size())
        return {long(fastMask.width()) * fastMask.height(),
                long(plainMask.width()) * plainMask.height()};
    if (diff) {
        *diff = QImage(fastMask.size(), QImage::Format_RGB32);
        diff->fill(Qt::white);
        for (int y = 0; y < fastMask.height(); ++y)
            for (int x = 0; x < fastMask.width(); ++x) {
                const bool inFast = fastMask.constScanLine(y)[x];
                const bool inPlain = plainMask.constScanLine(y)[x];
                if (inFast || inPlain)
                    diff->setPixel(x, y,
                                   inFast && inPlain ? qRgb(96, 96, 96) : qRgb(200, 200, 200));
            }
    }
    OnePixelMismatch m;
    m.fastOnly = detail::unmatched(fastMask, plainMask, diff, qRgb(255, 0, 0));
    m.plainOnly = detail::unmatched(plainMask, fastMask, diff, qRgb(0, 0, 255));
    return m;
}

}  // namespace korvane::testing
