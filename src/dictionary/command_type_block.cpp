// The addressing part of a definition: read from a statement, written back in
// definition-file syntax, and checked.

#include <ostream>

#include "dictionary/command_format.h"
#include "diagnostics/diagnostics.h"
#include "dictionary/tcd_words.h"

namespace TarnLinkPrivate {

namespace {

constexpr char kMajorKeyword[] = "CommandTypeMajor";
constexpr char kMinorKeyword[] = "CommandTypeMinor";
constexpr char kFunctionKeyword[] = "Function";
constexpr char kOpcodeKeyword[] = "DiagOpcode";
constexpr char kStartKeyword[] = "Start";
constexpr char kRepeatKeyword[] = "Repeat";
constexpr char kStopKeyword[] = "Stop";

constexpr char kMissingMajorKeyword[] = "\nError - did not find 'CommandTypeMajor' keyword";
constexpr char kMissingMinorKeyword[] = "\nError - did not find 'CommandTypeMinor' keyword";
constexpr char kMissingFunctionKeyword[] = "\nError - did not find 'Function' keyword";
constexpr char kMissingOpcodeKeyword[] = "\nError - did not find 'DiagOpcode' keyword";
constexpr char kMajorFailed[] = "\n\nERROR Parsing Command Type Major for Tarn Command Definition - Command Name: ";
constexpr char kMinorFailed[] = "\n\nERROR Parsing Command Type Minor for Tarn Command Definition - Command Name: ";
constexpr char kFunctionFailed[] = "\n\nERROR Parsing Command Function for Tarn Command Definition - Command Name: ";

constexpr char kMajorInvalid[] = "CommandTypeMajor is INVALID";
constexpr char kMinorOutOfRange[] = "CommandTypeMinor is out of range [0,63] ";
constexpr char kFunctionOutOfRange[] = "Function is out of range [0,127] ";
constexpr char kOpcodeOutOfRange[] = "DiagOpcode is out of range [0,255] ";
constexpr char kStartEmpty[] = "StartCommand name is empty";
constexpr char kStartInvalid[] = "StartCommand name is invalid";
constexpr char kRepeatEmpty[] = "RepeatCommand name is empty";
constexpr char kRepeatInvalid[] = "RepeatCommand name is invalid";
constexpr char kStopEmpty[] = "StopCommand name is empty";
constexpr char kStopInvalid[] = "StopCommand name is invalid";

constexpr std::uint16_t kMaxMinor = 63;
constexpr std::uint16_t kMaxFunction = 127;
constexpr std::uint16_t kMaxOpcode = 255;

constexpr char kWrittenInvalidMajor[] = "INVALID";

bool ReadKeyword(StatementWords& statement, const char* keyword, const char* verboseMessage)
{
    if (ReadWord(statement) == keyword) {
        return true;
    }
    if (verboseMessage != nullptr) {
        VerboseMessage(verboseMessage);
    }
    return false;
}

// A missing number reads as 65535 and a negative one wraps, so both fail the
// range check like any number above the maximum.
std::optional<std::uint16_t> ReadCode(StatementWords& statement, std::uint16_t maximum)
{
    const std::optional<std::int16_t> number = ReadInt16(statement);
    if (!number) {
        return std::nullopt;
    }
    const auto code = static_cast<std::uint16_t>(*number);
    if (code > maximum) {
        return std::nullopt;
    }
    return code;
}

struct CodeField {
    const char* keyword;
    const char* missingKeywordMessage;
    const char* failureMessage;
    std::uint16_t maximum;
};

// A keyword and its number; the field keeps its value on failure.
bool ReadCodeField(const CodeField& field, StatementWords& statement, const std::string& name, std::uint16_t& value)
{
    if (ReadKeyword(statement, field.keyword, field.missingKeywordMessage)) {
        if (const std::optional<std::uint16_t> code = ReadCode(statement, field.maximum)) {
            value = *code;
            return true;
        }
    }
    ErrorMessage(field.failureMessage, name);
    return false;
}

std::optional<std::uint32_t> MajorCodeOf(std::string_view word)
{
    for (std::uint32_t code = kMajorVideo; code <= kMajorDiagnostic; ++code) {
        if (word == MajorTypeName(code)) {
            return code;
        }
    }
    return std::nullopt;
}

bool FailBlock(const char* message, const std::string& name)
{
    ErrorMessage(message, name);
    return false;
}

bool IsValidCommandNameCharacter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
}

void ValidateSequenceName(const std::string& name, const char* emptyText, const char* invalidText,
                          std::vector<std::string>& errors)
{
    if (name.empty()) {
        errors.emplace_back(emptyText);
        return;
    }
    for (char c : name) {
        if (!IsValidCommandNameCharacter(c)) {
            errors.emplace_back(invalidText);
            return;
        }
    }
}

bool ReadSequenceName(StatementWords& statement, const char* keyword, std::string& name)
{
    if (!ReadKeyword(statement, keyword, nullptr)) {
        return false;
    }
    name = ReadWord(statement);
    return !name.empty();
}

} // namespace

