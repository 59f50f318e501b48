#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "dictionary/command_format.h"
#include "dictionary/command_registry.h"
#include "dictionary/registry_reset.h"
#include "tarnlink/TarnDictionary.h"

using TarnLink::CommandInfo;
using TarnLink::CommandKind;
using TarnLink::TarnDictionary;
using namespace TarnLinkPrivate;

namespace {

constexpr char kDefinitions[] =
    "AudioHostChanMute Tarn CommandTypeMajor AUDIO CommandTypeMinor 0 Function 23"
    " DataName HostChannel RD DataType UINT8 DataName Mute DataType UINT8"
    " Symbol AudioHostChan_MuteOff 0 Symbol AudioHostChan_MuteOn 1;"
    "RunDiagnostic Tarn CommandTypeMajor DIAGNOSTIC CommandTypeMinor 0 Function 0;"
    "Wide Tarn CommandTypeMajor SYSTEM CommandTypeMinor 2 Function 127"
    " DataName A DataType INT16 DataName B DataType UINT32 DataName C DataType INT64 DataName D DataType INT8"
    " DataName E DataType BYTES Symbol Low -2147483648;"
    "DiagAudioTone Diag DiagOpcode 12 DataName AudioFrequency DataType UINT16;"
    "UploadTable Meta Start TableBegin Repeat TableData Stop TableEnd DataName TotalSize DataType UINT32;";

class DefinitionText : public RegistryTest {
protected:
    void SetUp() override { ASSERT_TRUE(Parse(kDefinitions, "defs.tcd")); }

    static std::string HeaderOf(const char* name)
    {
        std::ostringstream out;
        EXPECT_TRUE(TarnDictionary::WriteCommandHeaderText(name, out));
        return out.str();
    }

