#include <gtest/gtest.h>

#include <string>

#include "support/cout_capture.h"
#include "dictionary/command_format.h"
#include "dictionary/command_registry.h"
#include "diagnostics/diagnostics.h"
#include "dictionary/registry_reset.h"

using namespace TarnLinkPrivate;

namespace {

const std::string kFileFailed = "\n\nERROR - Failed To Successfully parse Tarn Command Definition file : t.tcd";
const std::string kTypeBlock = "\n\nERROR Failed to read CommandType Block - Command Name: X";
const std::string kItem = "\n\nERROR Parsing Command Parameter Data for Tarn Command Definition - Command Name: X";
const std::string kMajor = "\n\nERROR Parsing Command Type Major for Tarn Command Definition - Command Name: X";
const std::string kMinor = "\n\nERROR Parsing Command Type Minor for Tarn Command Definition - Command Name: X";
const std::string kFunction = "\n\nERROR Parsing Command Function for Tarn Command Definition - Command Name: X";
const std::string kNotUnique = "\n\nERROR - Tarn Command Definition : X NOT UNIQUE";

const std::string kTarnHead = "X Tarn CommandTypeMajor VIDEO CommandTypeMinor 1 Function 2 ";

struct MalformedCase {
    const char* label;
    std::string text;
    // Everything written with the verbose flag off.
    std::string unconditional;
    // A text that only the verbose flag adds ("" when none).
    std::string verboseDetail;
    std::size_t definitionsLeft;
};

// gtest would otherwise print the case byte by byte, padding included.
void PrintTo(const MalformedCase& c, std::ostream* out) { *out << c.label; }

std::string TestNameOf(const char* label)
{
    std::string name;
    for (const char* p = label; *p != '\0'; ++p) {
        const char c = *p;
        const bool alphanumeric = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
        name += alphanumeric ? c : '_';
    }
    return name;
}

std::string LongTarnDefinition(int uint64Count)
{
    std::string text = "X Tarn CommandTypeMajor VIDEO CommandTypeMinor 1 Function 2";
    for (int i = 0; i < uint64Count; ++i) {
        text += " DataName P" + std::to_string(i) + " DataType UINT64";
    }
    return text + ";";
}

const MalformedCase kMalformed[] = {
    {"kind missing", "X Tarnn CommandTypeMajor VIDEO;",
     "\n\nERROR - Tarn Command Definition : X DEFINITION INVALID - MISSING TYPE KEYWORD [Meta|Tarn|Diag]" + kFileFailed,
     "", 0},
    {"kind in lower case", "X tarn CommandTypeMajor VIDEO CommandTypeMinor 1 Function 2;",
     "\n\nERROR - Tarn Command Definition : X DEFINITION INVALID - MISSING TYPE KEYWORD [Meta|Tarn|Diag]" + kFileFailed,
     "", 0},
    {"major keyword", "X Tarn CommandTypeMajr VIDEO CommandTypeMinor 1 Function 2;", kMajor + kTypeBlock + kFileFailed,
     "\nError - did not find 'CommandTypeMajor' keyword", 0},
    {"major in lower case", "X Tarn CommandTypeMajor video CommandTypeMinor 1 Function 2;",
     kMajor + kTypeBlock + kFileFailed, "", 0},
    {"minor keyword", "X Tarn CommandTypeMajor VIDEO Minor 1 Function 2;", kMinor + kTypeBlock + kFileFailed,
     "\nError - did not find 'CommandTypeMinor' keyword", 0},
    {"minor 64", "X Tarn CommandTypeMajor VIDEO CommandTypeMinor 64 Function 2;", kMinor + kTypeBlock + kFileFailed, "",
     0},
    {"minor -1", "X Tarn CommandTypeMajor VIDEO CommandTypeMinor -1 Function 2;", kMinor + kTypeBlock + kFileFailed, "",
     0},
    {"minor not a number", "X Tarn CommandTypeMajor VIDEO CommandTypeMinor one Function 2;",
     kMinor + kTypeBlock + kFileFailed, "", 0},
    {"minor beyond 16 bits", "X Tarn CommandTypeMajor VIDEO CommandTypeMinor 65537 Function 2;",
     kMinor + kTypeBlock + kFileFailed, "", 0},
    {"minor missing", "X Tarn CommandTypeMajor VIDEO CommandTypeMinor;", kMinor + kTypeBlock + kFileFailed, "", 0},
    {"function keyword", "X Tarn CommandTypeMajor VIDEO CommandTypeMinor 1 Func 2;",
     kFunction + kTypeBlock + kFileFailed, "\nError - did not find 'Function' keyword", 0},
    {"function 128", "X Tarn CommandTypeMajor VIDEO CommandTypeMinor 1 Function 128;",
     kFunction + kTypeBlock + kFileFailed, "", 0},
    {"function missing", "X Tarn CommandTypeMajor VIDEO CommandTypeMinor 1 Function;",
     kFunction + kTypeBlock + kFileFailed, "", 0},
    {"opcode keyword", "X Diag Opcode 1;", kTypeBlock + kFileFailed, "\nError - did not find 'DiagOpcode' keyword", 0},
    {"opcode 256", "X Diag DiagOpcode 256;", kTypeBlock + kFileFailed, "", 0},
    {"opcode not a number", "X Diag DiagOpcode 0x10;", kTypeBlock + kFileFailed, "", 0},
    {"meta without repeat", "X Meta Start A Stop C;", kTypeBlock + kFileFailed, "", 0},
    {"meta with empty stop", "X Meta Start A Repeat B Stop;", kTypeBlock + kFileFailed, "", 0},
    {"duplicate symbol", kTarnHead + "Symbol S 1 Symbol S 2;", kItem + kFileFailed,
     "\nError - Symbolic Constant duplicate name", 0},
    {"symbol not a number", kTarnHead + "Symbol S one;", kItem + kFileFailed, "", 0},
    {"symbol beyond 32 bits", kTarnHead + "Symbol S 2147483648;", kItem + kFileFailed, "", 0},
    {"RD after send-only", kTarnHead + "DataName A DataType UINT8 DataName B RD DataType UINT8;", kItem + kFileFailed,
     "\nError - Found a parameter needed for RequestData AFTER a send-only parameter", 0},
    {"DataName keyword", kTarnHead + "DataNam A DataType UINT8;", kItem + kFileFailed,
     "\nError - did not find 'DataName' keyword", 0},
    {"DataType keyword", kTarnHead + "DataName A RD DataTyp UINT8;", kItem + kFileFailed,
     "\nError - did not find 'DataType' keyword", 0},
    {"duplicate parameter", kTarnHead + "DataName A DataType UINT8 DataName A DataType INT8;", kItem + kFileFailed,
     "\n\tERROR - duplicate data names for parameters in command - X", 0},
    {"invalid type", kTarnHead + "DataName A DataType FLOAT;", kItem + kFileFailed,
     "\n\tERROR - invalid data type 'FLOAT' ", 0},
    {"type in lower case", kTarnHead + "DataName A DataType uint8;", kItem + kFileFailed,
     "\n\tERROR - invalid data type 'uint8' ", 0},
    {"parameter after BYTES", kTarnHead + "DataName A DataType BYTES DataName B DataType UINT8;", kItem + kFileFailed,
     "\n\tERROR - attempted to add an additional data parameter after a BYTES parameter", 0},
    {"duplicate name", "X Diag DiagOpcode 1; X Diag DiagOpcode 2; Y Diag DiagOpcode 3;", kNotUnique + kFileFailed,
     "\n\nERROR - Duplicate Tarn Command Name found : X", 1},
    {"duplicate type code", "A Tarn CommandTypeMajor VIDEO CommandTypeMinor 1 Function 2;" + kTarnHead + ";",
     kNotUnique + kFileFailed,
     "\n\nERROR - Duplicate Major Type, Minor Type, and Function code found!\n\n\t\t Existing Command Name: A", 1},
    {"duplicate opcode", "A Diag DiagOpcode 7; X Diag DiagOpcode 7;", kNotUnique + kFileFailed,
     "\n\nERROR - Duplicate Diag Opcode code found!\n\n\t\t Existing Command Name: A", 1},
    {"parameters beyond one packet", LongTarnDefinition(256),
     "\n\nERROR - Tarn Command : X Has Fixed-Size Parameter Data but could not precompute packet sizes and data "
     "offsets \n\nERROR - Tarn Command Definition : X FAILED Precomputation Stage" +
         kFileFailed,
     "", 0},
    {"statement too long", "A Diag DiagOpcode 1;" + std::string(8192, ' ') + ";B Diag DiagOpcode 2;",
     "\n\nERROR - Statement too long in Tarn Command Definition file : t.tcd", "", 1},
    // Names are looked up as C strings: one holding a NUL byte could never be found.
    {"NUL byte in a name", "A Diag DiagOpcode 1;" + std::string("B\0C Diag DiagOpcode 2;", 22),
     "\n\nERROR - NUL byte in statement of Tarn Command Definition file : t.tcd", "", 1},
};

class MalformedStatement : public RegistryTest, public ::testing::WithParamInterface<MalformedCase> {};

TEST_P(MalformedStatement, FailsTheFileWithItsMessages)
{
    const MalformedCase& c = GetParam();
    {
        CoutCapture quiet;
        EXPECT_FALSE(Parse(c.text));
        EXPECT_EQ(quiet.Text(), c.unconditional);
    }
    EXPECT_EQ(DefinitionCount(), c.definitionsLeft);
    TearDown();

    SetVerbosityFlags(true, false);
    CoutCapture verbose;
    EXPECT_FALSE(Parse(c.text));
    EXPECT_NE(verbose.Text().find(c.verboseDetail), std::string::npos) << verbose.Text();
}

INSTANTIATE_TEST_SUITE_P(Parser, MalformedStatement, ::testing::ValuesIn(kMalformed),
                         [](const ::testing::TestParamInfo<MalformedCase>& param) {
                             return TestNameOf(param.param.label);
                         });

struct WellFormedCase {
    const char* label;
    std::string text;
    std::vector<const char*> defined;
};

// gtest would otherwise print the case byte by byte, padding included.
void PrintTo(const WellFormedCase& c, std::ostream* out) { *out << c.label; }

const WellFormedCase kWellFormed[] = {
    {"comments only", "# TarnLink Dictionary Generated TCD File ;\n# another ;", {}},
    {"documentation skipped", "DOCUMENTATION X sends; A Diag DiagOpcode 1;", {"A"}},
    {"empty statement ends the file", "A Diag DiagOpcode 1; ; B Diag DiagOpcode 2;", {"A"}},
    {"unterminated last statement ignored", "A Diag DiagOpcode 1; B Diag DiagOpcode 2", {"A"}},
    {"checksum trailer ignored", "A Diag DiagOpcode 1;\n# $1234ABCD$", {"A"}},
    {"RD after RD",
     kTarnHead + "DataName A RD DataType UINT8 DataName B RD DataType UINT8 DataName C DataType INT8;",
     {"X"}},
    {"symbol after BYTES", kTarnHead + "DataName A DataType BYTES Symbol S 1;", {"X"}},
    {"same symbol in two commands", "A Diag DiagOpcode 1 Symbol S 1; B Diag DiagOpcode 2 Symbol S 2;", {"A", "B"}},
    {"same major and minor",
     "A Tarn CommandTypeMajor AUDIO CommandTypeMinor 0 Function 1;"
     "B Tarn CommandTypeMajor AUDIO CommandTypeMinor 0 Function 2;",
     {"A", "B"}},
    {"Tarn and Diag with equal numbers",
     "A Tarn CommandTypeMajor VIDEO CommandTypeMinor 1 Function 1;"
     "B Diag DiagOpcode 1;",
     {"A", "B"}},
    {"metas naming the same commands",
     "M1 Meta Start A Repeat B Stop C; M2 Meta Start A Repeat B Stop C;",
     {"M1", "M2"}},
    {"type name right before semicolon", kTarnHead + "DataName A DataType UINT8;", {"X"}},
    {"signed numbers", "A Tarn CommandTypeMajor SYSTEM CommandTypeMinor +63 Function 127 Symbol S -2147483648;", {"A"}},
    {"longest statement", "A Diag DiagOpcode 1" + std::string(8191 - 19, ' ') + ";B Diag DiagOpcode 2;", {"A", "B"}},
    {"largest parameter data", LongTarnDefinition(255), {"X"}},
    {"no items", "RunDiagnostic Tarn CommandTypeMajor DIAGNOSTIC CommandTypeMinor 0 Function 0;", {"RunDiagnostic"}},
};

class WellFormedFile : public RegistryTest, public ::testing::WithParamInterface<WellFormedCase> {};

TEST_P(WellFormedFile, DefinesExactlyItsDefinitionsSilently)
{
    const WellFormedCase& c = GetParam();
    CoutCapture quiet;
    EXPECT_TRUE(Parse(c.text));
    EXPECT_EQ(quiet.Text(), "");
    EXPECT_EQ(DefinitionCount(), c.defined.size());
    for (const char* name : c.defined) {
        EXPECT_NE(FindCommandFormat(name), nullptr) << name;
    }
}

INSTANTIATE_TEST_SUITE_P(Parser, WellFormedFile, ::testing::ValuesIn(kWellFormed),
                         [](const ::testing::TestParamInfo<WellFormedCase>& param) {
                             return TestNameOf(param.param.label);
                         });

TEST_F(RegistryTest, ParsedDefinitionHoldsEveryField)
{
    ASSERT_TRUE(Parse("AudioHostChanMute Tarn CommandTypeMajor AUDIO CommandTypeMinor 0 Function 23\r\n"
                      "\tDataName HostChannel RD DataType UINT8 DataName Mute DataType UINT8\n"
                      "\tSymbol AudioHostChan_MuteOff 0 Symbol AudioHostChan_MuteOn 1 ;",
                      "audio.tcd"));
    const auto* format = dynamic_cast<const TarnCommandFormat*>(FindCommandFormat("AudioHostChanMute"));
    ASSERT_NE(format, nullptr);
    EXPECT_EQ(format->Major(), kMajorAudio);
    EXPECT_EQ(format->Minor(), 0);
    EXPECT_EQ(format->Function(), 23);
    EXPECT_EQ(format->SourceFile(), "audio.tcd");
    ASSERT_EQ(format->Parameters().size(), 2u);
    EXPECT_EQ(format->Parameters()[0].name, "HostChannel");
    EXPECT_TRUE(format->Parameters()[0].requiredForRequestData);
    EXPECT_FALSE(format->Parameters()[1].requiredForRequestData);
    EXPECT_EQ(format->Parameters()[1].type, ParamType::kUInt8);
    std::int32_t value = -1;
    EXPECT_TRUE(format->FindSymbol("AudioHostChan_MuteOn", &value));
    EXPECT_EQ(value, 1);
    EXPECT_EQ(GetTypeCodeIndex().at(TypeCode(1, 0, 23)), "AudioHostChanMute");
    EXPECT_FALSE(format->HasVariableLengthData());
}

TEST_F(RegistryTest, VerboseParseWritesProgressAndBriefDump)
{
    SetVerbosityFlags(true, false);
    CoutCapture capture;
    ASSERT_TRUE(Parse("A Diag DiagOpcode 3 DataName P DataType UINT8;"));
    const std::string text = capture.Text();
    const std::string expectedStart = "\nParsing Tarn Command Definition File : t.tcd\n"
                                      "\nFound Tarn Command Definition...\tName: A"
                                      "\n\nBEGIN - Tarn Diagnostic Command Format\nDiagOpcode : 3\nName: A\nParams {"
                                      "\n\tParameter: P Type: UINT8 IsRequiredForRequestData: false\n       }";
    EXPECT_EQ(text.rfind(expectedStart, 0), 0u) << text;
    EXPECT_NE(text.find("\nTarn Command A precomputed packet size information as follows..."), std::string::npos);
    EXPECT_NE(text.find("\n\t\tPacket Offset: 36"), std::string::npos);
    const std::string finished = "\n\nFinished Parsing Tarn Command Definition File : t.tcd\n";
    ASSERT_GE(text.size(), finished.size());
    EXPECT_EQ(text.substr(text.size() - finished.size()), finished);
}

TEST_F(RegistryTest, DefinitionsBeforeAFailureStayRegistered)
{
    CoutCapture quiet;
    EXPECT_FALSE(Parse("A Diag DiagOpcode 1; B Diag DiagOpcode 999; C Diag DiagOpcode 3;"));
    EXPECT_NE(FindCommandFormat("A"), nullptr);
    EXPECT_EQ(FindCommandFormat("B"), nullptr);
    EXPECT_EQ(FindCommandFormat("C"), nullptr);
}

TEST_F(RegistryTest, VariableLengthDefinitionIsMarked)
{
    ASSERT_TRUE(Parse(kTarnHead + "DataName A RD DataType UINT8 DataName B DataType BYTES;"));
    EXPECT_TRUE(FindCommandFormat("X")->HasVariableLengthData());
}

} // namespace
