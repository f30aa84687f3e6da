// An ordered parallel map: the work of every index runs on up to eight threads, but its results
// are handed over on the calling thread in index order, so what follows each result (progress,
// questions, drops) happens exactly as in a one-by-one loop.
#pragma once

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <cstddef>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

namespace catalogue {

// work(index) -> Result runs on any thread; take(index, result) runs on the calling thread, in
// index order. While the next result in order is not ready, the calling thread takes work of
// its own.
template <typename Result, typename Work, typename Take>
void OrderedParallelMap(std::size_t count, Work&& work, Take&& take) {
    std::vector<std::optional<Result>> results(count);
    std::atomic<std::size_t> nextClaim{0};
    std::mutex mutex;
    std::condition_variable finished;

    auto run = [&](std::size_t index) {
        Result result = work(index);
        {
            std::lock_guard<std::mutex> lock(mutex);
            results[index] = std::move(result);
        }
        finished.notify_all();
    };
    auto helper = [&] {
        for (std::size_t index; (index = nextClaim.fetch_add(1)) < count;) run(index);
    };

    unsigned helpers = std::min<unsigned>(std::max(1u, std::thread::hardware_concurrency()), 8u) - 1;
    if (count < 2) helpers = 0;
    helpers = std::min<unsigned>(helpers, static_cast<unsigned>(count > 0 ? count - 1 : 0));
    std::vector<std::thread> threads;
    threads.reserve(helpers);
    for (unsigned i = 0; i < helpers; ++i) threads.emplace_back(helper);

    for (std::size_t index = 0; index < count; ++index) {
        for (;;) {
            {
                std::lock_guard<std::mutex> lock(mutex);
                if (results[index]) break;
            }
            const std::size_t claim = nextClaim.fetch_add(1);
            if (claim < count) {
                run(claim);
                continue;
            }
            std::unique_lock<std::mutex> lock(mutex);
            finished.wait(lock, [&] { return results[index].has_value(); });
            break;
        }
        std::optional<Result> result;
        {
            std::lock_guard<std::mutex> lock(mutex);
            result = std::move(results[index]);
        }
        take(index, *result);
    }
    for (std::thread& t : threads) t.join();
}

}  // namespace catalogue
