#include "hwcaps/hwc_parser.h"

#include <exception>
#include <istream>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "dictionary/command_registry.h"
#include "diagnostics/diagnostics.h"
#include "dictionary/statement_texts.h"
#include "dictionary/statement_words.h"

namespace TarnLinkPrivate {

namespace {

constexpr char kDuplicateHardwareType[] =
    "\n\nERROR - duplicate HardwareType key found in Hardware Capabilities file : ";
constexpr char kParseFailed[] = "\n\nERROR - Failed To Successfully parse Hardware Capabilities file : ";
constexpr char kStatementTooLong[] = "\n\nERROR - Statement too long in Hardware Capabilities file : ";
// Names are looked up as C strings: a NUL byte in one would make it unreachable.
constexpr char kNulByte[] = "\n\nERROR - NUL byte in statement of Hardware Capabilities file : ";
constexpr char kExceptionOccurred[] = "\n\nERROR - Exception occurred : ";
constexpr char kWhileProcessingFile[] = " while processing file : ";
constexpr char kUnknownException[] = "\n\nERROR - Unknown exception occurred while processing file : ";

constexpr char kHardwareType[] = "HardwareType";
constexpr char kConditionBlockBegin[] = "ConditionBlockBegin";
constexpr char kConditionBlockEnd[] = "ConditionBlockEnd";
constexpr char kCondition[] = "Condition";
constexpr char kConditionKeyname[] = "ConditionKeyname";
constexpr char kProperty[] = "Property";
constexpr char kCommandValues[] = "CommandValues";
constexpr char kCmdOverrideTimeout[] = "CmdOverrideTimeout";
constexpr char kInteger[] = "INTEGER";
constexpr char kSymbol[] = "SYMBOL";
constexpr char kString[] = "STRING";
constexpr char kRange[] = "Range";
constexpr char kSymbolList[] = "Symbol";

// A statement may hold at most this many characters before its semicolon.
constexpr std::size_t kStatementLimit = 8191;

class HWCParser {
public:
    HWCParser(HWCapsData& data, const std::string& fileName) : data_(data), fileName_(fileName) {}

    bool Parse(std::istream& input);

private:
    // The next statement to run; false at the end of the statements and at
    // a statement that fails the file.
    bool NextStatement(StatementTexts& statements, std::string_view& statement);
    // False when the statement fails.
    bool RunStatement(std::string_view keyword, StatementWords& words);
    bool RunGuardedStatement(std::string_view keyword, StatementWords& words);
    bool HardwareType(StatementWords& words);
    bool BeginBlock();
    bool EndBlock();
    bool Condition(StatementWords& words);
    bool Keyname(StatementWords& words);
    bool Property(StatementWords& words);
    bool CommandValues(StatementWords& words);
    bool SymbolValues(std::string_view command, std::string_view parameter, StatementWords& words);
    bool OverrideTimeout(StatementWords& words);

