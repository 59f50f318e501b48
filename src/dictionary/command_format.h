#ifndef TARNLINK_DICTIONARY_COMMAND_FORMAT_H
#define TARNLINK_DICTIONARY_COMMAND_FORMAT_H

// The in-memory form of one command definition: name, kind, addressing,
// ordered parameters and symbolic constants.

#include <atomic>
#include <cstdint>
#include <iosfwd>
#include <memory>
#include <memory_resource>
#include <string>
#include <string_view>
#include <vector>

#include "dictionary/packet_plan.h"
#include "dictionary/parameter_type.h"
#include "wire/wire_format.h"

namespace TarnLinkPrivate {

class StatementWords;

struct ParameterDefinition {
    std::string name;
    ParamType type = ParamType::kInvalid; // its keyword is ParamTypeName(type)
    bool requiredForRequestData = false;
    // Layout, computed when the definition is loaded (packet_layout.h).
    std::int32_t size = -1;
    bool variableLength = false;
    std::int32_t packetOffset = -1;
    std::int32_t bytesForPacketPosition = 0;
};

struct SymbolDefinition {
    std::string name;
    std::int32_t value;
};

// A definition's lists, from the dictionary's arena when it loads from a file.
using ParameterDefinitions = std::pmr::vector<ParameterDefinition>;
using SymbolDefinitions = std::pmr::vector<SymbolDefinition>;

struct PacketSizes {
    std::int32_t sendSize = 0;
    std::int32_t sendPayloadSize = 0;
    std::int32_t requestSize = 0;
    std::int32_t requestPayloadSize = 0;
};

class CommandFormat {
public:
    // Fixed by the class, so that the kind tests on every command's path
    // read a field instead of calling through the class hierarchy.
    enum class Kind : std::uint8_t { kTarn, kDiag, kMeta };

    CommandFormat(Kind kind, std::pmr::memory_resource* memory) : kind_(kind), parameters_(memory), symbols_(memory) {}
    CommandFormat(const CommandFormat&) = delete;
    CommandFormat& operator=(const CommandFormat&) = delete;

    virtual bool ReadCommandTypeBlock(StatementWords& statement) = 0;
    virtual void WriteCommandTypeBlock(std::ostream& out) const = 0;
    virtual bool Validate(std::vector<std::string>& errors) const = 0;
    virtual void SetHasVariableLengthData(bool variable) = 0;
    virtual ~CommandFormat();
    // The time-out the capability files give the command; 0 for the
    // conduit's default. Only a Tarn definition keeps one. Written by the
    // capability subsystem while hosts may be compiling.
    std::uint32_t GetOverrideTimeoutMillisec() const
    {
        return overrideTimeoutMillisec_.load(std::memory_order_relaxed);
    }
    void SetOverrideTimeoutMillisec(std::uint32_t millisec)
    {
        if (kind_ == Kind::kTarn) {
            overrideTimeoutMillisec_.store(millisec, std::memory_order_relaxed);
        }
    }
    virtual void Clear();
    bool IsTarnCommandFormat() const { return kind_ == Kind::kTarn; }
    bool IsMetaCommandFormat() const { return kind_ == Kind::kMeta; }
    bool IsDiagCommandFormat() const { return kind_ == Kind::kDiag; }
    virtual bool HasVariableLengthData() const;
    virtual bool IsUnique() const;
    virtual void Dump(std::ostream& out, bool brief) const = 0;
    virtual bool Precompute();
    // Enters the keys that must stay unique (type code, opcode) in their indexes.
    virtual void RegisterUniqueKeys() const;
    virtual bool HasEnumConstant() const = 0;
    virtual bool WriteEnumConstant(std::ostream& out) const = 0;
    virtual bool HasHeaderDeclarations() const = 0;
    virtual bool WriteHeaderDeclarations(std::ostream& out) const = 0;

    const std::string& Name() const { return name_; }
    void SetName(std::string_view name) { name_ = name; }
    // The file the definition came from, shared by all definitions of that
    // file; empty when unknown.
    const std::string& SourceFile() const;
    void SetSourceFile(std::shared_ptr<const std::string> file) { sourceFile_ = std::move(file); }

    const ParameterDefinitions& Parameters() const { return parameters_; }
    ParameterDefinitions& Parameters() { return parameters_; }
    bool HasParameter(std::string_view name) const { return FindParameter(name) != nullptr; }
    const ParameterDefinition* FindParameter(std::string_view name) const;
    const ParameterDefinition* FindParameter(const char* name) const
    {
        return name != nullptr ? FindParameter(std::string_view(name)) : nullptr;
    }
    // False when the name is taken; the parser has checked order and types.
    bool AddParameter(ParameterDefinition parameter);

    const SymbolDefinitions& Symbols() const { return symbols_; }
    // False when the name is taken.
    bool AddSymbol(std::string_view name, std::int32_t value);
    bool FindSymbol(std::string_view name, std::int32_t* value) const;
    bool FindSymbol(const char* name, std::int32_t* value) const
    {
        return name != nullptr && FindSymbol(std::string_view(name), value);
    }
    std::size_t SymbolCount() const { return symbols_.size(); }
    bool GetNthSymbol(std::int64_t n, std::string* name, std::int32_t* value) const;

protected:
    // The "Params {" block of a dump, the parameters' layout lines unless brief.
    void DumpParameters(std::ostream& out, bool brief) const;

private:
    Kind kind_;
    std::atomic<std::uint32_t> overrideTimeoutMillisec_{0};
    std::string name_;
    ParameterDefinitions parameters_;
    SymbolDefinitions symbols_;
    std::shared_ptr<const std::string> sourceFile_;
};

// A definition whose parameters travel in packets (kinds Tarn and Diag).
class TarnDataCommandFormat : public CommandFormat {
public:
    using CommandFormat::CommandFormat;
    void SetHasVariableLengthData(bool variable) override { hasVariableLengthData_ = variable; }
    bool HasVariableLengthData() const final { return hasVariableLengthData_; }
    void Clear() override;
    void Dump(std::ostream& out, bool brief) const override;
    bool Precompute() override;
    bool HasEnumConstant() const override { return false; }
    bool WriteEnumConstant(std::ostream& out) const override;
    bool HasHeaderDeclarations() const override { return true; }
    bool WriteHeaderDeclarations(std::ostream& out) const override;

