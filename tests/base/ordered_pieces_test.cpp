// Pieces made on several threads reach the sink whole and in order, from
// the calling thread alone; a refusing sink or a failing piece stops the
// work.
#include "base/ordered_pieces.h"

#include <gtest/gtest.h>

#include <atomic>
#include <numeric>
#include <stdexcept>
#include <thread>

namespace korvane {
namespace {

std::vector<int> lastFirst(int count) {
    std::vector<int> order{count - 1};
    for (int i = 0; i < count - 1; ++i) order.push_back(i);
    return order;
}

// Piece i is i copies of a letter, so that a piece out of place or cut
// shows in the joined text.
std::string pieceText(int i) {
    return std::string(static_cast<std::size_t>(i) * 50, static_cast<char>('a' + i % 26));
}

TEST(OrderedPieces, ArriveInOrderOnTheCallingThreadWithAnyNumberOfHelpers) {
    std::string expected;
    for (int i = 0; i < 40; ++i) expected += pieceText(i);
    for (const int helpers : {0, 1, 3, 100}) {
        SCOPED_TRACE(helpers);
        std::string joined;
        const auto caller = std::this_thread::get_id();
        bool allOnCaller = true;
        ASSERT_TRUE(writePiecesInOrder(
            lastFirst(40), pieceText,
            [&](std::string_view piece) {
                allOnCaller &= std::this_thread::get_id() == caller;
                joined.append(piece);
                return true;
            },
            helpers));
        EXPECT_EQ(joined, expected);
        EXPECT_TRUE(allOnCaller);
    }
    EXPECT_TRUE(writePiecesInOrder(
        {}, pieceText, [](std::string_view) { return false; }, 2));
}

TEST(OrderedPieces, ARefusingSinkOrAFailingPieceStopsTheWork) {
    for (const int helpers : {0, 2}) {
        SCOPED_TRACE(helpers);
        std::atomic<int> made{0};
        const auto counted = [&](int i) {
            ++made;
            return pieceText(i);
        };
        int taken = 0;
        EXPECT_FALSE(writePiecesInOrder(
            lastFirst(500), counted, [&](std::string_view) { return ++taken < 3; }, helpers));
        EXPECT_EQ(taken, 3);
        // Alone, this thread makes the last piece, then stops at the third.
        if (helpers == 0) {
            EXPECT_EQ(made.load(), 4);
        }

        const auto failing = [](int i) {
            if (i == 7) throw std::runtime_error("piece 7");
            return pieceText(i);
        };
        std::vector<int> order(100);
        std::iota(order.begin(), order.end(), 0);
        EXPECT_THROW(writePiecesInOrder(
                         order, failing, [](std::string_view) { return true; }, helpers),
                     std::runtime_error);
    }
}

}  // namespace
}  // namespace korvane
