#include "dictionary/command_format.h"

#include <ostream>
#include <utility>

#include "dictionary/command_registry.h"
#include "dictionary/name_bytes.h"
#include "diagnostics/diagnostics.h"
#include "dictionary/packet_layout.h"

namespace TarnLinkPrivate {

namespace {

// What the shipped definitions mostly have at most.
constexpr std::size_t kTypicalParameters = 4;
constexpr std::size_t kTypicalSymbols = 8;

constexpr char kDuplicateName[] = "\n\nERROR - Duplicate Tarn Command Name found : ";
constexpr char kDuplicateTypeCode[] = "\n\nERROR - Duplicate Major Type, Minor Type, and Function code found!";
constexpr char kDuplicateOpcode[] = "\n\nERROR - Duplicate Diag Opcode code found!";
constexpr char kExistingCommand[] = "\n\n\t\t Existing Command Name: ";

constexpr const char* kMajorNames[] = {"VIDEO", "AUDIO", "SYSTEM", "DIAGNOSTIC"};
constexpr char kInvalidMajorName[] = "*INVALID*";

// False, naming the command that holds the key, when the index has it.
template <typename Index, typename Key>
bool IsKeyFree(const Index& index, const Key& key, const char* conflict)
{
    const auto existing = index.find(key);
    if (existing == index.end()) {
        return true;
    }
    VerboseMessage(conflict, kExistingCommand, existing->second);
    return false;
}

} // namespace

const char* MajorTypeName(std::uint32_t major)
{
    return major <= kMajorDiagnostic ? kMajorNames[major] : kInvalidMajorName;
}

// ---- CommandFormat ----

CommandFormat::~CommandFormat() = default;

void CommandFormat::Clear()
{
    name_.clear();
    parameters_.clear();
    symbols_.clear();
    sourceFile_.reset();
}

const std::string& CommandFormat::SourceFile() const
{
    static const std::string unknown;
    return sourceFile_ ? *sourceFile_ : unknown;
}

bool CommandFormat::HasVariableLengthData() const { return false; }

bool CommandFormat::IsUnique() const
{
    if (IsNameRegistered(name_)) {
        VerboseMessage(kDuplicateName, name_);
        return false;
    }
    return true;
}

bool CommandFormat::Precompute() { return true; }

void CommandFormat::RegisterUniqueKeys() const {}

const ParameterDefinition* CommandFormat::FindParameter(std::string_view name) const
{
    for (const ParameterDefinition& parameter : parameters_) {
        if (SameName(parameter.name, name)) {
            return &parameter;
        }
    }
    return nullptr;
}

bool CommandFormat::AddParameter(ParameterDefinition parameter)
{
    if (HasParameter(parameter.name)) {
        return false;
    }
    // Room for a typical definition at once, instead of growing one element
    // at a time through start-up's hundreds of definitions.
    if (parameters_.empty()) {
        parameters_.reserve(kTypicalParameters);
    }
    parameters_.push_back(std::move(parameter));
    return true;
}

bool CommandFormat::AddSymbol(std::string_view name, std::int32_t value)
{
    if (FindSymbol(name, nullptr)) {
        return false;
    }
    if (symbols_.empty()) {
        symbols_.reserve(kTypicalSymbols);
    }
    symbols_.push_back({std::string(name), value});
    return true;
}

bool CommandFormat::FindSymbol(std::string_view name, std::int32_t* value) const
{
    for (const SymbolDefinition& symbol : symbols_) {
        if (SameName(symbol.name, name)) {
            if (value != nullptr) {
                *value = symbol.value;
            }
            return true;
        }
    }
    return false;
}

bool CommandFormat::GetNthSymbol(std::int64_t n, std::string* name, std::int32_t* value) const
{
    if (n < 0 || static_cast<std::uint64_t>(n) >= symbols_.size()) {
        return false;
    }
    const SymbolDefinition& symbol = symbols_[static_cast<std::size_t>(n)];
    if (name != nullptr) {
        *name = symbol.name;
    }
    if (value != nullptr) {
        *value = symbol.value;
    }
    return true;
}

// ---- TarnDataCommandFormat ----

void TarnDataCommandFormat::Clear()
{
    CommandFormat::Clear();
    hasVariableLengthData_ = false;
    sizes_ = PacketSizes();
    plan_ = PacketPlan();
}

bool TarnDataCommandFormat::Precompute()
{
    plan_ = PacketPlan();
    if (!PrecomputeLayout(*this)) {
        return false;
    }
    plan_ = PlanPackets(*this);
    return true;
}

// ---- TarnCommandFormat ----

void TarnCommandFormat::Clear()
{
    TarnDataCommandFormat::Clear();
    major_ = kMajorDiagnostic;
    minor_ = 65535;
    function_ = 65535;
}

bool TarnCommandFormat::IsUnique() const
{
    return CommandFormat::IsUnique() &&
           IsKeyFree(GetTypeCodeIndex(), TypeCode(major_, minor_, function_), kDuplicateTypeCode);
}

void TarnCommandFormat::RegisterUniqueKeys() const { RegisterTypeCode(TypeCode(major_, minor_, function_), Name()); }

bool TarnCommandFormat::WritePacketHeader(bool isSend, std::int32_t payloadLength, unsigned char* out) const
{
    return WriteTarnPacketHeader(TarnCommandHeader{major_, minor_, function_, !isSend}, payloadLength, out);
}

void TarnCommandFormat::SetAddress(std::uint32_t major, std::uint16_t minor, std::uint16_t function)
{
    major_ = major;
    minor_ = minor;
    function_ = function;
}

// ---- DiagCommandFormat ----

bool DiagCommandFormat::IsUnique() const
{
    return CommandFormat::IsUnique() && IsKeyFree(GetOpcodeIndex(), opcode_, kDuplicateOpcode);
}

void DiagCommandFormat::RegisterUniqueKeys() const { RegisterOpcode(opcode_, Name()); }

bool DiagCommandFormat::WritePacketHeader(bool, std::int32_t payloadLength, unsigned char* out) const
{
    WriteDiagPacketHeader(opcode_, payloadLength, out);
    return true;
}

// ---- MetaCommandFormat ----

void MetaCommandFormat::Clear()
{
    CommandFormat::Clear();
    start_.clear();
    repeat_.clear();
    stop_.clear();
}

void MetaCommandFormat::SetSequence(const std::string& start, const std::string& repeat, const std::string& stop)
{
    start_ = start;
    repeat_ = repeat;
    stop_ = stop;
}

} // namespace TarnLinkPrivate
