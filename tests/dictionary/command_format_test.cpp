#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "dictionary/command_format.h"
#include "dictionary/command_registry.h"
#include "dictionary/registry_reset.h"
#include "support/cout_capture.h"

using namespace TarnLinkPrivate;

namespace {

std::vector<std::string> ValidationErrors(const CommandFormat& format)
{
    std::vector<std::string> errors;
    const bool valid = format.Validate(errors);
    EXPECT_EQ(valid, errors.empty());
    return errors;
}

TEST(CommandFormatValidate, ChecksTheAddressingOfEachKind)
{
    using Errors = std::vector<std::string>;
    TarnCommandFormat tarn;
    EXPECT_EQ(ValidationErrors(tarn),
              (Errors{"CommandTypeMinor is out of range [0,63] ", "Function is out of range [0,127] "}));
    tarn.SetAddress(4, 63, 127);
    EXPECT_EQ(ValidationErrors(tarn), (Errors{"CommandTypeMajor is INVALID"}));

    DiagCommandFormat diag;
    EXPECT_EQ(ValidationErrors(diag), Errors{});
    diag.SetOpcode(256);
    EXPECT_EQ(ValidationErrors(diag), (Errors{"DiagOpcode is out of range [0,255] "}));

    MetaCommandFormat meta;
    meta.SetSequence("", "Bad-Name", "Stop_1");
    EXPECT_EQ(ValidationErrors(meta), (Errors{"StartCommand name is empty", "RepeatCommand name is invalid"}));
    meta.SetSequence("A", "", "a b");
    EXPECT_EQ(ValidationErrors(meta), (Errors{"RepeatCommand name is empty", "StopCommand name is invalid"}));
}

TEST(CommandFormatTypeBlock, WritesDefinitionSyntax)
{
    TarnCommandFormat tarn;
    tarn.SetAddress(kMajorAudio, 0, 23);
    std::ostringstream out;
    tarn.WriteCommandTypeBlock(out);
    EXPECT_EQ(out.str(), "\nTarn\n\nCommandTypeMajor\tAUDIO\nCommandTypeMinor\t0\nFunction\t\t\t23\n");

    tarn.SetAddress(9, 1, 2);
    out.str("");
    tarn.WriteCommandTypeBlock(out);
    EXPECT_EQ(out.str(), "\nTarn\n\nCommandTypeMajor\tINVALID\nCommandTypeMinor\t1\nFunction\t\t\t2\n");

    DiagCommandFormat diag;
    diag.SetOpcode(12);
    out.str("");
    diag.WriteCommandTypeBlock(out);
    EXPECT_EQ(out.str(), "\nDiag\n\nDiagOpcode\t12\n");

    MetaCommandFormat meta;
    meta.SetSequence("A", "B", "C");
    out.str("");
    meta.WriteCommandTypeBlock(out);
    EXPECT_EQ(out.str(), "\nMeta\n\nStart\tA\nRepeat\tB\nStop\tC\n");
}

TEST(CommandFormatState, ClearResetsToDefaultsButKeepsTheOpcode)
{
    TarnCommandFormat tarn;
    tarn.SetName("T");
    tarn.SetAddress(kMajorVideo, 1, 2);
    tarn.SetHasVariableLengthData(true);
    tarn.AddSymbol("S", 1);
    tarn.SetSizes(PacketSizes{9, 1, 8, 0});
    tarn.Clear();
    EXPECT_EQ(tarn.Name(), "");
    EXPECT_EQ(tarn.Major(), kMajorDiagnostic);
    EXPECT_EQ(tarn.Minor(), 65535);
    EXPECT_EQ(tarn.Function(), 65535);
    EXPECT_FALSE(tarn.HasVariableLengthData());
    EXPECT_EQ(tarn.SymbolCount(), 0u);
    EXPECT_EQ(tarn.Sizes().sendSize, 0);

    DiagCommandFormat diag;
    diag.SetOpcode(7);
    diag.Clear();
    EXPECT_EQ(diag.Opcode(), 7);
}

TEST(CommandFormatSymbols, LookupsAndBounds)
{
    DiagCommandFormat format;
    EXPECT_TRUE(format.AddSymbol("Off", 0));
    EXPECT_TRUE(format.AddSymbol("On", -5));
    EXPECT_FALSE(format.AddSymbol("On", 1));
    std::int32_t value = 99;
    EXPECT_TRUE(format.FindSymbol("On", &value));
    EXPECT_EQ(value, -5);
    EXPECT_FALSE(format.FindSymbol("on", &value));
    EXPECT_FALSE(format.FindSymbol(nullptr, &value));
    std::string name;
    EXPECT_TRUE(format.GetNthSymbol(1, &name, &value));
    EXPECT_EQ(name, "On");
    EXPECT_FALSE(format.GetNthSymbol(2, &name, &value));
    EXPECT_FALSE(format.GetNthSymbol(-1, &name, &value));
    EXPECT_EQ(format.FindParameter(nullptr), nullptr);
}

TEST(CommandFormatKinds, VirtualAnswersPerKind)
{
    TarnCommandFormat tarn;
    DiagCommandFormat diag;
    MetaCommandFormat meta;
    EXPECT_TRUE(tarn.HasEnumConstant() && diag.HasEnumConstant() && !meta.HasEnumConstant());
    EXPECT_TRUE(tarn.HasHeaderDeclarations() && diag.HasHeaderDeclarations() && !meta.HasHeaderDeclarations());
    EXPECT_TRUE(diag.IsDiagCommandFormat() && !tarn.IsDiagCommandFormat() && !meta.IsDiagCommandFormat());
    EXPECT_TRUE(meta.IsMetaCommandFormat() && !tarn.IsMetaCommandFormat());
    EXPECT_TRUE(meta.Precompute());
    meta.SetHasVariableLengthData(true);
    EXPECT_FALSE(meta.HasVariableLengthData());
    std::ostringstream out;
    EXPECT_FALSE(meta.WriteEnumConstant(out));
    EXPECT_FALSE(meta.WriteHeaderDeclarations(out));
    EXPECT_EQ(out.str(), "");
}

class Registry : public RegistryTest {};

TEST_F(Registry, KindChecksAndTimeoutsByName)
{
    ASSERT_TRUE(Parse("T Tarn CommandTypeMajor VIDEO CommandTypeMinor 1 Function 1;"
                      "D Diag DiagOpcode 1; M Meta Start T Repeat D Stop T;"));
    EXPECT_TRUE(IsDiagCommandFormat("D"));
    EXPECT_FALSE(IsDiagCommandFormat("T"));
    EXPECT_TRUE(IsMetaCommandFormat("M"));
    EXPECT_FALSE(IsMetaCommandFormat("D"));

    EXPECT_TRUE(SetOverrideTimeoutMillisec("T", 2500));
    EXPECT_EQ(FindCommandFormat("T")->GetOverrideTimeoutMillisec(), 2500u);
    EXPECT_TRUE(SetOverrideTimeoutMillisec("D", 2500));
    EXPECT_TRUE(SetOverrideTimeoutMillisec("M", 2500));
    EXPECT_EQ(FindCommandFormat("D")->GetOverrideTimeoutMillisec(), 0u);
    EXPECT_EQ(FindCommandFormat("M")->GetOverrideTimeoutMillisec(), 0u);

    EXPECT_EQ(FindCommandFormat("t"), nullptr);
    EXPECT_EQ(FindCommandFormat(static_cast<const char*>(nullptr)), nullptr);
    EXPECT_EQ(GetOpcodeIndex().at(1), "D");
}

TEST_F(Registry, UnknownNamesGiveFalseWithVerboseMessages)
{
    struct Case {
        bool (*check)();
        const char* message;
    };
    const Case cases[] = {
        {[] { return IsMetaCommandFormat("Nope"); },
         "\nIsMetaCommandFormat- Command format not found - Command : Nope"},
        {[] { return IsDiagCommandFormat("Nope"); },
         "\nIsDiagCommandFormat- Command format not found - Command : Nope"},
        {[] { return SetOverrideTimeoutMillisec("Nope", 1); },
         "\nGetOverrideTimeoutMillisec - Command format not found - Command : Nope"},
    };
    for (const Case& c : cases) {
        {
            CoutCapture quiet;
            EXPECT_FALSE(c.check());
            EXPECT_EQ(quiet.Text(), "");
        }
        SetVerbosityFlags(true, false);
        CoutCapture verbose;
        EXPECT_FALSE(c.check());
        EXPECT_EQ(verbose.Text(), c.message);
        SetVerbosityFlags(false, false);
    }
    EXPECT_FALSE(IsMetaCommandFormat(nullptr));
}

TEST_F(Registry, TeardownEmptiesEveryContainer)
{
    ASSERT_TRUE(Parse("T Tarn CommandTypeMajor VIDEO CommandTypeMinor 1 Function 1; D Diag DiagOpcode 1;"));
    std::vector<std::string> errors;
    TearDownDictionary(errors);
    EXPECT_TRUE(errors.empty());
    EXPECT_EQ(FindCommandFormat("T"), nullptr);
    EXPECT_TRUE(GetNameRegistry().empty());
    EXPECT_TRUE(GetTypeCodeIndex().empty());
    EXPECT_TRUE(GetOpcodeIndex().empty());
    // A later load builds everything anew, the same names included.
    EXPECT_TRUE(Parse("T Tarn CommandTypeMajor VIDEO CommandTypeMinor 1 Function 1;"));
}

} // namespace
