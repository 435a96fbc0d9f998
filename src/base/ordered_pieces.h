// A long text made of pieces on several threads at once (base/parallel.h)
// and handed over in order, so that it is never whole in memory and
// writing it can begin before the last piece is made.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "base/file_io.h"

namespace korvane {

// Makes the pieces 0 .. order.size()-1 with `make` and puts them into
// `sink` in that order (piece 0 first). Threads take the pieces one at a
// time, in `order` (a permutation of the piece numbers: the largest first
// keeps the threads busy to the end); this thread takes part and is the
// only one that calls the sink, each piece as soon as it and all before it
// are made. `helpers` more threads join in (none: everything here).
// False once the sink refuses a piece; no piece is begun after that. An
// exception from `make` stops the other threads and is thrown here.
bool writePiecesInOrder(const std::vector<int>& order, const std::function<std::string(int)>& make,
                        const ByteSink& sink, int helpers);

// The helper threads worth starting here: one fewer than the cores, at
// most three.
int pieceHelpers();

}  // namespace korvane
