#ifndef TARNLINK_COMMAND_TYPED_ACCESS_H
#define TARNLINK_COMMAND_TYPED_ACCESS_H

// The command's setter and getter of exactly one integer type, chosen by the
// C++ type; generated from the parameter type table.

#include "dictionary/parameter_type.h"
#include "tarnlink/TarnCommand.h"

namespace TarnLinkPrivate {

#define TARNLINK_INTEGER_TYPE(Id, keyword, size, CppType, dumpName)                              \
    inline void SetTyped(TarnLink::TarnCommand& command, const char* name, CppType value)        \
    {                                                                                            \
        command.SetParam##Id(name, value);                                                       \
    }                                                                                            \
    inline bool GetTyped(const TarnLink::TarnCommand& command, const char* name, CppType& value) \
    {                                                                                            \
        return command.GetParam##Id(name, value);                                                \
    }
#include "dictionary/parameter_type_table.h"

} // namespace TarnLinkPrivate

#endif
