// C declaration text of a definition, for firmware and host sources.

#include <ostream>

#include "dictionary/command_format.h"

namespace TarnLinkPrivate {

namespace {

constexpr char kSetConstant[] = "\n\tkBoB_Set";
constexpr char kGetConstant[] = "\n\tkBoB_Get";
constexpr char kDiagConstant[] = "\n\tkDiag_";
constexpr char kEquals[] = " = ";
constexpr char kComma[] = ",";

constexpr char kSymbolsComment[] = "\n\n /* Enum constants for command ";
constexpr char kCommentEnd[] = " */";
constexpr char kEnum[] = "\nenum ";
constexpr char kEnumSuffix[] = "EnumSymbols";
constexpr char kOpenBrace[] = "\n{";
constexpr char kSymbolPrefix[] = "\n\tk_";
constexpr char kEnumEnd[] = "\n};";
constexpr char kDataComment[] = "\n\n /* Data for command ";
constexpr char kTypedef[] = "\ntypedef struct _";
constexpr char kStructEnd[] = "\n} ";
constexpr char kPointerName[] = ", *P";
constexpr char kSemicolon[] = ";";
constexpr char kNoData[] = "\n/* Command has NO DATA */";

constexpr char kField[] = "\n\tunsigned char ";
constexpr char kSignedByteField[] = "\n\tchar ";
constexpr char kBytesField[] = "[1]; /* variable length */";

// The byte-position suffixes of a big-endian field, most significant first.
constexpr const char* kBytePositions[] = {"_63_56", "_55_48", "_47_40", "_39_32", "_31_24", "_23_16", "_15_8", "_7_0"};
constexpr std::size_t kBytePositionCount = sizeof(kBytePositions) / sizeof(kBytePositions[0]);

void WriteMultiByteFields(std::ostream& out, const ParameterDefinition& parameter, std::size_t byteCount)
{
    const std::size_t first = kBytePositionCount - byteCount;
    out << kField << parameter.name << kBytePositions[first] << "; /* " << ParamTypeName(parameter.type) << kCommentEnd;
    for (std::size_t position = first + 1; position < kBytePositionCount; ++position) {
        out << kField << parameter.name << kBytePositions[position] << kSemicolon;
    }
}

bool WriteParameterFields(std::ostream& out, const ParameterDefinition& parameter)
{
    switch (parameter.type) {
    case ParamType::kInt8:
        out << kSignedByteField << parameter.name << kSemicolon;
        return true;
    case ParamType::kUInt8:
        out << kField << parameter.name << kSemicolon;
        return true;
    case ParamType::kBytes:
        out << kField << parameter.name << kBytesField;
        return true;
    case ParamType::kInvalid:
        return false;
    default:
        WriteMultiByteFields(out, parameter, static_cast<std::size_t>(FixedSizeOf(parameter.type)));
        return true;
    }
}

} // namespace

bool TarnDataCommandFormat::WriteEnumConstant(std::ostream&) const { return true; }

bool TarnCommandFormat::WriteEnumConstant(std::ostream& out) const
{
    const std::uint32_t setCode = 2u * function_;
    out << kSetConstant << Name() << kEquals << setCode << kComma;
    out << kGetConstant << Name() << kEquals << setCode + 1u;
    return true;
}

bool DiagCommandFormat::WriteEnumConstant(std::ostream& out) const
{
    out << kDiagConstant << Name() << kEquals << opcode_;
    return true;
}

bool MetaCommandFormat::WriteEnumConstant(std::ostream&) const { return false; }
bool MetaCommandFormat::WriteHeaderDeclarations(std::ostream&) const { return false; }

bool TarnDataCommandFormat::WriteHeaderDeclarations(std::ostream& out) const
{
    const SymbolDefinitions& symbols = Symbols();
    if (!symbols.empty()) {
        out << kSymbolsComment << Name() << kCommentEnd << kEnum << Name() << kEnumSuffix << kOpenBrace;
        for (std::size_t i = 0; i < symbols.size(); ++i) {
            out << (i == 0 ? "" : kComma) << kSymbolPrefix << symbols[i].name << kEquals << symbols[i].value;
        }
        out << kEnumEnd;
    }
    out << kDataComment << Name() << kCommentEnd;
    if (Parameters().empty()) {
        out << kNoData;
        return true;
    }
    out << kTypedef << Name() << kOpenBrace;
    for (const ParameterDefinition& parameter : Parameters()) {
        if (!WriteParameterFields(out, parameter)) {
            return false;
        }
    }
    out << kStructEnd << Name() << kPointerName << Name() << kSemicolon;
    return true;
}

} // namespace TarnLinkPrivate
