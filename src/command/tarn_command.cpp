// The command object: name, direction, conduit, status and typed parameters.

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "command/command_status.h"
#include "command/command_state.h"
#include "dictionary/parameter_type.h"
#include "tarnlink/TarnCommand.h"

namespace TarnLink {

using TarnLinkPrivate::CommandState;
using TarnLinkPrivate::ParameterValue;

namespace {
constexpr char kBogusStatusText[] = "BOGUS_TL_STATUS";
constexpr std::size_t kLongestSymbol = 254;

// A missing parameter gives false, another stored type throws bad_variant_cast.
template <class T>
bool ReadExact(const CommandState& state, const char* name, T& value)
{
    const ParameterValue* stored = state.Find(name);
    if (stored == nullptr) {
        return false;
    }
    value = stored->GetInteger<T>();
    return true;
}

// The stored byte sequence; null when the parameter is missing; throws
// bad_variant_cast when it holds another type.
const std::vector<char>* StoredBytes(const CommandState& state, const char* name)
{
    const ParameterValue* stored = state.Find(name);
    if (stored == nullptr) {
        return nullptr;
    }
    const std::vector<char>* bytes = stored->Bytes();
    if (bytes == nullptr) {
        throw VariantImpl::bad_variant_cast();
    }
    return bytes;
}

// The slot a setter writes; null for a null name, which sets nothing.
ParameterValue* SlotToSet(CommandState& state, const char* name)
{
    return name != nullptr ? &state.Assign(name, std::strlen(name)) : nullptr;
}
} // namespace

TarnCommand::TarnCommand() : state_(new CommandState) {}

TarnCommand::TarnCommand(const char* name) : state_(new CommandState) { state_->Rename(name); }

TarnCommand::TarnCommand(const char* name, std::int32_t conduitId) : TarnCommand(name)
{
    state_->conduitId = conduitId;
}

TarnCommand::TarnCommand(const TarnCommand& other) : state_(new CommandState(*other.state_)) {}

TarnCommand::TarnCommand(const TarnCommand& other, std::int32_t conduitId) : TarnCommand(other)
{
    state_->conduitId = conduitId;
}

TarnCommand::~TarnCommand() { delete state_; }

TarnCommand& TarnCommand::operator=(const TarnCommand& other)
{
    TarnCommand copy(other);
    Swap(copy);
    return *this;
}

void TarnCommand::Swap(TarnCommand& other) noexcept { std::swap(state_, other.state_); }

void TarnCommand::SetCommandName(const char* name)
{
    if (name != nullptr) {
        state_->Rename(name);
    }
}
const char* TarnCommand::GetCommandName() const { return state_->name.c_str(); }
void TarnCommand::SetConduitID(std::int32_t conduitId) { state_->conduitId = conduitId; }
std::int32_t TarnCommand::GetConduitID() const { return state_->conduitId; }

void TarnCommand::SetupSendCommand() { state_->isSend = true; }
void TarnCommand::SetupRequestDataCommand() { state_->isSend = false; }
bool TarnCommand::IsSendCommand() const { return state_->isSend; }
bool TarnCommand::IsRequestDataCommand() const { return !state_->isSend; }

void TarnCommand::SetStatus(CommandStatus_t status) { state_->status = status; }
CommandStatus_t TarnCommand::GetStatus() const { return state_->status; }

const char* TarnCommand::GetStatusAsStringConstant() const
{
    const char* name = TarnLinkPrivate::StatusConstantName(state_->status);
    return name != nullptr ? name : kBogusStatusText;
}

bool TarnCommand::IsStatusSuccess() const { return state_->status == kTLSuccess; }
bool TarnCommand::IsStatusGood() const { return state_->status == kTLSuccess; }
bool TarnCommand::IsStatusBad() const { return state_->status != kTLSuccess; }
bool TarnCommand::IsStatusFail() const { return state_->status == kTLFail; }
bool TarnCommand::IsStatusNotSupported() const { return state_->status == kTLNotSupported; }
bool TarnCommand::IsStatusTransmitError() const { return state_->status == kTLTransmitFailure; }
bool TarnCommand::IsStatusTimeout() const { return state_->status == kTLTimeOut; }

#define TARNLINK_INTEGER_TYPE(Id, keyword, size, CppType, dumpName) \
    void TarnCommand::SetParam##Id(const char* name, CppType value) \
    {                                                               \
        if (ParameterValue* slot = SlotToSet(*state_, name)) {      \
            slot->SetInteger(value);                                \
        }                                                           \
    }                                                               \
    bool TarnCommand::GetParam##Id(const char* name, CppType& value) const { return ReadExact(*state_, name, value); }
#include "dictionary/parameter_type_table.h"

void TarnCommand::SetParamByteStream(const char* name, const char* data, std::size_t length)
{
    if (data == nullptr && length != 0) {
        return;
    }
    if (ParameterValue* slot = SlotToSet(*state_, name)) {
        slot->SetBytes(data, length);
    }
}

void TarnCommand::SetParamBySymbol(const char* name, const char* symbol)
{
    if (symbol == nullptr) {
        return;
    }
    const std::size_t length = std::strlen(symbol);
    if (length == 0 || length > kLongestSymbol) {
        return;
    }
    if (ParameterValue* slot = SlotToSet(*state_, name)) {
        slot->SetSymbol(symbol, length);
    }
}

bool TarnCommand::GetParamByteStreamLength(const char* name, std::size_t* length) const
{
    if (length == nullptr) {
        return false;
    }
    const std::vector<char>* bytes = StoredBytes(*state_, name);
    if (bytes == nullptr) {
        return false;
    }
    *length = bytes->size();
    return true;
}

bool TarnCommand::GetParamByteStream(const char* name, char* buffer, std::size_t bufferSize, std::size_t* length) const
{
    const std::vector<char>* bytes = StoredBytes(*state_, name);
    if (bytes == nullptr) {
        return false;
    }
    if (length != nullptr) {
        *length = bytes->size();
    }
    if (bytes->size() > bufferSize) {
        return false;
    }
    if (!bytes->empty()) {
        if (buffer == nullptr) {
            return false;
        }
        std::memcpy(buffer, bytes->data(), bytes->size());
    }
    return true;
}

bool TarnCommand::GetParamByteStreamBuffer(const char* name, char** data, std::size_t* length) const
{
    if (data == nullptr || length == nullptr) {
        return false;
    }
    ParameterValue* stored = state_->Find(name);
    std::vector<char>* bytes = stored != nullptr ? stored->Bytes() : nullptr;
    if (bytes == nullptr) {
        return false;
    }
    *data = bytes->data();
    *length = bytes->size();
    return !bytes->empty();
}

bool TarnCommand::GetParamSetSymbol(const char* name, char* buffer, std::size_t bufferSize) const
{
    const ParameterValue* stored = state_->Find(name);
    const std::string* symbol = stored != nullptr ? stored->Symbol() : nullptr;
    if (symbol == nullptr || buffer == nullptr || bufferSize < symbol->size()) {
        return false;
    }
    std::fill(buffer, buffer + bufferSize, '\0');
    std::memcpy(buffer, symbol->data(), symbol->size());
    return true;
}

bool TarnCommand::IsParamSet(const char* name) const { return state_->Find(name) != nullptr; }

bool TarnCommand::IsParamSetBySymbol(const char* name) const
{
    const ParameterValue* stored = state_->Find(name);
    return stored != nullptr && stored->IsSymbol();
}

bool TarnCommand::IsParamSetBySymbolEqualTo(const char* name, const char* symbol) const
{
    const ParameterValue* stored = state_->Find(name);
    return stored != nullptr && stored->IsSymbol() && symbol != nullptr && *stored->Symbol() == symbol;
}

void TarnCommand::ClearParameters() { state_->ClearParameters(); }

} // namespace TarnLink
