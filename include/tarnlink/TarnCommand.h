#ifndef TARNLINK_TARNCOMMAND_H
#define TARNLINK_TARNCOMMAND_H

#include <cstddef>
#include <cstdint>
#include <iosfwd>
#include <list>
#include <new>
#include <string>
#include <type_traits>
#include <typeinfo>
#include <utility>
#include <vector>

#include "tarnlink/TarnExport.h"

namespace TarnLinkPrivate {
class CommandState;
} // namespace TarnLinkPrivate

namespace TarnLink {

// Outcome of a command. The numbers are part of the interface: hosts store and
// compare them.
enum CommandStatus_t : std::int32_t {
    kTLSuccess = 0,
    kTLFail,
    kTLNotSupported,
    kTLTransmitFailure,
    kTLTimeOut,
    kTLCommandFormatNotFound,
    kTLPacketSizeError,
    kTLInvalidSymbolicConstant,
    kTLInvalidCommandHeader,
    kTLInvalidTransportHeader,
    kTLInvalidOpcode,
    kTLCompileMissingParameterData,
    kTLDecompileMissingParameterData,
    kTLAttemptedToExecuteDiagCommand
};

namespace VariantImpl {

class TARNLINK_API bad_variant_cast : public std::bad_cast {
public:
    const char* what() const noexcept override;
};

// A held value. Holders live inside the Variant's own storage, so holding an
// integer never touches the heap.
class TARNLINK_API VariantContentBase {
public:
    virtual ~VariantContentBase();
    virtual const std::type_info& type() const = 0;
    virtual VariantContentBase* clone() const = 0;
    virtual VariantContentBase* clone_into(void* storage) const = 0;
    virtual VariantContentBase* move_into(void* storage) noexcept = 0;
};

template <class T>
class Holder final : public VariantContentBase {
public:
    explicit Holder(const T& value) : held(value) {}
    explicit Holder(T&& value) noexcept : held(std::move(value)) {}
    const std::type_info& type() const override { return typeid(T); }
    VariantContentBase* clone() const override { return new Holder(held); }
    VariantContentBase* clone_into(void* storage) const override { return ::new (storage) Holder(held); }
    VariantContentBase* move_into(void* storage) noexcept override { return ::new (storage) Holder(std::move(held)); }

    T held;
};

// The types a Variant holds, in the order of their tags 1, 2, ...; a type a
// Variant never holds has tag 0. An exact-type check is then one comparison.
template <class... Types>
struct HeldTypeList {
};
using HeldTypes = HeldTypeList<signed char, unsigned char, short, unsigned short, std::int32_t, std::uint32_t,
                               std::int64_t, std::uint64_t, std::string, std::vector<char>, std::list<std::string>,
                               std::pair<std::int32_t, std::int32_t>>;

template <class T, class List>
struct TagInList {
    static constexpr unsigned char value = 0;
};
template <class T, class First, class... Rest>
struct TagInList<T, HeldTypeList<First, Rest...>> {
    static constexpr unsigned char later = TagInList<T, HeldTypeList<Rest...>>::value;
    static constexpr unsigned char value =
        std::is_same_v<T, First> ? 1 : static_cast<unsigned char>(later == 0 ? 0 : later + 1);
};

template <class T>
struct HeldTypeTag {
    static constexpr unsigned char value = TagInList<T, HeldTypes>::value;
};

class Variant;
template <class T>
T* variant_cast(Variant* operand) noexcept;
template <class T>
const T* variant_cast(const Variant* operand) noexcept;

// Holds at most one value of exactly one of twelve types. Type identity is
// exact: no conversion between widths or signedness.
class TARNLINK_API Variant {
public:
    Variant() noexcept {}
    Variant(signed char value) { emplace(value); }
    Variant(unsigned char value) { emplace(value); }
    Variant(short value) { emplace(value); }
    Variant(unsigned short value) { emplace(value); }
    Variant(std::int32_t value) { emplace(value); }
    Variant(std::uint32_t value) { emplace(value); }
    Variant(std::int64_t value) { emplace(value); }
    Variant(std::uint64_t value) { emplace(value); }
    Variant(const std::string& value) { emplace(value); }
    Variant(const std::vector<char>& value) { emplace(value); }
    Variant(const std::list<std::string>& value) { emplace(value); }
    Variant(const std::pair<std::int32_t, std::int32_t>& value) { emplace(value); }
    Variant(const Variant& other)
        : content_(other.content_ ? other.content_->clone_into(storage_) : nullptr), tag_(other.tag_)
    {
    }
    Variant& operator=(const Variant&) = delete;
    ~Variant() { reset(); }

    Variant& swap(Variant& other) noexcept;
    const std::type_info& type() const noexcept { return content_ ? content_->type() : typeid(void); }
    bool empty() const noexcept { return content_ == nullptr; }

private:
    template <class T>
    friend T* variant_cast(Variant* operand) noexcept;
    template <class T>
    friend const T* variant_cast(const Variant* operand) noexcept;

    // Large enough for a holder of any of the twelve types on every supported ABI.
    static constexpr std::size_t kStorageSize = 64;

