#ifndef TARNLINK_COMMAND_PARAMETER_VALUE_H
#define TARNLINK_COMMAND_PARAMETER_VALUE_H

// The value a command holds for one parameter: nothing, an integer of exactly
// the type it was set as, a byte stream, or a symbolic constant still to be
// resolved. Integers are kept as raw bits beside their type, so that setting,
// reading and encoding one never goes through a type-erased holder.

#include <cstdint>
#include <string>
#include <vector>

#include "dictionary/parameter_type.h"
#include "tarnlink/TarnCommand.h"

namespace TarnLinkPrivate {

class ParameterValue {
public:
    bool IsSet() const { return kind_ != kEmpty; }
    bool IsSymbol() const { return kind_ == kSymbol; }
    // True when the value was set as exactly this type (never for a symbol).
    bool Holds(ParamType type) const { return kind_ == static_cast<std::uint8_t>(type); }

    void Reset()
    {
        ReleaseBytes();
        kind_ = kEmpty;
        symbol_.clear();
    }

    template <class Integer>
    void SetInteger(Integer value)
    {
        ReleaseBytes();
        kind_ = static_cast<std::uint8_t>(ParamTypeOf<Integer>::type);
        bits_ = static_cast<std::uint64_t>(value);
    }

    // An integer of the type from the width of bytes it took on the wire.
    void SetRawInteger(ParamType type, std::uint64_t bits)
    {
        ReleaseBytes();
        OverwriteWithInteger(type, bits);
    }
    // The same for a value that holds no byte stream, so nothing to free.
    void OverwriteWithInteger(ParamType type, std::uint64_t bits)
    {
        kind_ = static_cast<std::uint8_t>(type);
        bits_ = bits;
    }

    // The value as exactly Integer; bad_variant_cast when it holds another
    // type, as a cast of a held value does.
    template <class Integer>
    Integer GetInteger() const
    {
        if (!Holds(ParamTypeOf<Integer>::type)) {
            throw TarnLink::VariantImpl::bad_variant_cast();
        }
        return static_cast<Integer>(bits_);
    }

    // The raw bits of an integer of the given type, for the wire.
    std::uint64_t Bits() const { return bits_; }

    // data may point into the stream held now (a host handing back the
    // buffer it was lent).
    void SetBytes(const char* data, std::size_t length)
    {
        if (Holds(ParamType::kBytes) && length != 0 && data >= bytes_.data() && data < bytes_.data() + bytes_.size()) {
            std::vector<char> copy(data, data + length);
            bytes_.swap(copy);
        } else {
            bytes_.assign(data, data + length);
        }
        kind_ = static_cast<std::uint8_t>(ParamType::kBytes);
        symbol_.clear();
    }
    // Null unless a byte stream is held.
    const std::vector<char>* Bytes() const { return Holds(ParamType::kBytes) ? &bytes_ : nullptr; }
    std::vector<char>* Bytes() { return Holds(ParamType::kBytes) ? &bytes_ : nullptr; }

    void SetSymbol(const char* symbol, std::size_t length)
    {
        ReleaseBytes();
        symbol_.assign(symbol, length);
        kind_ = kSymbol;
    }
    // Null unless a symbol is held.
    const std::string* Symbol() const { return IsSymbol() ? &symbol_ : nullptr; }

    // The type the value was set as; kInvalid for a symbol or nothing.
    ParamType Type() const { return kind_ < kSymbol ? static_cast<ParamType>(kind_) : ParamType::kInvalid; }

private:
    static constexpr std::uint8_t kSymbol = static_cast<std::uint8_t>(ParamType::kInvalid) + 1;
    static constexpr std::uint8_t kEmpty = kSymbol + 1;

    // A stream replaced by another kind of value gives its memory back.
    void ReleaseBytes()
    {
        if (Holds(ParamType::kBytes)) {
            std::vector<char>().swap(bytes_);
        }
    }

    std::uint8_t kind_ = kEmpty;
    std::uint64_t bits_ = 0;
    std::vector<char> bytes_;
    std::string symbol_;
};

} // namespace TarnLinkPrivate

#endif
