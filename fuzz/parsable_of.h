#ifndef TARNLINK_FUZZ_PARSABLE_OF_H
#define TARNLINK_FUZZ_PARSABLE_OF_H

// A command's parsable text: its name, direction and every parameter with
// type and value, which makes two commands easy to compare.

#include <sstream>
#include <string>

#include "tarnlink/TarnCommand.h"

inline std::string ParsableOf(const TarnLink::TarnCommand& command)
{
    std::ostringstream text;
    command.WriteParsable(text);
    return text.str();
}

#endif
