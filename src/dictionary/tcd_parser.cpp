#include "dictionary/tcd_parser.h"

#include <istream>
#include <memory>
#include <string>
#include <string_view>
#include <utility>

#include "dictionary/command_format.h"
#include "dictionary/command_registry.h"
#include "diagnostics/diagnostics.h"
#include "dictionary/statement_texts.h"
#include "dictionary/tcd_words.h"

namespace TarnLinkPrivate {

namespace {

constexpr char kParsingFile[] = "\nParsing Tarn Command Definition File : ";
constexpr char kFinishedFile[] = "\n\nFinished Parsing Tarn Command Definition File : ";
constexpr char kLineEnd[] = "\n";
constexpr char kFileFailed[] = "\n\nERROR - Failed To Successfully parse Tarn Command Definition file : ";
constexpr char kStatementTooLong[] = "\n\nERROR - Statement too long in Tarn Command Definition file : ";
// Names are looked up as C strings: a NUL byte in one would make it unreachable.
constexpr char kNulByte[] = "\n\nERROR - NUL byte in statement of Tarn Command Definition file : ";

constexpr char kDefinitionPrefix[] = "\n\nERROR - Tarn Command Definition : ";
constexpr char kMissingKind[] = " DEFINITION INVALID - MISSING TYPE KEYWORD [Meta|Tarn|Diag]";
constexpr char kNotUnique[] = " NOT UNIQUE";
constexpr char kPrecomputeFailed[] = " FAILED Precomputation Stage";
constexpr char kAddFailed[] = " FAILED AddToDefinedCommands Stage";

constexpr char kFoundDefinition[] = "\nFound Tarn Command Definition...";
constexpr char kNameLabel[] = "\tName: ";
constexpr char kTypeBlockFailed[] = "\n\nERROR Failed to read CommandType Block - Command Name: ";
constexpr char kItemFailed[] = "\n\nERROR Parsing Command Parameter Data for Tarn Command Definition - Command Name: ";

constexpr char kDuplicateSymbol[] = "\nError - Symbolic Constant duplicate name";
constexpr char kRequestAfterSendOnly[] =
    "\nError - Found a parameter needed for RequestData AFTER a send-only parameter";
constexpr char kMissingDataName[] = "\nError - did not find 'DataName' keyword";
constexpr char kMissingDataType[] = "\nError - did not find 'DataType' keyword";
constexpr char kDuplicateParameter[] = "\n\tERROR - duplicate data names for parameters in command - ";
constexpr char kInvalidTypeBegin[] = "\n\tERROR - invalid data type '";
constexpr char kInvalidTypeEnd[] = "' ";
constexpr char kAfterBytes[] = "\n\tERROR - attempted to add an additional data parameter after a BYTES parameter";

constexpr char kDocumentationKeyword[] = "DOCUMENTATION";
constexpr char kSymbolKeyword[] = "Symbol";
constexpr char kDataNameKeyword[] = "DataName";
constexpr char kDataTypeKeyword[] = "DataType";
constexpr char kRequestDataMark[] = "RD";
constexpr char kCommentMark = '#';

DefinitionPtr MakeFormat(std::string_view kind)
{
    if (kind == "Meta") {
        return MakeDefinition<MetaCommandFormat>();
    }
    if (kind == "Tarn") {
        return MakeDefinition<TarnCommandFormat>();
    }
    if (kind == "Diag") {
        return MakeDefinition<DiagCommandFormat>();
    }
    return nullptr;
}

bool Fail(const char* message, std::string_view name)
{
    ErrorMessage(message, name);
    return false;
}

bool FailDefinition(std::string_view name, const char* stage)
{
    ErrorMessage(kDefinitionPrefix, name, stage);
    return false;
}

bool FailVerbose(const char* message)
{
    VerboseMessage(message);
    return false;
}

enum class ItemResult { kAdded, kEndOfStatement, kFailed };

// Reads the parameter and symbol items of one definition, keeping the rule
// that request-data parameters come before every send-only one.
class ItemReader {
public:
    explicit ItemReader(CommandFormat& format) : format_(format) {}

    ItemResult ReadItem(StatementWords& statement)
    {
        const std::string_view keyword = ReadWord(statement);
        const std::string_view itemName = ReadWord(statement);
        if (keyword == kSymbolKeyword) {
            return ReadSymbol(statement, itemName) ? ItemResult::kAdded : ItemResult::kFailed;
        }
        bool requiredForRequestData = false;
        std::string_view typeKeyword = ReadWord(statement);
        if (typeKeyword == kRequestDataMark) {
            if (sendOnlySeen_) {
                return Failed(kRequestAfterSendOnly);
            }
            requiredForRequestData = true;
            typeKeyword = ReadWord(statement);
        } else {
            sendOnlySeen_ = true;
        }
        const std::string_view typeName = ReadWord(statement);
        if (typeName.empty()) {
            return ItemResult::kEndOfStatement;
        }
        if (keyword != kDataNameKeyword) {
            return Failed(kMissingDataName);
        }
        if (typeKeyword != kDataTypeKeyword) {
            return Failed(kMissingDataType);
        }
        return AddParameter(itemName, typeName, requiredForRequestData) ? ItemResult::kAdded : ItemResult::kFailed;
    }

private:
    static ItemResult Failed(const char* message)
    {
        VerboseMessage(message);
        return ItemResult::kFailed;
    }

