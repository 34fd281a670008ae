// A folder of 5,000 files listed into the file browser's model (folders
// first, sorted, filtered by the file type), beside `ls -f` of the same
// folder (the bare directory read, unsorted) run as a program.
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include <benchmark/benchmark.h>

#include "app/shell/CDlgFileBrowserModel.h"

namespace {

constexpr int kFiles = 5000;

const std::string& fixtureFolder() {
    static const std::string folder = [] {
        const std::filesystem::path path = std::filesystem::temp_directory_path() / "tolvane-bench-5000-files";
        std::filesystem::create_directories(path);
        for (int i = 0; i < kFiles; ++i) {
            const std::filesystem::path file = path / ("scheme_" + std::to_string(i) + (i % 2 ? ".tvp" : ".bmp"));
            if (!std::filesystem::exists(file)) std::fclose(std::fopen(file.c_str(), "w"));
        }
        for (int i = 0; i < 20; ++i) std::filesystem::create_directories(path / ("folder_" + std::to_string(i)));
        return path.string();
    }();
    return folder;
}

void BM_BrowserModelListsFolder(benchmark::State& state) {
    std::string result;
    shell::FileBrowserModel model(&result, {"*.tvp"}, fixtureFolder(), false);
    model.open();
    for (auto _ : state) {
        model.chooseFileType(static_cast<int>(state.range(0)));
        benchmark::DoNotOptimize(model.rows().data());
    }
    state.counters["rows"] = static_cast<double>(model.rows().size());
}
// 0: "*.tvp" (half the files), 1: all files.
BENCHMARK(BM_BrowserModelListsFolder)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_LsUnsorted(benchmark::State& state) {
    const std::string command = "ls -f '" + fixtureFolder() + "' > /dev/null";
    for (auto _ : state) {
        if (std::system(command.c_str()) != 0) state.SkipWithError("ls failed");
    }
}
BENCHMARK(BM_LsUnsorted)->Unit(benchmark::kMillisecond);

}  // namespace
