#include "dictionary/command_registry.h"

#include <cstring>
#include <exception>
#include <memory>
#include <ostream>

#include "diagnostics/diagnostics.h"
#include "dictionary/name_hash_index.h"

namespace TarnLinkPrivate {

namespace {

constexpr char kMetaFormatNotFound[] = "\nIsMetaCommandFormat- Command format not found - Command : ";
constexpr char kDiagFormatNotFound[] = "\nIsDiagCommandFormat- Command format not found - Command : ";
constexpr char kTimeoutFormatNotFound[] = "\nGetOverrideTimeoutMillisec - Command format not found - Command : ";
constexpr char kUnknownException[] = "UnknownException";

struct Registry {
    NameRegistry byName;
    NameHashIndex<CommandFormat*> byNameHash;
};

std::unique_ptr<Registry> gRegistry;
// Starts above zero so that a cache that never saw the dictionary is stale.
// Changes only while definitions load or go, which the host never does while
// it compiles or decodes, so a plain integer serves.
std::uint64_t gGeneration = 1;
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
    VerboseMessage(message, (commandName != nullptr ? commandName : ""));
    return false;
}

} // namespace

const NameRegistry& GetNameRegistry() { return Ensure(gRegistry).byName; }
const TypeCodeIndex& GetTypeCodeIndex() { return Ensure(gTypeCodeIndex); }
const OpcodeIndex& GetOpcodeIndex() { return Ensure(gOpcodeIndex); }

CommandFormat* FindCommandFormat(const char* name)
{
    return name != nullptr && gRegistry ? gRegistry->byNameHash.Find(name) : nullptr;
}

CommandFormat* FindCommandFormat(const std::string& name)
{
    return gRegistry ? gRegistry->byNameHash.Find(name) : nullptr;
}

std::uint64_t RegistryGeneration() { return gGeneration; }

bool IsMetaCommandFormat(const char* commandName)
{
    return IsMetaCommandFormat(FindCommandFormat(commandName), commandName);
}

bool IsDiagCommandFormat(const char* commandName)
{
    return IsDiagCommandFormat(FindCommandFormat(commandName), commandName);
}

bool IsMetaCommandFormat(const CommandFormat* definition, const char* commandName)
{
    return definition != nullptr ? definition->IsMetaCommandFormat()
                                 : ReportUnknown(kMetaFormatNotFound, commandName);
}

bool IsDiagCommandFormat(const CommandFormat* definition, const char* commandName)
{
    return definition != nullptr ? definition->IsDiagCommandFormat()
                                 : ReportUnknown(kDiagFormatNotFound, commandName);
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
        registry.byNameHash.Assign(format->Name(), format);
        ++gGeneration;
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
    ++gGeneration;
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
