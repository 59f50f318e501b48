// Start-up: Initialize and Terminate over the embedded definition and
// capability files, beside one pass of a whitespace tokenizer over the same
// bytes, the least any reader of these text files has to do.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include <benchmark/benchmark.h>

#include "measured_loop.h"
#include "comparison.h"
#include "platform/platform.h"
#include "tarnlink/TarnCommandFactory.h"

namespace TarnLinkBench {

namespace {

bool IsWhitespace(unsigned char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }

// Hands every whitespace-separated token of the text to the sink; the number
// of tokens.
template <class Sink>
std::size_t Tokenize(std::string_view text, Sink&& sink)
{
    std::size_t tokens = 0;
    std::size_t position = 0;
    while (position < text.size()) {
        while (position < text.size() && IsWhitespace(static_cast<unsigned char>(text[position]))) {
            ++position;
        }
        const std::size_t start = position;
        while (position < text.size() && !IsWhitespace(static_cast<unsigned char>(text[position]))) {
            ++position;
        }
        if (position > start) {
            sink(text.substr(start, position - start));
            ++tokens;
        }
    }
    return tokens;
}

void InitializeTerminate(benchmark::State& state)
{
    MeasuredLoop(state, [] {
        TarnLink::TarnCommandFactory::Terminate();
        return TarnLink::TarnCommandFactory::Initialize();
    });
}

// The texts of the embedded definition (kind 1) and capability (kind 2)
// files, located once: the tokenizer stands for reading, not for finding.
std::vector<std::string_view> EmbeddedTexts()
{
    std::vector<std::string_view> texts;
    for (const int kind : {1, 2}) {
        std::string name;
        for (std::size_t index = 0; TarnLinkPrivate::Platform::EmbeddedItemName(kind, index, name); ++index) {
            TarnLinkPrivate::Platform::EmbeddedBytes bytes;
            if (TarnLinkPrivate::Platform::LoadEmbeddedItem(kind, name, bytes)) {
                texts.emplace_back(reinterpret_cast<const char*>(bytes.data), bytes.size);
            }
        }
    }
    return texts;
}

void TokenizeEmbeddedFiles(benchmark::State& state)
{
    static const std::vector<std::string_view> texts = EmbeddedTexts();
    MeasuredLoop(state, [] {
        std::size_t tokens = 0;
        for (const std::string_view text : texts) {
            tokens += Tokenize(text, [](std::string_view token) { benchmark::DoNotOptimize(token); });
        }
        return tokens;
    });
}

const char kInitializeTerminate[] = "TarnLink: Initialize + Terminate";
const char kTokenizer[] = "whitespace tokenizer over the same .tcd + .hwc bytes";

const bool registered = Register({{kInitializeTerminate, InitializeTerminate}, {kTokenizer, TokenizeEmbeddedFiles}},
                                 {{"Initialize + Terminate, embedded files", kInitializeTerminate, kTokenizer, 4.0}});

} // namespace

} // namespace TarnLinkBench
