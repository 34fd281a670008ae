// Threads started per call: image work comes in large, rare jobs (a texture
// load), so a pool kept alive between them would buy nothing.
#include "platform/d3dx/d3dxImageThreads.h"

#include <algorithm>
#include <atomic>
#include <thread>
#include <vector>

namespace d3dx {

void parallelFor(std::size_t count, std::size_t chunk, std::size_t itemsPerThread,
                 const std::function<void(std::size_t, std::size_t)>& body, unsigned threads) {
    chunk = std::max<std::size_t>(chunk, 1);
    std::atomic<std::size_t> next{0};
    auto work = [&] {
        for (std::size_t first = next.fetch_add(chunk); first < count; first = next.fetch_add(chunk)) {
            body(first, std::min(count, first + chunk));
        }
    };
    const unsigned cores = threads != 0 ? threads : std::max(1u, std::thread::hardware_concurrency());
    const auto workers =
        unsigned(std::clamp<std::size_t>(count / std::max<std::size_t>(itemsPerThread, 1), 1, cores));
    std::vector<std::thread> pool;
    for (unsigned i = 1; i < workers; ++i) {
        pool.emplace_back(work);
    }
    work();
    for (std::thread& thread : pool) {
        thread.join();
    }
}

}  // namespace d3dx
