// Work sharing for the image functions: a range of independent items (rows
// of pixels, rows of blocks) split among worker threads, one per core.
#pragma once

#include <cstddef>
#include <functional>

namespace d3dx {

// Calls body(first, last) for consecutive chunks of `chunk` items covering
// [0, count), on up to `threads` threads (0: one per core) including the
// caller, and returns when all are done. Fewer threads start when each would
// get less than `itemsPerThread` items; small ranges run on the caller alone.
// The body must be safe to run concurrently on disjoint chunks.
void parallelFor(std::size_t count, std::size_t chunk, std::size_t itemsPerThread,
                 const std::function<void(std::size_t first, std::size_t last)>& body, unsigned threads = 0);

}  // namespace d3dx