    HWCapsData& data_;
    const std::string& fileName_;
    bool hardwareTypeSeen_ = false;
    bool result_ = true;
    std::vector<std::string_view> symbols_; // of the statement being read, kept between statements
};

bool HWCParser::Parse(std::istream& input)
{
    data_.SetFileName(fileName_);
    data_.MakeDefaultListCurrent();
    data_.SetInConditionBlock(false);
    const std::string text = ReadWholeText(input);
    StatementTexts statements(text);
    for (std::string_view statement; NextStatement(statements, statement);) {
        StatementWords words(statement);
        const std::string_view keyword = words.Next();
        if (keyword.empty()) {
            break;
        }
        if (keyword[0] == '#') {
            continue;
        }
        if (!RunGuardedStatement(keyword, words)) {
            result_ = false;
            break;
        }
    }
    if (!result_) {
        ErrorMessage(kParseFailed, fileName_);
    }
    data_.SetCurrentList(nullptr);
    return result_;
}

// A statement that runs past the limit fails the file even where no ";"
// closes it.
bool HWCParser::NextStatement(StatementTexts& statements, std::string_view& statement)
{
    const bool closed = statements.Next(statement);
    if ((closed ? statement : statements.Rest()).size() > kStatementLimit) {
        ErrorMessage(kStatementTooLong, fileName_);
        result_ = false;
        return false;
    }
    if (!closed) {
        return false;
    }
    if (statements.LastHoldsNul()) {
        Diagnostics() << kNulByte << fileName_;
        result_ = false;
        return false;
    }
    return true;
}

bool HWCParser::RunGuardedStatement(std::string_view keyword, StatementWords& words)
{
    try {
        return RunStatement(keyword, words);
    } catch (const std::exception& error) {
        ErrorMessage(kExceptionOccurred, error.what(), kWhileProcessingFile, fileName_);
    } catch (...) {
        ErrorMessage(kUnknownException, fileName_);
    }
    return false;
}

bool HWCParser::RunStatement(std::string_view keyword, StatementWords& words)
{
    const bool inBlock = data_.InConditionBlock();
    if (keyword == kHardwareType) {
        return HardwareType(words);
    }
    if (keyword == kConditionBlockBegin) {
        return !inBlock && BeginBlock();
    }
    if (keyword == kConditionBlockEnd) {
        return EndBlock();
    }
    if (keyword == kCondition) {
        return inBlock && Condition(words);
    }
    if (keyword == kConditionKeyname) {
        return inBlock && Keyname(words);
    }
    if (inBlock) {
        return false;
    }
    if (keyword == kProperty) {
        return Property(words);
    }
    if (keyword == kCommandValues) {
        return CommandValues(words);
    }
    if (keyword == kCmdOverrideTimeout) {
        return OverrideTimeout(words);
    }
    return false;
}

// A second HardwareType is reported and fails the file, but the file is
// still read to its end so that all of its faults show.
bool HWCParser::HardwareType(StatementWords& words)
{
    if (hardwareTypeSeen_) {
        ErrorMessage(kDuplicateHardwareType, fileName_);
        result_ = false;
    }
    const std::string name(words.Next());
    if (name.empty()) {
        return false;
    }
    data_.SetHardwareType(name);
    hardwareTypeSeen_ = true;
    return true;
}

bool HWCParser::BeginBlock()
{
    data_.SetCurrentList(&data_.AppendConditionList(ConditionContents()));
    data_.SetInConditionBlock(true);
    return true;
}

// A block with conditions stays current after its end, so that the
// properties and values after it apply under its conditions.
bool HWCParser::EndBlock()
{
    if (!data_.InConditionBlock()) {
        return data_.CurrentList() != &data_.DefaultList();
    }
    if (data_.CurrentList()->IsEmpty()) {
        data_.RemoveLastConditionList();
        data_.MakeDefaultListCurrent();
    }
    data_.SetInConditionBlock(false);
    return true;
}

bool HWCParser::Condition(StatementWords& words)
{
    const std::string command(words.Next());
    const std::string parameter(words.Next());
    const std::string_view kind = words.Next();
    if (kind == kInteger) {
        std::int32_t value = 0;
        return words.NextInt32(value) &&
               AddIntegerCondition(*data_.CurrentList(), command.c_str(), parameter.c_str(), value);
    }
    if (kind == kSymbol) {
        const std::string symbol(words.Next());
        return !symbol.empty() &&
               AddSymbolCondition(*data_.CurrentList(), command.c_str(), parameter.c_str(), symbol.c_str());
    }
    return false;
}

bool HWCParser::Keyname(StatementWords& words)
{
    data_.CurrentList()->keyname = std::string(words.Next());
    return true;
}

bool HWCParser::Property(StatementWords& words)
{
    const std::string_view name = words.Next();
    const std::string_view kind = words.Next();
    if (name.empty()) {
        return false;
    }
    if (kind == kInteger) {
        std::int32_t value = 0;
        return words.NextInt32(value) && data_.SetIntegerProperty(name, value, *data_.CurrentList());
    }
    if (kind == kString) {
        const std::string_view value = words.Next();
        return !value.empty() && data_.SetStringProperty(name, std::string(value), *data_.CurrentList());
    }
    return false;
}

bool HWCParser::CommandValues(StatementWords& words)
{
    const std::string_view command = words.Next();
    const std::string_view parameter = words.Next();
    const std::string_view kind = words.Next();
    if (command.empty() || parameter.empty()) {
        return false;
    }
    if (kind == kRange) {
        ValueRange range;
        return words.NextInt32(range.first) && words.NextInt32(range.second) &&
               data_.SetCmdParamRanges(command, parameter, range, *data_.CurrentList());
    }
    if (kind == kSymbolList) {
        return SymbolValues(command, parameter, words);
    }
    return false;
}

bool HWCParser::SymbolValues(std::string_view command, std::string_view parameter, StatementWords& words)
{
    const CommandFormat* format = FindCommandFormat(command);
    symbols_.clear();
    for (std::string_view symbol = words.Next(); !symbol.empty(); symbol = words.Next()) {
        if (format == nullptr || !format->FindSymbol(symbol, nullptr)) {
            return false;
        }
        symbols_.push_back(symbol);
    }
    return !symbols_.empty() && data_.SetCmdParamSymbols(command, parameter, symbols_, *data_.CurrentList());
}

bool HWCParser::OverrideTimeout(StatementWords& words)
{
    const std::string_view command = words.Next();
    std::uint32_t millisec = 0;
    return !command.empty() && words.NextUInt32(millisec) && data_.SetOverrideTimeout(command, millisec);
}

} // namespace

bool ParseHWCStream(HWCapsData& data, std::istream& input, const std::string& fileName)
{
    HWCParser parser(data, fileName);
    return parser.Parse(input);
}

} // namespace TarnLinkPrivate
