// Reading a two-column ASCII table of 4 and of 16 million lines: the time per line must not grow with
// the length of the file. The reference is a plain line count of the same file in the same run.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "BenchMinimum.h"
#include "fileio/AsciiTableReader.h"

namespace {

class TableFile {
public:
    explicit TableFile(std::size_t lines)
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "marlune-bench-XXXXXX").string();
        if (!mkdtemp(pattern.data()))
            throw std::runtime_error("cannot create a temporary folder");
        folder_ = pattern;
        path_ = folder_ / "table.txt";
        std::ofstream out(path_, std::ios::binary);
        char line[64];
        for (std::size_t i = 0; i < lines; ++i) {
            const int n = std::snprintf(line, sizeof line, "%zu\t%.4f\n", i, double(i % 1000) * 0.001);
            out.write(line, n);
        }
    }
    ~TableFile() { std::filesystem::remove_all(folder_); }
    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path folder_;
    std::filesystem::path path_;
};

const TableFile& table(std::size_t lines)
{
    static TableFile four(4'000'000);
    static TableFile sixteen(16'000'000);
    return lines == 4'000'000 ? four : sixteen;
}

void readTable(benchmark::State& state)
{
    const auto lines = std::size_t(state.range(0));
    const TableFile& file = table(lines);
    for (auto _ : state) {
        const FileReadResult result = readAsciiColumns(file.path(), 0, 2, 1000, 0);
        if (!result.ok() || result.signals[1]->count() != lines)
            state.SkipWithError("the table was not read whole");
        benchmark::DoNotOptimize(result.signals[1]->samples());
    }
    state.SetItemsProcessed(state.iterations() * int64_t(lines));
}

void countLines(benchmark::State& state)
{
    const auto lines = std::size_t(state.range(0));
    const TableFile& file = table(lines);
    std::vector<char> chunk(1 << 20);
    for (auto _ : state) {
        std::ifstream in(file.path(), std::ios::binary);
        std::size_t counted = 0;
        while (in.read(chunk.data(), std::streamsize(chunk.size())) || in.gcount() > 0)
            counted += std::size_t(std::count(chunk.data(), chunk.data() + in.gcount(), '\n'));
        benchmark::DoNotOptimize(counted);
    }
    state.SetItemsProcessed(state.iterations() * int64_t(lines));
}

}  // namespace

BENCHMARK(countLines)->Arg(4'000'000)->Arg(16'000'000)->Unit(benchmark::kMillisecond)->Apply(minimumOf5);
BENCHMARK(readTable)->Arg(4'000'000)->Arg(16'000'000)->Unit(benchmark::kMillisecond)->Apply(minimumOf5);
BENCHMARK_MAIN();
