#include "base/ordered_pieces.h"

#include <algorithm>
#include <atomic>
#include <future>
#include <memory>
#include <system_error>
#include <thread>

namespace korvane {

namespace {

class PieceWork {
  public:
    PieceWork(const std::vector<int>& order, const std::function<std::string(int)>& make,
              const ByteSink& sink)
        : order_(order),
          make_(make),
          sink_(sink),
          pieces_(order.size()),
          made_(std::make_unique<std::atomic<bool>[]>(order.size())) {}

    // Takes pieces until none is left or the work stops; the handing thread
    // passes on what is ready after each of its own.
    void takePieces(bool handing) {
        while (!stopped_.load(std::memory_order_relaxed)) {
            const std::size_t k = next_.fetch_add(1, std::memory_order_relaxed);
            if (k >= order_.size()) return;
            const auto i = static_cast<std::size_t>(order_[k]);
            try {
                pieces_[i] = make_(order_[k]);
            } catch (...) {
                stop();
                throw;
            }
            made_[i].store(true, std::memory_order_release);
            if (handing && !handReady()) stop();
        }
    }

    // Puts every piece made, in order from the first not yet handed; false
    // once the sink refuses one.
    bool handReady() {
        while (handed_ < pieces_.size() && made_[handed_].load(std::memory_order_acquire)) {
            if (!sink_(pieces_[handed_])) return false;
            std::string().swap(pieces_[handed_]);  // its memory serves the next pieces
            ++handed_;
        }
        return true;
    }

    bool allHanded() const { return handed_ == pieces_.size(); }
    bool stopped() const { return stopped_.load(); }
    void stop() { stopped_.store(true); }

  private:
    const std::vector<int>& order_;
    const std::function<std::string(int)>& make_;
    const ByteSink& sink_;
    std::vector<std::string> pieces_;
    std::unique_ptr<std::atomic<bool>[]> made_;
    std::atomic<std::size_t> next_{0};
    std::atomic<bool> stopped_{false};
    std::size_t handed_ = 0;  // this thread's alone
};

}  // namespace

bool writePiecesInOrder(const std::vector<int>& order, const std::function<std::string(int)>& make,
                        const ByteSink& sink, int helpers) {
    PieceWork work(order, make, sink);
    const auto threads = static_cast<std::size_t>(
        std::clamp(helpers, 0, std::max(0, static_cast<int>(order.size()) - 1)));
    std::vector<std::future<void>> others;
    others.reserve(threads);
    try {
        for (std::size_t t = 0; t < threads; ++t) {
            try {
                others.push_back(
                    std::async(std::launch::async, [&work] { work.takePieces(false); }));
            } catch (const std::system_error&) {
                break;  // no thread to be had: fewer hands do the same work
            }
        }
        work.takePieces(true);
        for (auto& other : others) other.get();
    } catch (...) {
        // The futures' destructors wait for the other threads, which stop
        // at their next piece.
        work.stop();
        throw;
    }
    return !work.stopped() && work.handReady() && work.allHanded();
}

int pieceHelpers() {
    const auto cores = static_cast<int>(std::thread::hardware_concurrency());
    return std::clamp(cores - 1, 0, 3);
}

}  // namespace korvane
