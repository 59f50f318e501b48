#ifndef TARNLINK_FUZZ_LIBRARY_SETUP_H
#define TARNLINK_FUZZ_LIBRARY_SETUP_H

// The library initialized once per fuzzing process with its own files, and
// the names of the commands that compile into packets.

#include <cstdlib>
#include <string>
#include <vector>

#include "fuzz_input.h"
#include "tarnlink/TarnCommandFactory.h"
#include "tarnlink/TarnDictionary.h"

inline void InitializeLibraryOnce()
{
    static const bool initialized = [] {
        SilenceDiagnostics();
        // The dictionary is freed by Terminate only; without it the leak
        // checker would report every definition at exit.
        std::atexit([] { TarnLink::TarnCommandFactory::Terminate(); });
        return TarnLink::TarnCommandFactory::Initialize();
    }();
    Require(initialized, "the library initializes with its own files");
}

// The call's result with the compile trace on: every compilation and
// decompilation then takes the full path, so comparing with the result of the
// same call without it holds the short planned paths to the full ones.
template <class Call>
auto WithCompileTrace(Call&& call)
{
    TarnLink::TarnCommandFactory::SetVerbosity(false, true);
    auto result = call();
    TarnLink::TarnCommandFactory::SetVerbosity(false, false);
    return result;
}

// Every Tarn and Diag command of the dictionary, in name order.
inline std::vector<TarnLink::CommandInfo> PacketCommands()
{
    std::vector<TarnLink::CommandInfo> commands;
    for (const std::string& name : TarnLink::TarnDictionary::GetCommandNames()) {
        TarnLink::CommandInfo info;
        if (TarnLink::TarnDictionary::GetCommandInfo(name.c_str(), &info) &&
            info.kind != TarnLink::CommandKind::kMeta) {
            commands.push_back(info);
        }
    }
    return commands;
}

#endif
