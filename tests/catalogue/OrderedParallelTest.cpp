// The ordered parallel map of the thumbnail loading.
#include <gtest/gtest.h>

#include <chrono>
#include <thread>
#include <vector>

#include "views/catalogue/OrderedParallel.h"

TEST(OrderedParallel, ResultsArriveInIndexOrderOnTheCallingThread) {
    // Early indexes take longest, so later results are ready first and must wait their turn.
    constexpr std::size_t kCount = 40;
    std::vector<int> ran(kCount, 0);
    std::vector<std::size_t> order;
    const std::thread::id caller = std::this_thread::get_id();
    bool allOnCaller = true;
    catalogue::OrderedParallelMap<std::size_t>(
        kCount,
        [&](std::size_t index) {
            ++ran[index];
            std::this_thread::sleep_for(std::chrono::microseconds((kCount - index) * 200));
            return index * 3;
        },
        [&](std::size_t index, std::size_t result) {
            EXPECT_EQ(result, index * 3);
            order.push_back(index);
            allOnCaller = allOnCaller && std::this_thread::get_id() == caller;
        });
    std::vector<std::size_t> expected(kCount);
    for (std::size_t i = 0; i < kCount; ++i) expected[i] = i;
    EXPECT_EQ(order, expected);
    EXPECT_EQ(ran, std::vector<int>(kCount, 1));
    EXPECT_TRUE(allOnCaller);

    // Nothing to do, and a single item, run no thread and hand over what there is.
    int taken = 0;
    catalogue::OrderedParallelMap<int>(0, [](std::size_t) { return 1; }, [&](std::size_t, int) { ++taken; });
    EXPECT_EQ(taken, 0);
    catalogue::OrderedParallelMap<int>(1, [](std::size_t) { return 7; }, [&](std::size_t, int r) { taken += r; });
    EXPECT_EQ(taken, 7);
}
