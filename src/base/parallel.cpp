#include "base/parallel.h"

#include <algorithm>
#include <condition_variable>
#include <mutex>
#include <system_error>
#include <thread>

namespace korvane {

namespace {

// What the threads of one run share. Items are coarse (a boat's log, a
// KML piece), so one lock over the bookkeeping costs nothing worth saving.
class InOrderRun {
  public:
    InOrderRun(int count, const std::function<void(int, int)>& make, std::stop_token stop,
               const InOrderOptions& options)
        : count_(count),
          make_(make),
          stop_(std::move(stop)),
          order_(static_cast<int>(options.order.size()) == count ? &options.order : nullptr),
          maxAhead_(order_ ? 0 : options.maxAhead),
          made_(static_cast<std::size_t>(count), false) {}

    // A helper's life: items until none is left or the run ends.
    void help(int worker) {
        while (makeOne(worker, true)) {
        }
    }

    // Makes the next item not yet begun; false when none is left or the run
    // ended (a failure is kept for the caller). A helper waits while the
    // bound on items ahead is reached; this thread never does, it hands on.
    bool makeOne(int worker, bool waitForRoom = false) {
        const int item = take(waitForRoom);
        if (item < 0) return false;
        try {
            make_(item, worker);
        } catch (...) {
            fail(std::current_exception());
            return false;
        }
        {
            const std::lock_guard lock(mutex_);
            made_[static_cast<std::size_t>(item)] = true;
        }
        ready_.notify_all();
        return true;
    }

    // This thread's part: hands items on in order, making items itself
    // while the next one to hand is not there. The number handed.
    int handAll(const std::function<bool(int)>& hand) {
        int handed = 0;
        while (handed < count_ && !stop_.stop_requested()) {
            bool next = false;
            {
                const std::lock_guard lock(mutex_);
                if (ended_) break;
                next = made_[static_cast<std::size_t>(handed)];
            }
            if (next) {
                if (!hand(handed)) {
                    refused_ = true;
                    break;
                }
                ++handed;
                if (maxAhead_ > 0) {
                    {
                        const std::lock_guard lock(mutex_);
                        handed_ = handed;
                    }
                    ready_.notify_all();
                }
                continue;
            }
            if (makeOne(0)) continue;
            std::unique_lock lock(mutex_);
            ready_.wait(lock, stop_,
                        [&] { return ended_ || made_[static_cast<std::size_t>(handed)]; });
        }
        return handed;
    }

    void fail(std::exception_ptr error) {
        {
            const std::lock_guard lock(mutex_);
            if (!error_) error_ = std::move(error);
            ended_ = true;
        }
        ready_.notify_all();
    }

    void end() {
        {
            const std::lock_guard lock(mutex_);
            ended_ = true;
        }
        ready_.notify_all();
    }

    std::exception_ptr error() const { return error_; }
    bool refused() const { return refused_; }

  private:
    int take(bool waitForRoom) {
        std::unique_lock lock(mutex_);
        const auto full = [&] { return maxAhead_ > 0 && next_ >= handed_ + maxAhead_; };
        if (waitForRoom)
            ready_.wait(lock, stop_, [&] { return ended_ || next_ >= count_ || !full(); });
        if (ended_ || next_ >= count_ || stop_.stop_requested() || full()) return -1;
        const int k = next_++;
        return order_ ? (*order_)[static_cast<std::size_t>(k)] : k;
    }

    const int count_;
    const std::function<void(int, int)>& make_;
    const std::stop_token stop_;
    const std::vector<int>* order_;
    const int maxAhead_;
    std::mutex mutex_;
    std::condition_variable_any ready_;
    std::vector<bool> made_;  // under mutex_, like the three below
    int next_ = 0;
    int handed_ = 0;  // as far as the bound on items ahead needs to know
    bool ended_ = false;
    std::exception_ptr error_;
    bool refused_ = false;  // this thread's alone
};

}  // namespace

int inOrderWorkers(int count, int threads) {
    if (threads <= 0) threads = static_cast<int>(std::thread::hardware_concurrency());
    return std::max(1, std::min(threads, count));
}

bool runInOrder(int count, const std::function<void(int, int)>& make,
                const std::function<bool(int)>& hand, std::stop_token stop,
                const InOrderOptions& options) {
    if (count <= 0) return true;
    InOrderRun run(count, make, stop, options);
    int handed = 0;
    {
        std::vector<std::jthread> helpers;
        try {
            const int workers = inOrderWorkers(count, options.threads);
            for (int w = 1; w < workers; ++w) {
                try {
                    helpers.emplace_back([&run, w] { run.help(w); });
                } catch (const std::system_error&) {
                    break;  // no thread to be had: fewer hands do the same work
                }
            }
            handed = run.handAll(hand);
        } catch (...) {
            run.fail(std::current_exception());
        }
        // The helpers end the item they are on; their threads are joined
        // here, before anything they use goes.
        run.end();
    }
    if (run.error()) std::rethrow_exception(run.error());
    if (run.refused()) return false;
    if (handed < count) throw Cancelled();
    return true;
}

}  // namespace korvane
