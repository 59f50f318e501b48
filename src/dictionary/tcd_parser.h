#ifndef TARNLINK_DICTIONARY_TCD_PARSER_H
#define TARNLINK_DICTIONARY_TCD_PARSER_H

// Reads command definition files into the registry.

#include <cstddef>
#include <iosfwd>
#include <memory>
#include <string>
#include <string_view>

#include "dictionary/statement_words.h"

namespace TarnLinkPrivate {

// Longest statement a definition file may hold, its ";" not counted.
constexpr std::size_t kMaxStatementLength = 8191;

// Parses every statement of one file into the registry. True when the file
// was read to its end (or to an empty statement) with no failed definition;
// definitions entered before a failure stay registered.
bool ParseTCDFile(std::istream& file, const char* fileName);

// Parses one statement whose first word, not a comment, was already read.
// True for a documentation statement and for a definition now registered.
bool ParseDefinitionStatement(StatementWords& statement, std::string_view firstWord,
                              const std::shared_ptr<const std::string>& fileName);

} // namespace TarnLinkPrivate

#endif
