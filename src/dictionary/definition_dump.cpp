// The human-readable description of a definition for the diagnostic output.

#include <ios>
#include <ostream>

#include "dictionary/command_format.h"

namespace TarnLinkPrivate {

namespace {

constexpr char kParamsBegin[] = "\nParams {";
constexpr char kParamsEnd[] = "\n       }";
constexpr char kParameter[] = "\n\tParameter: ";
constexpr char kType[] = " Type: ";
constexpr char kRequiredForRequestData[] = " IsRequiredForRequestData: ";
constexpr char kPacketOffset[] = "\n\t\tPacket Offset: ";
constexpr char kBytesForPacketPosition[] = "\n\t\tNum Bytes For Packet Position: ";
constexpr char kSize[] = "\n\t\tSize: ";
constexpr char kVariableLength[] = "\n\t\tVariable Length: ";

constexpr char kName[] = "\nName: ";
constexpr char kHasVariableLengthData[] = "\nHasVariableLengthData: ";
constexpr char kPacketInfo[] = "\nPacket Info: ";
constexpr char kSendSize[] = " Send Size: ";
constexpr char kSendPayloadSize[] = " Send Payload Size: ";
constexpr char kRequestSize[] = "\n\tRequest Size: ";
constexpr char kRequestPayloadSize[] = " Request Payload Size: ";

constexpr char kTarnBegin[] = "\n\nBEGIN - Tarn Command Format";
constexpr char kTarnEnd[] = "\nEND   - Tarn Command Format";
constexpr char kTypeMajor[] = "\nType Major: ";
constexpr char kTypeMinor[] = "\nType Minor: ";
constexpr char kFunction[] = "\nFunction: ";

constexpr char kDiagBegin[] = "\n\nBEGIN - Tarn Diagnostic Command Format";
constexpr char kDiagEnd[] = "\nEND   - Tarn Diagnostic Command Format";
constexpr char kDiagOpcode[] = "\nDiagOpcode : ";

constexpr char kMetaBegin[] = "\n\nBEGIN - Meta Command Format";
constexpr char kMetaEnd[] = "\nEND   - Meta Command Format";
constexpr char kStart[] = "\nStart: ";
constexpr char kRepeat[] = "\nRepeat: ";
constexpr char kStop[] = "\nStop: ";

// The word form for this one value only; the stream's own setting is restored.
void WriteBool(std::ostream& out, bool value) { out << std::boolalpha << value << std::noboolalpha; }

} // namespace

void CommandFormat::DumpParameters(std::ostream& out, bool brief) const
{
    out << kParamsBegin;
    for (const ParameterDefinition& parameter : parameters_) {
        out << kParameter << parameter.name << kType << ParamTypeName(parameter.type) << kRequiredForRequestData;
        WriteBool(out, parameter.requiredForRequestData);
        if (!brief) {
            out << kPacketOffset << parameter.packetOffset << kBytesForPacketPosition
                << parameter.bytesForPacketPosition << kSize << parameter.size << kVariableLength;
            WriteBool(out, parameter.variableLength);
        }
    }
    out << kParamsEnd;
}

void TarnDataCommandFormat::DumpPacketInfo(std::ostream& out) const
{
    out << kHasVariableLengthData;
    WriteBool(out, hasVariableLengthData_);
    out << kPacketInfo << kSendSize << sizes_.sendSize << kSendPayloadSize << sizes_.sendPayloadSize;
    out << kRequestSize << sizes_.requestSize << kRequestPayloadSize << sizes_.requestPayloadSize;
}

void TarnDataCommandFormat::DumpDataFormat(std::ostream& out, bool brief) const
{
    out << kName << Name();
    DumpParameters(out, brief);
    DumpPacketInfo(out);
}

void TarnDataCommandFormat::Dump(std::ostream& out, bool brief) const { DumpDataFormat(out, brief); }

void TarnCommandFormat::Dump(std::ostream& out, bool brief) const
{
    out << kTarnBegin << kName << Name();
    out << kTypeMajor << MajorTypeName(major_) << kTypeMinor << minor_ << kFunction << function_;
    DumpParameters(out, brief);
    DumpPacketInfo(out);
    out << kTarnEnd;
}

void DiagCommandFormat::Dump(std::ostream& out, bool brief) const
{
    out << kDiagBegin << kDiagOpcode << opcode_;
    DumpDataFormat(out, brief);
    out << kDiagEnd;
}

void MetaCommandFormat::Dump(std::ostream& out, bool brief) const
{
    out << kMetaBegin << kName << Name() << kStart << start_ << kRepeat << repeat_ << kStop << stop_;
    DumpParameters(out, brief);
    out << kMetaEnd;
}

} // namespace TarnLinkPrivate
