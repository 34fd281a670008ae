// Resource look-ups in a tree of 10,000 files, side by side with the same
// number of look-ups in a hash map of the file names.
//
// A resource that is not loaded is searched for on disk, and most searches
// of a running program miss (optional textures of a model, picker
// refreshes). The registry keeps its sorted listings for the run, so 1,000
// misses should cost within a small factor of 1,000 hash-map look-ups; the
// uncached search, which lists the whole tree every time, is shown for
// contrast.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "engine/core/simApplication.h"
#include "engine/core/simGlobals.h"
#include "engine/core/simResources.h"
#include "engine/core/simResourcesFolderCache.h"
#include "engine/core/simSystemLinks.h"

namespace {

namespace fs = std::filesystem;

constexpr int kLookups = 1000;

// 10,000 files: 10 top folders of 10 sub-folders of 100 files each, under
// <temp>/bin/resources/textures.
class ResourceTree {
public:
    ResourceTree() {
        std::string pattern = (fs::temp_directory_path() / "tolvane-bench-XXXXXX").string();
        m_root = mkdtemp(pattern.data());
        const std::string textures = m_root + "/bin/resources/textures";
        for (int top = 0; top < 10; ++top) {
            for (int sub = 0; sub < 10; ++sub) {
                const std::string folder =
                    textures + "/set" + std::to_string(top) + "/part" + std::to_string(sub);
                fs::create_directories(folder);
                for (int file = 0; file < 100; ++file) {
                    const std::string name = "tex" + std::to_string(top * 1000 + sub * 100 + file) + ".bmp";
                    std::ofstream(folder + "/" + name) << "x";
                    m_names.push_back(name);
                }
            }
        }
        for (int i = 0; i < kLookups; ++i) m_misses.push_back("missing" + std::to_string(i) + ".bmp");

        systemLinks() = simSystemLinks{};
        simLinkResourceSystem(systemLinks());
        simApplication::setProcessCommandLine(m_root + "/bin/tolvaneBuilder");
        m_app = std::make_unique<simApplication>(simVersion(2, 5, 'a'), "bench", nullptr, true);
    }
    ~ResourceTree() {
        m_app.reset();
        std::error_code ignored;
        fs::remove_all(m_root, ignored);
    }

    const std::vector<std::string>& names() const { return m_names; }
    const std::vector<std::string>& misses() const { return m_misses; }
    std::string textures() const { return m_root + "/bin//resources/textures"; }

private:
    std::string m_root;
    std::vector<std::string> m_names;
    std::vector<std::string> m_misses;
    std::unique_ptr<simApplication> m_app;
};

ResourceTree& tree() {
    static ResourceTree instance;
    return instance;
}

// 1,000 resource requests for names that are in no folder of the tree.
void BM_ResourceMisses(benchmark::State& state) {
    ResourceTree& files = tree();
    simCollectionItem* global = g_resources->getGlobalResources();
    for (auto _ : state) {
        int found = 0;
        for (const std::string& name : files.misses())
            found +=
                g_resources->findResource(global, "textures", name, "", false, true, simRootKind_resources);
        benchmark::DoNotOptimize(found);
    }
    state.SetItemsProcessed(state.iterations() * kLookups);
}
BENCHMARK(BM_ResourceMisses);

// 1,000 script-runner searches for files that are in the tree.
void BM_FindFileHits(benchmark::State& state) {
    ResourceTree& files = tree();
    for (auto _ : state) {
        size_t length = 0;
        for (int i = 0; i < kLookups; ++i)
            length += g_resources->findFile("textures", files.names()[i * 10], simRootKind_resources).size();
        benchmark::DoNotOptimize(length);
    }
    state.SetItemsProcessed(state.iterations() * kLookups);
}
BENCHMARK(BM_FindFileHits);

// The yardstick: 1,000 look-ups of the same missing names in a hash map of
// the tree's 10,000 file names.
void BM_HashMapLookups(benchmark::State& state) {
    ResourceTree& files = tree();
    std::unordered_map<std::string, std::string> map;
    for (const std::string& name : files.names()) map.emplace(name, "/textures/" + name);
    for (auto _ : state) {
        int found = 0;
        for (const std::string& name : files.misses()) found += map.find(name) != map.end();
        benchmark::DoNotOptimize(found);
    }
    state.SetItemsProcessed(state.iterations() * kLookups);
}
BENCHMARK(BM_HashMapLookups);

// For contrast: one miss that lists the whole tree from disk.
void BM_UncachedMiss(benchmark::State& state) {
    ResourceTree& files = tree();
    simResourcesFolderCache folders;
    for (auto _ : state) {
        auto found = folders.findFirst(files.textures(), "missing.bmp", simHiddenEntries::shown, false);
        benchmark::DoNotOptimize(found);
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_UncachedMiss)->Unit(benchmark::kMillisecond);

}  // namespace