    template <class T>
    void emplace(const T& value)
    {
        static_assert(sizeof(Holder<T>) <= kStorageSize, "holder does not fit the inline storage");
        static_assert(HeldTypeTag<T>::value != 0, "not a holdable type");
        content_ = ::new (static_cast<void*>(storage_)) Holder<T>(value);
        tag_ = HeldTypeTag<T>::value;
    }
    void reset() noexcept
    {
        if (content_) {
            content_->~VariantContentBase();
            content_ = nullptr;
            tag_ = 0;
        }
    }

    alignas(std::max_align_t) unsigned char storage_[kStorageSize];
    VariantContentBase* content_ = nullptr;
    unsigned char tag_ = 0; // HeldTypeTag of the held type, 0 when empty
};

template <class T>
T* variant_cast(Variant* operand) noexcept
{
    if (operand == nullptr || HeldTypeTag<T>::value == 0 || operand->tag_ != HeldTypeTag<T>::value) {
        return nullptr;
    }
    return &static_cast<Holder<T>*>(operand->content_)->held;
}

template <class T>
const T* variant_cast(const Variant* operand) noexcept
{
    return variant_cast<T>(const_cast<Variant*>(operand));
}

template <class T>
T variant_cast(const Variant& operand)
{
    const T* result = variant_cast<T>(&operand);
    if (result == nullptr) {
        throw bad_variant_cast();
    }
    return *result;
}

} // namespace VariantImpl

// The host's handle on one hardware command: a name from the dictionary, typed
// parameter values, a direction, the conduit that carries it and its status.
//
//     TarnLink::TarnCommand mute("AudioHostChanMute");
//     mute.SetParamUInt8("HostChannel", 5);
//     mute.SetParamBySymbol("Mute", "AudioHostChan_MuteOn");
//
// Thread safety: a command is a value; separate commands may be used on
// separate threads at once. The const members may run on several threads at
// once, and so may compiling one const command, which only reads it (its
// definition is found when it is named, and compiling stores nothing in it),
// unless a parameter of it is set by symbol: compiling writes the symbol's
// number into the command. Every other use of one command from several
// threads needs the host's own lock.
class TARNLINK_API TarnCommand {
public:
    TarnCommand();
    explicit TarnCommand(const char* name);
    TarnCommand(const char* name, std::int32_t conduitId);
    TarnCommand(const TarnCommand& other);
    TarnCommand(const TarnCommand& other, std::int32_t conduitId);
    ~TarnCommand();
    TarnCommand& operator=(const TarnCommand& other);

    void SetCommandName(const char* name);
    const char* GetCommandName() const;
    void SetConduitID(std::int32_t conduitId);
    std::int32_t GetConduitID() const;

    void SetupSendCommand();
    void SetupRequestDataCommand();
    bool IsSendCommand() const;
    bool IsRequestDataCommand() const;

    void SetStatus(CommandStatus_t status);
    CommandStatus_t GetStatus() const;
    const char* GetStatusAsStringConstant() const;
    bool IsStatusSuccess() const;
    bool IsStatusGood() const;
    bool IsStatusBad() const;
    bool IsStatusFail() const;
    bool IsStatusNotSupported() const;
    bool IsStatusTransmitError() const;
    bool IsStatusTimeout() const;

    void SetParamInt8(const char* name, signed char value);
    void SetParamUInt8(const char* name, unsigned char value);
    void SetParamInt16(const char* name, short value);
    void SetParamUInt16(const char* name, unsigned short value);
    void SetParamInt32(const char* name, std::int32_t value);
    void SetParamUInt32(const char* name, std::uint32_t value);
    void SetParamInt64(const char* name, std::int64_t value);
    void SetParamUInt64(const char* name, std::uint64_t value);
    void SetParamByteStream(const char* name, const char* data, std::size_t length);
    void SetParamBySymbol(const char* name, const char* symbol);

    bool GetParamInt8(const char* name, signed char& value) const;
    bool GetParamUInt8(const char* name, unsigned char& value) const;
    bool GetParamInt16(const char* name, short& value) const;
    bool GetParamUInt16(const char* name, unsigned short& value) const;
    bool GetParamInt32(const char* name, std::int32_t& value) const;
    bool GetParamUInt32(const char* name, std::uint32_t& value) const;
    bool GetParamInt64(const char* name, std::int64_t& value) const;
    bool GetParamUInt64(const char* name, std::uint64_t& value) const;
    bool GetParamByteStreamLength(const char* name, std::size_t* length) const;
    bool GetParamByteStream(const char* name, char* buffer, std::size_t bufferSize, std::size_t* length) const;
    bool GetParamByteStreamBuffer(const char* name, char** data, std::size_t* length) const;
    bool GetParamSetSymbol(const char* name, char* buffer, std::size_t bufferSize) const;

    bool IsParamSet(const char* name) const;
    bool IsParamSetBySymbol(const char* name) const;
    bool IsParamSetBySymbolEqualTo(const char* name, const char* symbol) const;
    void ClearParameters();

    void Dump(std::ostream& out) const;
    void WriteParsable(std::ostream& out) const;
    void Parse(std::istream& in);

private:
    void Swap(TarnCommand& other) noexcept;

    TarnLinkPrivate::CommandState* state_; // the only data member: the whole state lives behind it
};

} // namespace TarnLink

#endif