// ---- Tarn ----

bool TarnCommandFormat::ReadCommandTypeBlock(StatementWords& statement)
{
    if (!ReadKeyword(statement, kMajorKeyword, kMissingMajorKeyword)) {
        return FailBlock(kMajorFailed, Name());
    }
    const std::optional<std::uint32_t> major = MajorCodeOf(ReadWord(statement));
    if (!major) {
        return FailBlock(kMajorFailed, Name());
    }
    major_ = *major;

    return ReadCodeField({kMinorKeyword, kMissingMinorKeyword, kMinorFailed, kMaxMinor}, statement, Name(), minor_) &&
           ReadCodeField({kFunctionKeyword, kMissingFunctionKeyword, kFunctionFailed, kMaxFunction}, statement, Name(),
                         function_);
}

void TarnCommandFormat::WriteCommandTypeBlock(std::ostream& out) const
{
    out << "\nTarn"
        << "\n"
        << "\n"
        << kMajorKeyword;
    out << "\t" << (major_ <= kMajorDiagnostic ? MajorTypeName(major_) : kWrittenInvalidMajor);
    out << "\n" << kMinorKeyword << "\t" << minor_;
    out << "\n" << kFunctionKeyword << "\t\t\t" << function_ << "\n";
}

bool TarnCommandFormat::Validate(std::vector<std::string>& errors) const
{
    const std::size_t before = errors.size();
    if (major_ > kMajorDiagnostic) {
        errors.emplace_back(kMajorInvalid);
    }
    if (minor_ > kMaxMinor) {
        errors.emplace_back(kMinorOutOfRange);
    }
    if (function_ > kMaxFunction) {
        errors.emplace_back(kFunctionOutOfRange);
    }
    return errors.size() == before;
}

// ---- Diag ----

bool DiagCommandFormat::ReadCommandTypeBlock(StatementWords& statement)
{
    if (!ReadKeyword(statement, kOpcodeKeyword, kMissingOpcodeKeyword)) {
        return false;
    }
    const std::optional<std::uint16_t> opcode = ReadCode(statement, kMaxOpcode);
    if (!opcode) {
        return false;
    }
    opcode_ = *opcode;
    return true;
}

void DiagCommandFormat::WriteCommandTypeBlock(std::ostream& out) const
{
    out << "\nDiag"
        << "\n"
        << "\n"
        << kOpcodeKeyword << "\t" << opcode_ << "\n";
}

bool DiagCommandFormat::Validate(std::vector<std::string>& errors) const
{
    if (opcode_ > kMaxOpcode) {
        errors.emplace_back(kOpcodeOutOfRange);
        return false;
    }
    return true;
}

// ---- Meta ----

bool MetaCommandFormat::ReadCommandTypeBlock(StatementWords& statement)
{
    return ReadSequenceName(statement, kStartKeyword, start_) && ReadSequenceName(statement, kRepeatKeyword, repeat_) &&
           ReadSequenceName(statement, kStopKeyword, stop_);
}

void MetaCommandFormat::WriteCommandTypeBlock(std::ostream& out) const
{
    out << "\nMeta"
        << "\n";
    out << "\n" << kStartKeyword << "\t" << start_;
    out << "\n" << kRepeatKeyword << "\t" << repeat_;
    out << "\n" << kStopKeyword << "\t" << stop_ << "\n";
}

bool MetaCommandFormat::Validate(std::vector<std::string>& errors) const
{
    const std::size_t before = errors.size();
    ValidateSequenceName(start_, kStartEmpty, kStartInvalid, errors);
    ValidateSequenceName(repeat_, kRepeatEmpty, kRepeatInvalid, errors);
    ValidateSequenceName(stop_, kStopEmpty, kStopInvalid, errors);
    return errors.size() == before;
}

} // namespace TarnLinkPrivate
