#ifndef TARNLINK_TARNDICTIONARY_H
#define TARNLINK_TARNDICTIONARY_H

// Read-only access to the loaded command dictionary, for tools and hosts that
// list, document or emulate commands.
//
//     TarnLink::CommandInfo info;
//     if (TarnLink::TarnDictionary::GetCommandInfo("AudioHostChanMute", &info)) { /* info.parameters ... */ }
//
// Thread safety: the functions that read the dictionary may run on any number
// of threads at once; none may overlap Initialize or Terminate, which load and
// discard it, nor SetEmbeddedFilesEnabled, which is set before Initialize.

#include <cstdint>
#include <iosfwd>
#include <string>
#include <vector>

#include "tarnlink/TarnExport.h"

namespace TarnLink {

enum class CommandKind { kTarn, kDiag, kMeta };

struct ParameterInfo {
    std::string name;
    std::string typeName; // INT8 ... UINT64, BYTES
    bool requiredForRequestData = false;
};

struct SymbolInfo {
    std::string name;
    std::int32_t value = 0;
};

struct CommandInfo {
    std::string name;
    CommandKind kind = CommandKind::kTarn;
    std::string sourceFile;
    // Tarn: the type code; Diag: the opcode; Meta: the three commands.
    std::uint32_t major = 0;
    std::string majorName; // VIDEO, AUDIO, SYSTEM or DIAGNOSTIC, as the definition file writes it
    std::uint32_t minor = 0;
    std::uint32_t function = 0;
    std::uint32_t opcode = 0;
    std::string startCommand;
    std::string repeatCommand;
    std::string stopCommand;
    std::vector<ParameterInfo> parameters;
    std::vector<SymbolInfo> symbols;
    bool hasVariableLengthData = false;
    std::uint32_t overrideTimeoutMillisec = 0;
};

class TARNLINK_API TarnDictionary {
public:
    TarnDictionary() = delete;

    // Every defined command name, in ascending byte order; empty before Initialize.
    static std::vector<std::string> GetCommandNames();
    // False when no command of that name is defined.
    static bool GetCommandInfo(const char* name, CommandInfo* info);
    // The definition's full diagnostic dump.
    static bool DumpCommand(const char* name, std::ostream& out);
    // The C header text of one definition: its enumerator lines inside an
    // enumeration of their own (when it has any), then its declarations.
    static bool WriteCommandHeaderText(const char* name, std::ostream& out);
    // The header text of every definition, in name order.
    static bool WriteHeaderText(std::ostream& out);

    // Lets the next Initialize ignore the library's embedded definition
    // (respectively capability) files, so that they are read from "./" and
    // the additional path as in a library built without embedded files.
    // Both are enabled at load.
    static void SetEmbeddedFilesEnabled(bool definitions, bool capabilities);
};

} // namespace TarnLink

#endif
