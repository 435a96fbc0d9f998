// The worst boat's pictures of a one-pixel comparison, saved for a look
// when KORVANE_BENCH_DIFF names a folder: the fast drawing, the plain one
// and their difference.
#pragma once

#include <QString>
#include <cstdlib>

namespace korvane::bench {

template <class Mismatch>
void saveWorstImages(const Mismatch& mismatch, const char* prefix) {
    const char* dir = std::getenv("KORVANE_BENCH_DIFF");
    if (!dir || mismatch.worstName.isEmpty()) return;
    const QString base = QString::fromLocal8Bit(dir) + QLatin1Char('/') + QLatin1String(prefix);
    mismatch.worstFast.save(base + QStringLiteral("fast.png"));
    mismatch.worstPlain.save(base + QStringLiteral("plain.png"));
    mismatch.worstDiff.save(base + QStringLiteral("diff.png"));
}

}  // namespace korvane::bench
