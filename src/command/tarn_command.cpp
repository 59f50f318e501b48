// The command object: name, direction, conduit, status and typed parameters.

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "command/command_status.h"
#include "command/tarn_command_body.h"
#include "dictionary/parameter_type.h"
#include "tarnlink/TarnCommand.h"

namespace TarnLink {

using VariantImpl::Variant;
using VariantImpl::variant_cast;

namespace {
constexpr char kBogusStatusText[] = "BOGUS_TL_STATUS";
constexpr std::size_t kLongestSymbol = 254;

// The value form of the cast on the stored value: a missing parameter gives
// false, another stored type throws bad_variant_cast.
template <class T>
bool ReadExact(TarnCommand::Body& body, const char* name, T& value)
{
    const Variant* stored = body.Find(name);
    if (stored == nullptr) {
        return false;
    }
    value = variant_cast<T>(*stored);
    return true;
}

// The stored byte sequence; null when the parameter is missing; throws
// bad_variant_cast when it holds another type.
const std::vector<char>* StoredBytes(TarnCommand::Body& body, const char* name)
{
    const Variant* stored = body.Find(name);
    if (stored == nullptr) {
        return nullptr;
    }
    const std::vector<char>* bytes = variant_cast<std::vector<char>>(stored);
    if (bytes == nullptr) {
        throw VariantImpl::bad_variant_cast();
    }
    return bytes;
}
} // namespace

TarnCommand::TarnCommand() : body_(new Body) {}

TarnCommand::TarnCommand(const char* name) : body_(new Body) { body_->SetName(name); }

TarnCommand::TarnCommand(const char* name, std::int32_t conduitId) : TarnCommand(name) { body_->conduitId = conduitId; }

TarnCommand::TarnCommand(const TarnCommand& other) : body_(new Body(*other.body_)) {}

TarnCommand::TarnCommand(const TarnCommand& other, std::int32_t conduitId) : TarnCommand(other)
{
    body_->conduitId = conduitId;
}

TarnCommand::~TarnCommand() { delete body_; }

TarnCommand& TarnCommand::operator=(const TarnCommand& other)
{
    TarnCommand copy(other);
    Swap(copy);
    return *this;
}

void TarnCommand::Swap(TarnCommand& other) noexcept { std::swap(body_, other.body_); }

void TarnCommand::SetCommandName(const char* name)
{
    if (name != nullptr) {
        body_->SetName(name);
    }
}
const char* TarnCommand::GetCommandName() const { return body_->name.c_str(); }
void TarnCommand::SetConduitID(std::int32_t conduitId) { body_->conduitId = conduitId; }
std::int32_t TarnCommand::GetConduitID() const { return body_->conduitId; }

void TarnCommand::SetupSendCommand() { body_->isSend = true; }
void TarnCommand::SetupRequestDataCommand() { body_->isSend = false; }
bool TarnCommand::IsSendCommand() const { return body_->isSend; }
bool TarnCommand::IsRequestDataCommand() const { return !body_->isSend; }

void TarnCommand::SetStatus(CommandStatus_t status) { body_->status = status; }
CommandStatus_t TarnCommand::GetStatus() const { return body_->status; }

const char* TarnCommand::GetStatusAsStringConstant() const
{
    const char* name = TarnLinkPrivate::StatusConstantName(body_->status);
    return name != nullptr ? name : kBogusStatusText;
}

bool TarnCommand::IsStatusSuccess() const { return body_->status == kTLSuccess; }
bool TarnCommand::IsStatusGood() const { return body_->status == kTLSuccess; }
bool TarnCommand::IsStatusBad() const { return body_->status != kTLSuccess; }
bool TarnCommand::IsStatusFail() const { return body_->status == kTLFail; }
bool TarnCommand::IsStatusNotSupported() const { return body_->status == kTLNotSupported; }
bool TarnCommand::IsStatusTransmitError() const { return body_->status == kTLTransmitFailure; }
bool TarnCommand::IsStatusTimeout() const { return body_->status == kTLTimeOut; }

#define TARNLINK_INTEGER_TYPE(Id, keyword, size, CppType, dumpName)                                          \
    void TarnCommand::SetParam##Id(const char* name, CppType value) { body_->Assign(name, Variant(value)); } \
    bool TarnCommand::GetParam##Id(const char* name, CppType& value) const { return ReadExact(*body_, name, value); }
#include "dictionary/parameter_type_table.h"

void TarnCommand::SetParamByteStream(const char* name, const char* data, std::size_t length)
{
    if (data == nullptr && length != 0) {
        return;
    }
    std::vector<char> bytes(data, data + length);
    body_->Assign(name, Variant(bytes));
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
    body_->Assign(name, Variant(std::string(symbol, length)));
}

bool TarnCommand::GetParamByteStreamLength(const char* name, std::size_t* length) const
{
    if (length == nullptr) {
        return false;
    }
    const std::vector<char>* bytes = StoredBytes(*body_, name);
    if (bytes == nullptr) {
        return false;
    }
    *length = bytes->size();
    return true;
}

bool TarnCommand::GetParamByteStream(const char* name, char* buffer, std::size_t bufferSize, std::size_t* length) const
{
    const std::vector<char>* bytes = StoredBytes(*body_, name);
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
    std::vector<char>* bytes = variant_cast<std::vector<char>>(body_->Find(name));
    if (bytes == nullptr) {
        return false;
    }
    *data = bytes->data();
    *length = bytes->size();
    return !bytes->empty();
}

bool TarnCommand::GetParamSetSymbol(const char* name, char* buffer, std::size_t bufferSize) const
{
    const std::string* symbol = variant_cast<std::string>(body_->Find(name));
    if (symbol == nullptr || buffer == nullptr || bufferSize < symbol->size()) {
        return false;
    }
    std::fill(buffer, buffer + bufferSize, '\0');
    std::memcpy(buffer, symbol->data(), symbol->size());
    return true;
}

bool TarnCommand::IsParamSet(const char* name) const { return body_->Find(name) != nullptr; }

bool TarnCommand::IsParamSetBySymbol(const char* name) const
{
    return variant_cast<std::string>(body_->Find(name)) != nullptr;
}

bool TarnCommand::IsParamSetBySymbolEqualTo(const char* name, const char* symbol) const
{
    const std::string* stored = variant_cast<std::string>(body_->Find(name));
    return stored != nullptr && symbol != nullptr && *stored == symbol;
}

void TarnCommand::ClearParameters() { body_->parameters.clear(); }

} // namespace TarnLink