    static std::string DumpOf(const char* name, bool brief)
    {
        std::ostringstream out;
        FindCommandFormat(name)->Dump(out, brief);
        return out.str();
    }
};

TEST_F(DefinitionText, TarnDumpBriefAndFull)
{
    const std::string head = "\n\nBEGIN - Tarn Command Format\nName: AudioHostChanMute\nType Major: AUDIO"
                             "\nType Minor: 0\nFunction: 23\nParams {";
    const std::string tail =
        "\n       }\nHasVariableLengthData: false\nPacket Info:  Send Size: 10 Send Payload Size: 2"
        "\n\tRequest Size: 9 Request Payload Size: 1\nEND   - Tarn Command Format";
    EXPECT_EQ(DumpOf("AudioHostChanMute", true),
              head +
                  "\n\tParameter: HostChannel Type: UINT8 IsRequiredForRequestData: true"
                  "\n\tParameter: Mute Type: UINT8 IsRequiredForRequestData: false" +
                  tail);
    EXPECT_EQ(
        DumpOf("AudioHostChanMute", false),
        head +
            "\n\tParameter: HostChannel Type: UINT8 IsRequiredForRequestData: true"
            "\n\t\tPacket Offset: 8\n\t\tNum Bytes For Packet Position: 1\n\t\tSize: 1\n\t\tVariable Length: false"
            "\n\tParameter: Mute Type: UINT8 IsRequiredForRequestData: false"
            "\n\t\tPacket Offset: 9\n\t\tNum Bytes For Packet Position: 1\n\t\tSize: 1\n\t\tVariable Length: false" +
            tail);
}

TEST_F(DefinitionText, MetaDumpListsItsSequenceAndParameters)
{
    EXPECT_EQ(DumpOf("UploadTable", false),
              "\n\nBEGIN - Meta Command Format\nName: UploadTable\nStart: TableBegin\nRepeat: TableData\nStop: TableEnd"
              "\nParams {\n\tParameter: TotalSize Type: UINT32 IsRequiredForRequestData: false"
              "\n\t\tPacket Offset: -1\n\t\tNum Bytes For Packet Position: 0\n\t\tSize: -1\n\t\tVariable Length: false"
              "\n       }\nEND   - Meta Command Format");
}

TEST_F(DefinitionText, DumpLeavesTheStreamsNumberFormatAlone)
{
    std::ostringstream out;
    FindCommandFormat("RunDiagnostic")->Dump(out, false);
    out << true;
    EXPECT_EQ(out.str().back(), '1');
}

TEST_F(DefinitionText, HeaderTextOfATarnCommand)
{
    EXPECT_EQ(HeaderOf("AudioHostChanMute"),
              "\nenum AudioHostChanMuteCodes\n{"
              "\n\tkBoB_SetAudioHostChanMute = 46,\n\tkBoB_GetAudioHostChanMute = 47\n};"
              "\n\n /* Enum constants for command AudioHostChanMute */\nenum AudioHostChanMuteEnumSymbols\n{"
              "\n\tk_AudioHostChan_MuteOff = 0,\n\tk_AudioHostChan_MuteOn = 1\n};"
              "\n\n /* Data for command AudioHostChanMute */\ntypedef struct _AudioHostChanMute\n{"
              "\n\tunsigned char HostChannel;\n\tunsigned char Mute;\n} AudioHostChanMute, *PAudioHostChanMute;");
}

TEST_F(DefinitionText, HeaderTextEdgesOfCodesAndFields)
{
    EXPECT_EQ(HeaderOf("RunDiagnostic"), "\nenum RunDiagnosticCodes\n{\n\tkBoB_SetRunDiagnostic = 0,"
                                         "\n\tkBoB_GetRunDiagnostic = 1\n};"
                                         "\n\n /* Data for command RunDiagnostic */\n/* Command has NO DATA */");
    EXPECT_EQ(HeaderOf("Wide"),
              "\nenum WideCodes\n{\n\tkBoB_SetWide = 254,\n\tkBoB_GetWide = 255\n};"
              "\n\n /* Enum constants for command Wide */\nenum WideEnumSymbols\n{\n\tk_Low = -2147483648\n};"
              "\n\n /* Data for command Wide */\ntypedef struct _Wide\n{"
              "\n\tunsigned char A_15_8; /* INT16 */\n\tunsigned char A_7_0;"
              "\n\tunsigned char B_31_24; /* UINT32 */\n\tunsigned char B_23_16;\n\tunsigned char B_15_8;"
              "\n\tunsigned char B_7_0;"
              "\n\tunsigned char C_63_56; /* INT64 */\n\tunsigned char C_55_48;\n\tunsigned char C_47_40;"
              "\n\tunsigned char C_39_32;\n\tunsigned char C_31_24;\n\tunsigned char C_23_16;\n\tunsigned char C_15_8;"
              "\n\tunsigned char C_7_0;"
              "\n\tchar D;\n\tunsigned char E[1]; /* variable length */\n} Wide, *PWide;");
    EXPECT_EQ(HeaderOf("DiagAudioTone"),
              "\nenum DiagAudioToneCodes\n{\n\tkDiag_DiagAudioTone = 12\n};"
              "\n\n /* Data for command DiagAudioTone */\ntypedef struct _DiagAudioTone\n{"
              "\n\tunsigned char AudioFrequency_15_8; /* UINT16 */\n\tunsigned char AudioFrequency_7_0;"
              "\n} DiagAudioTone, *PDiagAudioTone;");
    EXPECT_EQ(HeaderOf("UploadTable"), "");
}

TEST_F(DefinitionText, WholeHeaderIsEveryCommandInNameOrder)
{
    std::ostringstream whole;
    EXPECT_TRUE(TarnDictionary::WriteHeaderText(whole));
    EXPECT_EQ(whole.str(), HeaderOf("AudioHostChanMute") + HeaderOf("DiagAudioTone") + HeaderOf("RunDiagnostic") +
                               HeaderOf("UploadTable") + HeaderOf("Wide"));
}

TEST_F(DefinitionText, DictionaryAnswersAboutEachKind)
{
    EXPECT_EQ(TarnDictionary::GetCommandNames(),
              (std::vector<std::string>{"AudioHostChanMute", "DiagAudioTone", "RunDiagnostic", "UploadTable", "Wide"}));

    CommandInfo info;
    ASSERT_TRUE(TarnDictionary::GetCommandInfo("AudioHostChanMute", &info));
    EXPECT_EQ(info.kind, CommandKind::kTarn);
    EXPECT_EQ(info.sourceFile, "defs.tcd");
    EXPECT_EQ(info.major, 1u);
    EXPECT_EQ(info.majorName, "AUDIO");
    EXPECT_EQ(info.minor, 0u);
    EXPECT_EQ(info.function, 23u);
    ASSERT_EQ(info.parameters.size(), 2u);
    EXPECT_EQ(info.parameters[0].name, "HostChannel");
    EXPECT_EQ(info.parameters[0].typeName, "UINT8");
    EXPECT_TRUE(info.parameters[0].requiredForRequestData);
    ASSERT_EQ(info.symbols.size(), 2u);
    EXPECT_EQ(info.symbols[1].name, "AudioHostChan_MuteOn");
    EXPECT_EQ(info.symbols[1].value, 1);
    SetOverrideTimeoutMillisec("AudioHostChanMute", 750);
    ASSERT_TRUE(TarnDictionary::GetCommandInfo("AudioHostChanMute", &info));
    EXPECT_EQ(info.overrideTimeoutMillisec, 750u);

    ASSERT_TRUE(TarnDictionary::GetCommandInfo("DiagAudioTone", &info));
    EXPECT_EQ(info.kind, CommandKind::kDiag);
    EXPECT_EQ(info.opcode, 12u);
    EXPECT_EQ(info.symbols.size(), 0u);

    ASSERT_TRUE(TarnDictionary::GetCommandInfo("UploadTable", &info));
    EXPECT_EQ(info.kind, CommandKind::kMeta);
    EXPECT_EQ(info.startCommand, "TableBegin");
    EXPECT_EQ(info.repeatCommand, "TableData");
    EXPECT_EQ(info.stopCommand, "TableEnd");

    ASSERT_TRUE(TarnDictionary::GetCommandInfo("Wide", &info));
    EXPECT_TRUE(info.hasVariableLengthData);

    std::ostringstream dump;
    EXPECT_TRUE(TarnDictionary::DumpCommand("Wide", dump));
    EXPECT_EQ(dump.str(), DumpOf("Wide", false));
}

TEST_F(DefinitionText, UnknownNamesAndNullArgumentsAreRefused)
{
    CommandInfo info;
    info.name = "untouched";
    std::ostringstream out;
    EXPECT_FALSE(TarnDictionary::GetCommandInfo("Nope", &info));
    EXPECT_FALSE(TarnDictionary::GetCommandInfo(nullptr, &info));
    EXPECT_FALSE(TarnDictionary::GetCommandInfo("Wide", nullptr));
    EXPECT_EQ(info.name, "untouched");
    EXPECT_FALSE(TarnDictionary::DumpCommand("Nope", out));
    EXPECT_FALSE(TarnDictionary::DumpCommand(nullptr, out));
    EXPECT_FALSE(TarnDictionary::WriteCommandHeaderText("Nope", out));
    EXPECT_EQ(out.str(), "");
}

TEST_F(DefinitionText, HeaderDeclarationsStopAtAnUnknownType)
{
    TarnCommandFormat format;
    format.SetName("Odd");
    ParameterDefinition parameter;
    parameter.name = "X";
    parameter.type = ParamTypeFromName("FLOAT");
    format.AddParameter(parameter);
    std::ostringstream out;
    EXPECT_FALSE(format.WriteHeaderDeclarations(out));
    EXPECT_EQ(out.str(), "\n\n /* Data for command Odd */\ntypedef struct _Odd\n{");
}

} // namespace
