#include "base/ordered_pieces.h"

#include <algorithm>
#include <thread>

#include "base/parallel.h"

namespace korvane {

bool writePiecesInOrder(const std::vector<int>& order, const std::function<std::string(int)>& make,
                        const ByteSink& sink, int helpers) {
    InOrderOptions options;
    options.threads = std::max(0, helpers) + 1;
    options.order = order;
    return forEachInOrder(
        static_cast<int>(order.size()), [&make](int i) { return make(i); },
        [&sink](int, std::string piece) { return sink(piece); }, {}, options);
}

int pieceHelpers() {
    const auto cores = static_cast<int>(std::thread::hardware_concurrency());
    return std::clamp(cores - 1, 0, 3);
}

}  // namespace korvane
