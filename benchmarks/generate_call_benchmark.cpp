// Throughput of the source generator on large messages, beside two baselines
// taken in the same run: copying the output's bytes into a buffer already in
// use, and writing the same number of bytes into freshly mapped memory.
//
// The generator is measured twice: writing into a buffer already in use (the
// warm figure), and writing into freshly mapped memory as one click of
// "Скопировать" does, whose clipboard block is new memory every time (the cold
// figure). generateCall, which allocates its string anew each call, is shown
// as well: after the first such string is freed the C library keeps strings
// of this size in its heap, so from the second call on it reuses warm memory;
// only the first call of a process is as cold as the fresh-memory figure. No
// allocator tuning is applied.
#include <benchmark/benchmark.h>
#include <sys/mman.h>

#include <cstring>
#include <string>

#include "document_lines.h"
#include "source_generator.h"

namespace {

constexpr std::size_t oneMiB = std::size_t{1} << 20U;

// A message of about the given size: lines of varying length, one in seven
// with double quotes, one in eleven empty, some Cyrillic.
std::string documentOfSize(std::size_t bytes) {
    std::string document;
    for (std::size_t i = 0; document.size() < bytes; ++i) {
        if (i % 11 != 0) {
            document += "Line " + std::to_string(i) + " of the message \xCF\xF0\xE8\xE2\xE5\xF2, with some text";
            document.append(i % 40, 'x');
            if (i % 7 == 0) {
                document += " said \"yes\" and \"no\"";
            }
        }
        document += "\r\n";
    }
    return document;
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

constexpr std::string_view title = "Title \"q\"";

struct Message {
    std::string document;
    EditorLineViews lines;
    std::size_t outputSize = 0;
};

Message messageOf(const benchmark::State& state) {
    Message message{documentOfSize(static_cast<std::size_t>(state.range(0)) * oneMiB), {}, 0};
    message.lines = cutDocumentLines(message.document);
    message.outputSize = generatedCallSize(yesNoSpec(), title, message.lines, false);
    return message;
}

void* freshMemory(std::size_t size) {
    return mmap(nullptr, size, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
}

void generateCallIntoUsedBuffer(benchmark::State& state) {
    const Message message = messageOf(state);
    std::string target(message.outputSize, 'b');
    for (auto _ : state) {
        writeGeneratedCall(target.data(), yesNoSpec(), title, message.lines, false);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(message.outputSize));
}

void generateCallIntoFreshMemory(benchmark::State& state) {
    const Message message = messageOf(state);
    for (auto _ : state) {
        void* fresh = freshMemory(message.outputSize);
        writeGeneratedCall(static_cast<char*>(fresh), yesNoSpec(), title, message.lines, false);
        benchmark::ClobberMemory();
        munmap(fresh, message.outputSize);
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(message.outputSize));
}

void generateCallAsString(benchmark::State& state) {
    const Message message = messageOf(state);
    for (auto _ : state) {
        std::string source = generateCall(yesNoSpec(), title, message.lines, false);
        benchmark::DoNotOptimize(source.data());
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(message.outputSize));
}

void cutDocumentIntoLines(benchmark::State& state) {
    const Message message = messageOf(state);
    for (auto _ : state) {
        EditorLineViews lines = cutDocumentLines(message.document);
        benchmark::DoNotOptimize(lines.data());
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(message.document.size()));
}

void copyIntoUsedBuffer(benchmark::State& state) {
    const std::size_t size = messageOf(state).outputSize;
    const std::string source(size, 'a');
    std::string target(size, 'b');
    for (auto _ : state) {
        std::memcpy(target.data(), source.data(), size);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(size));
}

void touchFreshMemory(benchmark::State& state) {
    const std::size_t size = messageOf(state).outputSize;
    for (auto _ : state) {
        void* fresh = freshMemory(size);
        std::memset(fresh, 'c', size);
        benchmark::ClobberMemory();
        munmap(fresh, size);
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(size));
}

}  // namespace

BENCHMARK(generateCallIntoUsedBuffer)->Arg(1)->Arg(16)->Unit(benchmark::kMillisecond);
BENCHMARK(copyIntoUsedBuffer)->Arg(1)->Arg(16)->Unit(benchmark::kMillisecond);
BENCHMARK(generateCallIntoFreshMemory)->Arg(1)->Arg(16)->Unit(benchmark::kMillisecond);
BENCHMARK(touchFreshMemory)->Arg(1)->Arg(16)->Unit(benchmark::kMillisecond);
BENCHMARK(generateCallAsString)->Arg(1)->Arg(16)->Unit(benchmark::kMillisecond);
BENCHMARK(cutDocumentIntoLines)->Arg(1)->Arg(16)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