    // A symbol without a name or without a number that fits 32 bits is a
    // malformed item, not a zero.
    bool ReadSymbol(StatementWords& statement, std::string_view symbolName)
    {
        const std::optional<std::int32_t> value = ReadInt32(statement);
        if (symbolName.empty() || !value) {
            return false;
        }
        return format_.AddSymbol(symbolName, *value) || FailVerbose(kDuplicateSymbol);
    }

    bool AddParameter(std::string_view name, std::string_view typeName, bool requiredForRequestData)
    {
        if (format_.HasParameter(name)) {
            VerboseMessage(kDuplicateParameter, format_.Name());
            return false;
        }
        const ParamType type = ParamTypeFromName(typeName);
        if (type == ParamType::kInvalid) {
            VerboseMessage(kInvalidTypeBegin, typeName, kInvalidTypeEnd);
            return false;
        }
        if (!format_.Parameters().empty() && format_.Parameters().back().type == ParamType::kBytes) {
            return FailVerbose(kAfterBytes);
        }
        if (type == ParamType::kBytes) {
            format_.SetHasVariableLengthData(true);
        }
        ParameterDefinition parameter;
        parameter.name = name;
        parameter.type = type;
        parameter.requiredForRequestData = requiredForRequestData;
        return format_.AddParameter(std::move(parameter));
    }

    CommandFormat& format_;
    bool sendOnlySeen_ = false;
};

bool ParseDefinitionBody(StatementWords& statement, std::string_view name, CommandFormat& format)
{
    VerboseMessage(kFoundDefinition, kNameLabel, name);
    format.SetName(name);
    if (!format.ReadCommandTypeBlock(statement)) {
        return Fail(kTypeBlockFailed, name);
    }
    ItemReader items(format);
    for (;;) {
        const ItemResult result = items.ReadItem(statement);
        if (result == ItemResult::kEndOfStatement) {
            break;
        }
        if (result == ItemResult::kFailed) {
            return Fail(kItemFailed, name);
        }
    }
    if (IsVerbose()) {
        format.Dump(Diagnostics(), true);
    }
    return true;
}

} // namespace

bool ParseDefinitionStatement(StatementWords& statement, std::string_view firstWord,
                              const std::shared_ptr<const std::string>& fileName)
{
    if (firstWord == kDocumentationKeyword) {
        return true;
    }
    DefinitionPtr format = MakeFormat(ReadWord(statement));
    if (!format) {
        return FailDefinition(firstWord, kMissingKind);
    }
    format->SetSourceFile(fileName);
    if (!ParseDefinitionBody(statement, firstWord, *format)) {
        return false;
    }
    if (!format->IsUnique()) {
        return FailDefinition(format->Name(), kNotUnique);
    }
    if (!format->Precompute()) {
        return FailDefinition(format->Name(), kPrecomputeFailed);
    }
    // The indexes view the registered definition's name, so its keys go in
    // only once the registry owns it.
    const CommandFormat& registered = *format;
    if (!RegisterDefinition(std::move(format))) {
        return FailDefinition(firstWord, kAddFailed);
    }
    registered.RegisterUniqueKeys();
    return true;
}

bool ParseTCDFile(std::istream& file, const char* fileName)
{
    const auto shared = std::make_shared<const std::string>(fileName != nullptr ? fileName : "");
    const std::string& name = *shared;
    VerboseMessage(kParsingFile, name, kLineEnd);
    const std::string text = ReadWholeText(file);
    StatementTexts statements(text);
    // Text after the last ";" (a checksum trailer, say) is no statement.
    for (std::string_view statementText; statements.Next(statementText);) {
        if (statementText.size() > kMaxStatementLength) {
            return Fail(kStatementTooLong, name);
        }
        if (statements.LastHoldsNul()) {
            return Fail(kNulByte, name);
        }
        StatementWords statement(statementText);
        const std::string_view firstWord = ReadWord(statement);
        if (firstWord.empty()) {
            break;
        }
        if (firstWord.front() == kCommentMark) {
            continue;
        }
        if (!ParseDefinitionStatement(statement, firstWord, shared)) {
            return Fail(kFileFailed, name);
        }
    }
    VerboseMessage(kFinishedFile, name, kLineEnd);
    return true;
}

} // namespace TarnLinkPrivate
