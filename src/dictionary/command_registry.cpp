#include "dictionary/command_registry.h"

#include <cstring>
#include <exception>
#include <memory>
#include <memory_resource>
#include <new>
#include <ostream>

#include "diagnostics/diagnostics.h"
#include "dictionary/name_hash_index.h"
#include "platform/process_wide.h"

namespace TarnLinkPrivate {

namespace {

constexpr char kMetaFormatNotFound[] = "\nIsMetaCommandFormat- Command format not found - Command : ";
constexpr char kDiagFormatNotFound[] = "\nIsDiagCommandFormat- Command format not found - Command : ";
constexpr char kTimeoutFormatNotFound[] = "\nGetOverrideTimeoutMillisec - Command format not found - Command : ";
constexpr char kUnknownException[] = "UnknownException";

// The containers of the dictionary, their nodes from one arena: start-up
// enters hundreds of definitions, and Terminate frees them all at once.
struct Registry {
    std::pmr::monotonic_buffer_resource arena;
    NameRegistry byName{&arena};
    NameHashIndex<CommandFormat*> byNameHash;
    TypeCodeIndex typeCodes{&arena};
    OpcodeIndex opcodes{&arena};
};

struct Dictionary {
    std::unique_ptr<Registry> registry;
};

Dictionary& State() { return ProcessWide<Dictionary>(); }

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

template <class Format>
DefinitionPtr MakeDefinition()
{
    std::pmr::memory_resource& arena = Ensure(State().registry).arena;
    void* place = arena.allocate(sizeof(Format), alignof(Format));
    return DefinitionPtr(new (place) Format(&arena));
}

template DefinitionPtr MakeDefinition<TarnCommandFormat>();
template DefinitionPtr MakeDefinition<DiagCommandFormat>();
template DefinitionPtr MakeDefinition<MetaCommandFormat>();

const NameRegistry& GetNameRegistry() { return Ensure(State().registry).byName; }
const TypeCodeIndex& GetTypeCodeIndex() { return Ensure(State().registry).typeCodes; }
const OpcodeIndex& GetOpcodeIndex() { return Ensure(State().registry).opcodes; }

CommandFormat* FindCommandFormat(const char* name)
{
    return name != nullptr && State().registry ? State().registry->byNameHash.Find(name) : nullptr;
}

CommandFormat* FindCommandFormat(std::string_view name)
{
    return State().registry ? State().registry->byNameHash.Find(name) : nullptr;
}

bool IsMetaCommandFormat(const char* commandName)
{
    return IsMetaCommandFormat(FindCommandFormat(commandName), commandName);
}

bool IsDiagCommandFormat(const char* commandName)
{
    return IsDiagCommandFormat(FindCommandFormat(commandName), commandName);
}

bool ReportUnknownMetaFormat(const char* commandName) { return ReportUnknown(kMetaFormatNotFound, commandName); }

bool ReportUnknownDiagFormat(const char* commandName) { return ReportUnknown(kDiagFormatNotFound, commandName); }

bool SetOverrideTimeoutMillisec(std::string_view commandName, std::uint32_t timeoutMillisec)
{
    CommandFormat* format = FindCommandFormat(commandName);
    if (format == nullptr) {
        return ReportUnknown(kTimeoutFormatNotFound, std::string(commandName).c_str());
    }
    format->SetOverrideTimeoutMillisec(timeoutMillisec);
    return true;
}

bool RegisterDefinition(DefinitionPtr format)
{
    if (!format) {
        return false;
    }
    Registry& registry = Ensure(State().registry);
    CommandFormat* registered = format.get();
    if (!registry.byName.try_emplace(registered->Name(), std::move(format)).second) {
        return false;
    }
    registry.byNameHash.Assign(registered->Name(), registered);
    ++ProcessWide<RegistryGenerationCounter>().value;
    return true;
}

void RegisterTypeCode(const TypeCode& code, std::string_view name)
{
    Ensure(State().registry).typeCodes.emplace(code, name);
}

void RegisterOpcode(std::uint16_t opcode, std::string_view name)
{
    Ensure(State().registry).opcodes.emplace(opcode, name);
}

bool IsNameRegistered(const std::string& name) { return FindCommandFormat(name) != nullptr; }

void TearDownDictionary(std::vector<std::string>& errors)
{
    if (!State().registry) {
        return;
    }
    // Lookups during the teardown must not meet a format already destroyed.
    std::unique_ptr<Registry> registry = std::move(State().registry);
    ++ProcessWide<RegistryGenerationCounter>().value;
    // The indexes view the names of the definitions destroyed here.
    registry->typeCodes.clear();
    registry->opcodes.clear();
    for (auto& entry : registry->byName) {
        try {
            entry.second.reset();
        } catch (const std::exception& error) {
            errors.emplace_back(error.what());
        } catch (...) {
            errors.emplace_back(kUnknownException);
        }
    }
}

} // namespace TarnLinkPrivate
