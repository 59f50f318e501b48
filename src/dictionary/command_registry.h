#ifndef TARNLINK_DICTIONARY_COMMAND_REGISTRY_H
#define TARNLINK_DICTIONARY_COMMAND_REGISTRY_H

// The dictionary: an ordered name registry that owns every definition, a hash
// index beside it for O(1) lookup by name, and the two indexes that keep Tarn
// type codes and Diag opcodes unique.

#include <cstdint>
#include <map>
#include <memory>
#include <memory_resource>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

#include "dictionary/command_format.h"
#include "platform/process_wide.h"

namespace TarnLinkPrivate {

// Definitions loaded from files live in the dictionary's arena: their owner
// runs their destructors, and the arena frees their memory with the rest.
struct DefinitionDeleter {
    void operator()(CommandFormat* definition) const { definition->~CommandFormat(); }
};
using DefinitionPtr = std::unique_ptr<CommandFormat, DefinitionDeleter>;

// A new, empty definition of the kind in the dictionary's arena.
template <class Format>
DefinitionPtr MakeDefinition();

// The keys and index entries view the names of the registered definitions,
// which live exactly as long as their entries: start-up copies no name twice.
// Their nodes come from one arena of the dictionary's, freed as a whole.
using NameRegistry = std::pmr::map<std::string_view, DefinitionPtr>;
using TypeCode = std::tuple<std::uint32_t, std::uint16_t, std::uint16_t>;
using TypeCodeIndex = std::pmr::map<TypeCode, std::string_view>;
using OpcodeIndex = std::pmr::map<std::uint16_t, std::string_view>;

// Each created empty on first use.
const NameRegistry& GetNameRegistry();
const TypeCodeIndex& GetTypeCodeIndex();
const OpcodeIndex& GetOpcodeIndex();

// Exact, case-sensitive match; null when absent or name is null.
CommandFormat* FindCommandFormat(const char* name);
CommandFormat* FindCommandFormat(std::string_view name);

// Changes whenever a definition is registered or the registry is torn down,
// so a definition found earlier may be kept as long as the number is the same.
// Starts above zero, which a command that never saw the dictionary holds.
// Changes only while definitions load or go, which the host never does while
// it compiles or decodes, so a plain integer serves. Inline: every
// compilation reads it.
struct RegistryGenerationCounter {
    std::uint64_t value = 1;
};
inline std::uint64_t RegistryGeneration() { return ProcessWide<RegistryGenerationCounter>().value; }

// The kind checks of the executor and compiler, with their verbose message
// for an unknown name (false after it): by name, or of a definition found
// earlier (null for an unknown name), which costs no further look-up.
bool IsMetaCommandFormat(const char* commandName);
bool IsDiagCommandFormat(const char* commandName);
bool ReportUnknownMetaFormat(const char* commandName);
bool ReportUnknownDiagFormat(const char* commandName);
inline bool IsMetaCommandFormat(const CommandFormat* definition, const char* commandName)
{
    return definition != nullptr ? definition->IsMetaCommandFormat() : ReportUnknownMetaFormat(commandName);
}
inline bool IsDiagCommandFormat(const CommandFormat* definition, const char* commandName)
{
    return definition != nullptr ? definition->IsDiagCommandFormat() : ReportUnknownDiagFormat(commandName);
}

bool SetOverrideTimeoutMillisec(std::string_view commandName, std::uint32_t timeoutMillisec);

// Registration of a loaded definition, which the registry then owns; false,
// the definition destroyed, when its name is taken. The type code and opcode
// indexes keep an existing key's entry.
bool RegisterDefinition(DefinitionPtr format);
// name must be that of a registered definition.
void RegisterTypeCode(const TypeCode& code, std::string_view name);
void RegisterOpcode(std::uint16_t opcode, std::string_view name);
bool IsNameRegistered(const std::string& name);

// Teardown, for Terminate: destroys every definition, adding the text of each
// exception met to errors, and frees the containers with their indexes.
void TearDownDictionary(std::vector<std::string>& errors);

} // namespace TarnLinkPrivate

#endif
