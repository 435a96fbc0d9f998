// The one place the program spreads work over the cores: items made on
// several threads and handed on, in order, on the calling thread. What a
// worker throws reaches the caller; a stop request ends the work between
// items. Apart from the window's background work in Qt's pool (the opening in
// app/race_loader, a dropped picture folder in app/file_drops),
// no other code starts threads of its own.
#pragma once

#include <exception>
#include <functional>
#include <optional>
#include <stop_token>
#include <type_traits>
#include <utility>
#include <vector>

namespace korvane {

// Thrown where work ended because its stop was requested before it was
// done.
class Cancelled : public std::exception {
  public:
    const char* what() const noexcept override { return "cancelled"; }
};

struct InOrderOptions {
    // Threads making items, this one among them; 0: one per core. Never
    // more than there are items.
    int threads = 0;
    // The order in which items are begun (a permutation of 0 .. count-1);
    // empty: 0, 1, 2 ... Handing on is always in the items' own order.
    std::vector<int> order;
    // How many items may be made or in the making beyond the next one to
    // hand on; 0: no bound. Bounds the memory of large items (a film's
    // frames) when handing on is slower than making. Only with the items'
    // own order.
    int maxAhead = 0;
};

// The threads forEachInOrder uses for `count` items: the `worker` numbers
// it passes are below this.
int inOrderWorkers(int count, int threads);

// The untyped engine of forEachInOrder. make(item, worker) makes and keeps
// an item on any thread; hand(item) passes it on, on this thread; false
// stops the work.
bool runInOrder(int count, const std::function<void(int, int)>& make,
                const std::function<bool(int)>& hand, std::stop_token stop,
                const InOrderOptions& options);

// Makes items 0 .. count-1 with work(item) or work(item, worker) (worker:
// which thread, below inOrderWorkers, for per-thread scratch memory) and
// hands each result to sink(item, result) on this thread, in item order, as
// soon as it and all before it are made. This thread makes items too. A
// sink may return bool: false stops the work and forEachInOrder returns
// false. An exception from work or sink stops the other threads (each ends
// the item it is on) and is thrown here; a stop request does the same and
// throws Cancelled, unless every item was handed already.
template <class Work, class Sink>
bool forEachInOrder(int count, Work&& work, Sink&& sink, std::stop_token stop = {},
                    const InOrderOptions& options = {}) {
    constexpr bool kWithWorker = std::is_invocable_v<Work&, int, int>;
    using Result =
        std::decay_t<typename std::conditional_t<kWithWorker, std::invoke_result<Work&, int, int>,
                                                 std::invoke_result<Work&, int>>::type>;
    std::vector<std::optional<Result>> made(count > 0 ? static_cast<std::size_t>(count) : 0);
    const auto make = [&](int item, int worker) {
        auto& slot = made[static_cast<std::size_t>(item)];
        if constexpr (kWithWorker)
            slot.emplace(work(item, worker));
        else
            slot.emplace(work(item));
    };
    const auto hand = [&](int item) -> bool {
        auto& slot = made[static_cast<std::size_t>(item)];
        Result result = std::move(*slot);
        slot.reset();  // its memory goes before the next items are made
        if constexpr (std::is_same_v<std::invoke_result_t<Sink&, int, Result&&>, bool>) {
            return sink(item, std::move(result));
        } else {
            sink(item, std::move(result));
            return true;
        }
    };
    return runInOrder(count, make, hand, std::move(stop), options);
}

}  // namespace korvane
