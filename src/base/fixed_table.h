// A 1-based table with a fixed capacity, the shape every table of the race
// model has. Appending to a full table is refused, never written past, and
// a slot outside the table is refused in every build, not only by assert.
#pragma once

#include <cstddef>
#include <stdexcept>
#include <string>
#include <vector>

namespace korvane {

template <class T, int Capacity>
class FixedTable {
  public:
    static constexpr int kCapacity = Capacity;

    int count() const { return static_cast<int>(items_.size()); }
    bool empty() const { return items_.empty(); }
    bool full() const { return count() >= Capacity; }

    // Slot n, 1-based; throws std::out_of_range outside 1 ... count().
    T& operator[](int n) { return items_[offset(n)]; }
    const T& operator[](int n) const { return items_[offset(n)]; }
    bool contains(int n) const { return n >= 1 && n <= count(); }

    // Item i, 0-based; throws std::out_of_range outside 0 ... count() - 1.
    T& at(int i) { return (*this)[i + 1]; }
    const T& at(int i) const { return (*this)[i + 1]; }

    // False, and the table unchanged, when the table is full.
    bool append(T item) {
        if (full()) return false;
        items_.push_back(std::move(item));
        return true;
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
    std::size_t offset(int n) const {
        if (!contains(n))
            throw std::out_of_range("table slot " + std::to_string(n) + " of " +
                                    std::to_string(count()));
        return static_cast<std::size_t>(n - 1);
    }

    std::vector<T> items_;
};

}  // namespace korvane
