// A 1-based table with a fixed capacity, the shape every table of the race
// model has. Appending to a full table is refused, never written past.
#pragma once

#include <cassert>
#include <cstddef>
#include <vector>

namespace korvane {

template <class T, int Capacity>
class FixedTable {
  public:
    static constexpr int kCapacity = Capacity;

    int count() const { return static_cast<int>(items_.size()); }
    bool empty() const { return items_.empty(); }
    bool full() const { return count() >= Capacity; }

    // Slot n, 1-based.
    T& operator[](int n) {
        assert(n >= 1 && n <= count());
        return items_[static_cast<std::size_t>(n - 1)];
    }
    const T& operator[](int n) const {
        assert(n >= 1 && n <= count());
        return items_[static_cast<std::size_t>(n - 1)];
    }
    bool contains(int n) const { return n >= 1 && n <= count(); }

    // Returns the new slot's number, or 0 when the table is full.
    int append(T item) {
        if (full()) return 0;
        items_.push_back(std::move(item));
        return count();
    }
    void clear() { items_.clear(); }
    void truncate(int n) {
        if (n >= 0 && n < count()) items_.resize(static_cast<std::size_t>(n));
    }
    void removeAt(int n) {
        if (contains(n)) items_.erase(items_.begin() + (n - 1));
    }

    auto begin() { return items_.begin(); }
    auto end() { return items_.end(); }
    auto begin() const { return items_.begin(); }
    auto end() const { return items_.end(); }

  private:
    std::vector<T> items_;
};

}  // namespace korvane