    // The sizes precomputed at load. For a definition with variable-length
    // data they hold the layout with an empty byte stream.
    const PacketSizes& Sizes() const { return sizes_; }
    void SetSizes(const PacketSizes& sizes) { sizes_ = sizes; }
    virtual std::int32_t HeaderLength() const = 0;
    // Largest number of parameter bytes one packet can carry.
    virtual std::int32_t PayloadLimit() const = 0;
    // The header of a packet of the given direction carrying payloadLength
    // parameter bytes; false when the definition's header cannot be written.
    virtual bool WritePacketHeader(bool isSend, std::int32_t payloadLength, unsigned char* out) const = 0;

    // Where its packets carry their integers, planned at load (packet_plan.h).
    const PacketPlan& Plan() const { return plan_; }

protected:
    void DumpDataFormat(std::ostream& out, bool brief) const;
    // The variable-length flag and the packet sizes, closing a data dump.
    void DumpPacketInfo(std::ostream& out) const;

private:
    bool hasVariableLengthData_ = false;
    PacketSizes sizes_;
    PacketPlan plan_;
};

enum : std::uint32_t { kMajorVideo = 0, kMajorAudio = 1, kMajorSystem = 2, kMajorDiagnostic = 3 };

class TarnCommandFormat final : public TarnDataCommandFormat {
public:
    explicit TarnCommandFormat(std::pmr::memory_resource* memory = std::pmr::get_default_resource())
        : TarnDataCommandFormat(Kind::kTarn, memory)
    {
    }
    bool ReadCommandTypeBlock(StatementWords& statement) override;
    void WriteCommandTypeBlock(std::ostream& out) const override;
    bool Validate(std::vector<std::string>& errors) const override;
    void Clear() override;
    bool IsUnique() const override;
    void Dump(std::ostream& out, bool brief) const override;
    void RegisterUniqueKeys() const override;
    bool HasEnumConstant() const override { return true; }
    bool WriteEnumConstant(std::ostream& out) const override;
    std::int32_t HeaderLength() const override { return kTarnHeaderLength; }
    std::int32_t PayloadLimit() const override { return kTarnPayloadLimit; }
    bool WritePacketHeader(bool isSend, std::int32_t payloadLength, unsigned char* out) const override;

    std::uint32_t Major() const { return major_; }
    std::uint16_t Minor() const { return minor_; }
    std::uint16_t Function() const { return function_; }
    void SetAddress(std::uint32_t major, std::uint16_t minor, std::uint16_t function);

private:
    std::uint32_t major_ = kMajorDiagnostic;
    std::uint16_t minor_ = 65535;
    std::uint16_t function_ = 65535;
};

class DiagCommandFormat final : public TarnDataCommandFormat {
public:
    explicit DiagCommandFormat(std::pmr::memory_resource* memory = std::pmr::get_default_resource())
        : TarnDataCommandFormat(Kind::kDiag, memory)
    {
    }
    bool ReadCommandTypeBlock(StatementWords& statement) override;
    void WriteCommandTypeBlock(std::ostream& out) const override;
    bool Validate(std::vector<std::string>& errors) const override;
    bool IsUnique() const override;
    void Dump(std::ostream& out, bool brief) const override;
    void RegisterUniqueKeys() const override;
    bool HasEnumConstant() const override { return true; }
    bool WriteEnumConstant(std::ostream& out) const override;
    std::int32_t HeaderLength() const override { return kDiagHeaderLength; }
    std::int32_t PayloadLimit() const override { return kDiagPayloadLimit; }
    bool WritePacketHeader(bool isSend, std::int32_t payloadLength, unsigned char* out) const override;

    std::uint16_t Opcode() const { return opcode_; }
    void SetOpcode(std::uint16_t opcode) { opcode_ = opcode; }

private:
    std::uint16_t opcode_ = 0;
};

class MetaCommandFormat final : public CommandFormat {
public:
    explicit MetaCommandFormat(std::pmr::memory_resource* memory = std::pmr::get_default_resource())
        : CommandFormat(Kind::kMeta, memory)
    {
    }
    bool ReadCommandTypeBlock(StatementWords& statement) override;
    void WriteCommandTypeBlock(std::ostream& out) const override;
    bool Validate(std::vector<std::string>& errors) const override;
    void SetHasVariableLengthData(bool) override {}
    void Clear() override;
    void Dump(std::ostream& out, bool brief) const override;
    bool HasEnumConstant() const override { return false; }
    bool WriteEnumConstant(std::ostream& out) const override;
    bool HasHeaderDeclarations() const override { return false; }
    bool WriteHeaderDeclarations(std::ostream& out) const override;

    const std::string& StartCommand() const { return start_; }
    const std::string& RepeatCommand() const { return repeat_; }
    const std::string& StopCommand() const { return stop_; }
    void SetSequence(const std::string& start, const std::string& repeat, const std::string& stop);

private:
    std::string start_;
    std::string repeat_;
    std::string stop_;
};

// "VIDEO", "AUDIO", "SYSTEM", "DIAGNOSTIC", or "*INVALID*" for other codes.
const char* MajorTypeName(std::uint32_t major);

} // namespace TarnLinkPrivate

#endif
