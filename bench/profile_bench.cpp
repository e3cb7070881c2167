// Reading a workspace file of n window sections the way the loader reads it (the Root list, then each
// section's keys by name), against splitting the same bytes into lines, over n = 10^4 ... 10^5:
// both must grow in proportion to n.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "BenchMinimum.h"
#include "settings/TIniHelper.h"

namespace {
std::filesystem::path workspaceOf(int64_t n)
{
    const auto file = std::filesystem::temp_directory_path() / ("marlune-profile-bench-" + std::to_string(n) + ".mws");
    if (std::filesystem::exists(file))
        return file;
    std::ofstream out(file, std::ios::binary);
    out << "[Root]\r\n";
    for (int64_t i = 0; i < n; ++i)
        out << "Root_" << i + 1 << "=Window_" << i << "\r\n";
    for (int64_t i = 0; i < n; ++i)
        out << "[Window_" << i << "]\r\nType=22\r\nLinked=1\r\nFileName=tone.wav\r\nChild_1=Window_" << n + i << "\r\n";
    return file;
}

void LoaderReads(benchmark::State& state)
{
    const auto file = workspaceOf(state.range(0)).string();
    for (auto _ : state) {
        const TIniHelper ini(file);
        int64_t found = 0;
        for (int i = 1;; ++i) {
            const std::string section = ini.readText("Root", "Root_" + std::to_string(i));
            if (section.empty())
                break;
            found += ini.readInt(section, "Type") + ini.readInt(section, "ChannelNumber");
            found += int64_t(ini.readText(section, "Child_1").size() + ini.readText(section, "Parent_1").size());
        }
        benchmark::DoNotOptimize(found);
    }
    state.SetComplexityN(state.range(0));
}

// The reference: the same file's bytes read and cut into lines.
void SplitLines(benchmark::State& state)
{
    const auto file = workspaceOf(state.range(0));
    for (auto _ : state) {
        std::ifstream in(file, std::ios::binary);
        int64_t lines = 0;
        for (std::string line; std::getline(in, line);)
            lines += int64_t(line.size());
        benchmark::DoNotOptimize(lines);
    }
    state.SetComplexityN(state.range(0));
}
}  // namespace

void sizes(benchmark::internal::Benchmark* b)
{
    withMinimum(b->RangeMultiplier(2)->Range(10000, 160000)->Complexity(benchmark::oN)->Unit(benchmark::kMillisecond), 5);
}
BENCHMARK(LoaderReads)->Apply(sizes);
BENCHMARK(SplitLines)->Apply(sizes);
BENCHMARK_MAIN();
