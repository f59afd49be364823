// Throughput of the source generator on large messages, beside two baselines
// taken in the same run: copying the output's bytes into a buffer already in
// use, and writing the same number of bytes into freshly mapped memory.
#include <benchmark/benchmark.h>
#include <malloc.h>
#include <sys/mman.h>

#include <cstring>
#include <memory>
#include <string>

#include "source_generator.h"

namespace {

constexpr std::size_t oneMiB = std::size_t{1} << 20U;

// A message of about the given size: lines of varying length, one in seven
// with double quotes, one in eleven empty, some Cyrillic.
EditorLines messageOfSize(std::size_t bytes) {
    EditorLines lines;
    std::size_t total = 0;
    for (std::size_t i = 0; total < bytes; ++i) {
        std::string line;
        if (i % 11 != 0) {
            line = "Line " + std::to_string(i) + " of the message \xCF\xF0\xE8\xE2\xE5\xF2, with some text";
            line.append(i % 40, 'x');
            if (i % 7 == 0) {
                line += " said \"yes\" and \"no\"";
            }
        }
        total += line.size() + 1;
        lines.push_back(std::move(line));
    }
    return lines;
}

const MessageBoxSpec& yesNoSpec() {
    static const MessageBoxSpec derived = [] {
        MessageBoxOptions options;
        options.buttonSetIndex = 4;
        options.iconIndex = 2;
        return deriveSpec(options);
    }();
    return derived;
}

std::size_t outputSize(std::size_t messageBytes) {
    return generateCall(yesNoSpec(), "Title \"q\"", messageOfSize(messageBytes), false).size();
}

void generateCallThroughput(benchmark::State& state) {
    const EditorLines lines = messageOfSize(static_cast<std::size_t>(state.range(0)) * oneMiB);
    std::size_t produced = 0;
    for (auto _ : state) {
        std::string source = generateCall(yesNoSpec(), "Title \"q\"", lines, false);
        produced = source.size();
        benchmark::DoNotOptimize(source.data());
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(produced));
}

void copyIntoUsedBuffer(benchmark::State& state) {
    const std::size_t size = outputSize(static_cast<std::size_t>(state.range(0)) * oneMiB);
    const std::string source(size, 'a');
    std::string target(size, 'b');
    for (auto _ : state) {
        std::memcpy(target.data(), source.data(), size);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(size));
}

void touchFreshMemory(benchmark::State& state) {
    const std::size_t size = outputSize(static_cast<std::size_t>(state.range(0)) * oneMiB);
    for (auto _ : state) {
        // Larger than the allocator keeps for reuse, so every pass gets pages
        // the process has never touched.
        void* fresh = mmap(nullptr, size, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
        std::memset(fresh, 'c', size);
        benchmark::ClobberMemory();
        munmap(fresh, size);
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(size));
}

}  // namespace

BENCHMARK(generateCallThroughput)->Arg(1)->Arg(16)->Unit(benchmark::kMillisecond);
BENCHMARK(copyIntoUsedBuffer)->Arg(1)->Arg(16)->Unit(benchmark::kMillisecond);
BENCHMARK(touchFreshMemory)->Arg(1)->Arg(16)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    // Keep freed blocks of up to 32 MiB in the heap, so that a program calling
    // the generator again reuses warm memory: the steady state measured here.
    mallopt(M_MMAP_THRESHOLD, 32 * 1024 * 1024);
    mallopt(M_TRIM_THRESHOLD, 256 * 1024 * 1024);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
