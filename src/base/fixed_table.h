// A table with a fixed capacity, the shape every table of the race model
// has; items are numbered from 0, as everywhere inside the program. Appending to a full table is
// refused, never written past, and a slot outside the table is refused in every build, not only by
// assert.
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

    // Item i; throws std::out_of_range outside 0 ... count() - 1.
    T& operator[](int i) { return items_[offset(i)]; }
    const T& operator[](int i) const { return items_[offset(i)]; }
    bool contains(int i) const { return i >= 0 && i < count(); }

    // The same as operator[].
    T& at(int i) { return items_[offset(i)]; }
    const T& at(int i) const { return items_[offset(i)]; }

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
    // Removes item i; an index outside the table changes nothing.
    void removeAt(int i) {
        if (contains(i)) items_.erase(items_.begin() + i);
    }

    auto begin() { return items_.begin(); }
    auto end() { return items_.end(); }
    auto begin() const { return items_.begin(); }
    auto end() const { return items_.end(); }

  private:
    std::size_t offset(int i) const {
        if (!contains(i))
            throw std::out_of_range("table index " + std::to_string(i) + " of " +
                                    std::to_string(count()));
        return static_cast<std::size_t>(i);
    }

    std::vector<T> items_;
};

}  // namespace korvane
