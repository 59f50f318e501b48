#ifndef TARNLINK_FUZZ_FUZZ_INPUT_H
#define TARNLINK_FUZZ_FUZZ_INPUT_H

// What every fuzz target shares: reading choices out of the fuzzer's bytes,
// failing loudly when an invariant breaks, and a library that stays quiet.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <string>
#include <vector>

// The fuzzer's bytes, consumed from the front. An exhausted input gives zeros
// and empty strings, so every target runs to its end whatever the length.
class FuzzInput {
public:
    FuzzInput(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

    bool Empty() const { return position_ == size_; }
    std::size_t Remaining() const { return size_ - position_; }

    std::uint8_t Byte() { return Empty() ? 0 : data_[position_++]; }
    bool Flag() { return (Byte() & 1) != 0; }

    template <class T>
    T Integer()
    {
        std::uint64_t value = 0;
        for (std::size_t i = 0; i < sizeof(T); ++i) {
            value = value << 8 | Byte();
        }
        return static_cast<T>(value);
    }

    // Up to count bytes, fewer when the input ends first.
    std::string Bytes(std::size_t count)
    {
        const std::size_t taken = count < Remaining() ? count : Remaining();
        std::string bytes(reinterpret_cast<const char*>(data_ + position_), taken);
        position_ += taken;
        return bytes;
    }

    // A length byte, then that many bytes.
    std::string ShortBytes() { return Bytes(Byte()); }
    std::string Rest() { return Bytes(Remaining()); }

    // One of count choices; count must not be 0.
    std::size_t Choice(std::size_t count) { return Integer<std::uint16_t>() % count; }

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t position_ = 0;
};

// A broken invariant is a finding: the fuzzer keeps the input that caused it.
inline void Require(bool holds, const char* invariant)
{
    if (!holds) {
        std::fprintf(stderr, "fuzz invariant broken: %s\n", invariant);
        std::abort();
    }
}

// The library writes its diagnostics to standard output; a fuzzer that
// printed them would spend its time there.
inline void SilenceDiagnostics() { std::cout.rdbuf(nullptr); }

#endif
