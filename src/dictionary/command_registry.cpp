#include "dictionary/command_registry.h"

#include <exception>
#include <memory>
#include <ostream>
#include <string_view>
#include <unordered_map>

#include "dictionary/library_state.h"

namespace TarnLinkPrivate {

namespace {

constexpr char kMetaFormatNotFound[] = "\nIsMetaCommandFormat- Command format not found - Command : ";
constexpr char kDiagFormatNotFound[] = "\nIsDiagCommandFormat- Command format not found - Command : ";
constexpr char kTimeoutFormatNotFound[] = "\nGetOverrideTimeoutMillisec - Command format not found - Command : ";
constexpr char kUnknownException[] = "UnknownException";

// Keys view the registered format's own name, which stays unchanged while
// the format is registered, so a lookup neither copies nor allocates.
using NameHashIndex = std::unordered_map<std::string_view, CommandFormat*>;

struct Registry {
    NameRegistry byName;
    NameHashIndex byNameHash;
};

std::unique_ptr<Registry> gRegistry;
std::unique_ptr<TypeCodeIndex> gTypeCodeIndex;
std::unique_ptr<OpcodeIndex> gOpcodeIndex;

template <typename Container>
Container& Ensure(std::unique_ptr<Container>& container)
{
    if (!container) {
        container = std::make_unique<Container>();
    }
    return *container;
}

bool ReportUnknown(const char* message, const char* commandName)
{
    if (IsVerbose()) {
        Diagnostics() << message << (commandName != nullptr ? commandName : "");
    }
    return false;
}

CommandFormat* FindByName(std::string_view name)
{
    if (!gRegistry) {
        return nullptr;
    }
    const NameHashIndex& index = gRegistry->byNameHash;
    const auto found = index.find(name);
    return found != index.end() ? found->second : nullptr;
}

} // namespace

const NameRegistry& GetNameRegistry() { return Ensure(gRegistry).byName; }
const TypeCodeIndex& GetTypeCodeIndex() { return Ensure(gTypeCodeIndex); }
const OpcodeIndex& GetOpcodeIndex() { return Ensure(gOpcodeIndex); }

CommandFormat* FindCommandFormat(const char* name)
{
    return name != nullptr ? FindByName(std::string_view(name)) : nullptr;
}

CommandFormat* FindCommandFormat(const std::string& name) { return FindByName(std::string_view(name)); }

bool IsMetaCommandFormat(const char* commandName)
{
    const CommandFormat* format = FindCommandFormat(commandName);
    return format != nullptr ? format->IsMetaCommandFormat() : ReportUnknown(kMetaFormatNotFound, commandName);
}

bool IsDiagCommandFormat(const char* commandName)
{
    const CommandFormat* format = FindCommandFormat(commandName);
    return format != nullptr ? format->IsDiagCommandFormat() : ReportUnknown(kDiagFormatNotFound, commandName);
}

bool SetOverrideTimeoutMillisec(const std::string& commandName, std::uint32_t timeoutMillisec)
{
    CommandFormat* format = FindCommandFormat(commandName);
    if (format == nullptr) {
        return ReportUnknown(kTimeoutFormatNotFound, commandName.c_str());
    }
    format->SetOverrideTimeoutMillisec(timeoutMillisec);
    return true;
}

void RegisterName(CommandFormat* format)
{
    if (format == nullptr) {
        return;
    }
    Registry& registry = Ensure(gRegistry);
    const auto inserted = registry.byName.emplace(format->Name(), format);
    if (inserted.second) {
        registry.byNameHash.emplace(std::string_view(format->Name()), format);
    }
}

void RegisterTypeCode(const TypeCode& code, const std::string& name) { Ensure(gTypeCodeIndex).emplace(code, name); }

void RegisterOpcode(std::uint16_t opcode, const std::string& name) { Ensure(gOpcodeIndex).emplace(opcode, name); }

bool IsNameRegistered(const std::string& name) { return FindCommandFormat(name) != nullptr; }

void TearDownNameRegistry(std::vector<std::string>& errors)
{
    if (!gRegistry) {
        return;
    }
    // Lookups during the teardown must not meet a format already destroyed.
    std::unique_ptr<Registry> registry = std::move(gRegistry);
    registry->byNameHash.clear();
    for (auto& entry : registry->byName) {
        try {
            delete entry.second;
        } catch (const std::exception& error) {
            errors.emplace_back(error.what());
        } catch (...) {
            errors.emplace_back(kUnknownException);
        }
        entry.second = nullptr;
    }
}

void TearDownTypeCodeIndex() { gTypeCodeIndex.reset(); }
void TearDownOpcodeIndex() { gOpcodeIndex.reset(); }

} // namespace TarnLinkPrivate
