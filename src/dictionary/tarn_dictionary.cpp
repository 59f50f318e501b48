#include "tarnlink/TarnDictionary.h"

#include <ostream>

#include "dictionary/command_format.h"
#include "dictionary/command_registry.h"
#include "dictionary/tcd_file_processor.h"

namespace TarnLink {

namespace Private = TarnLinkPrivate;

namespace {

constexpr char kEnumBegin[] = "\nenum ";
constexpr char kEnumNameSuffix[] = "Codes\n{";
constexpr char kEnumEnd[] = "\n};";

void FillAddressing(const Private::CommandFormat& format, CommandInfo& info)
{
    if (const auto* tarn = dynamic_cast<const Private::TarnCommandFormat*>(&format)) {
        info.kind = CommandKind::kTarn;
        info.major = tarn->Major();
        info.majorName = Private::MajorTypeName(tarn->Major());
        info.minor = tarn->Minor();
        info.function = tarn->Function();
    } else if (const auto* diag = dynamic_cast<const Private::DiagCommandFormat*>(&format)) {
        info.kind = CommandKind::kDiag;
        info.opcode = diag->Opcode();
    } else if (const auto* meta = dynamic_cast<const Private::MetaCommandFormat*>(&format)) {
        info.kind = CommandKind::kMeta;
        info.startCommand = meta->StartCommand();
        info.repeatCommand = meta->RepeatCommand();
        info.stopCommand = meta->StopCommand();
    }
}

bool WriteFormatHeaderText(const Private::CommandFormat& format, std::ostream& out)
{
    bool ok = true;
    if (format.HasEnumConstant()) {
        out << kEnumBegin << format.Name() << kEnumNameSuffix;
        ok = format.WriteEnumConstant(out);
        out << kEnumEnd;
    }
    if (ok && format.HasHeaderDeclarations()) {
        ok = format.WriteHeaderDeclarations(out);
    }
    return ok;
}

} // namespace

std::vector<std::string> TarnDictionary::GetCommandNames()
{
    std::vector<std::string> names;
    const Private::NameRegistry& registry = Private::GetNameRegistry();
    names.reserve(registry.size());
    for (const auto& entry : registry) {
        names.emplace_back(entry.first);
    }
    return names;
}

bool TarnDictionary::GetCommandInfo(const char* name, CommandInfo* info)
{
    const Private::CommandFormat* format = Private::FindCommandFormat(name);
    if (format == nullptr || info == nullptr) {
        return false;
    }
    CommandInfo filled;
    filled.name = format->Name();
    filled.sourceFile = format->SourceFile();
    FillAddressing(*format, filled);
    for (const Private::ParameterDefinition& parameter : format->Parameters()) {
        filled.parameters.push_back(
            {parameter.name, Private::ParamTypeName(parameter.type), parameter.requiredForRequestData});
    }
    for (const Private::SymbolDefinition& symbol : format->Symbols()) {
        filled.symbols.push_back({symbol.name, symbol.value});
    }
    filled.hasVariableLengthData = format->HasVariableLengthData();
    filled.overrideTimeoutMillisec = format->GetOverrideTimeoutMillisec();
    *info = std::move(filled);
    return true;
}

bool TarnDictionary::DumpCommand(const char* name, std::ostream& out)
{
    const Private::CommandFormat* format = Private::FindCommandFormat(name);
    if (format == nullptr) {
        return false;
    }
    format->Dump(out, false);
    return true;
}

bool TarnDictionary::WriteCommandHeaderText(const char* name, std::ostream& out)
{
    const Private::CommandFormat* format = Private::FindCommandFormat(name);
    return format != nullptr && WriteFormatHeaderText(*format, out);
}

bool TarnDictionary::WriteHeaderText(std::ostream& out)
{
    bool ok = true;
    for (const auto& entry : Private::GetNameRegistry()) {
        ok = WriteFormatHeaderText(*entry.second, out) && ok;
    }
    return ok;
}

void TarnDictionary::SetEmbeddedFilesEnabled(bool definitions, bool capabilities)
{
    Private::SetEmbeddedFilesEnabled(definitions, capabilities);
}

} // namespace TarnLink
