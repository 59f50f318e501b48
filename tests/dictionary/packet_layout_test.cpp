#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "dictionary/command_format.h"
#include "diagnostics/diagnostics.h"
#include "dictionary/packet_layout.h"
#include "dictionary/packet_plan.h"
#include "support/cout_capture.h"

using namespace TarnLinkPrivate;

namespace {

struct Param {
    const char* name;
    const char* type;
    bool rd;
};

template <typename Format>
void AddParameters(Format& format, std::initializer_list<Param> parameters)
{
    for (const Param& p : parameters) {
        ParameterDefinition parameter;
        parameter.name = p.name;
        parameter.type = ParamTypeFromName(p.type);
        parameter.requiredForRequestData = p.rd;
        ASSERT_TRUE(format.AddParameter(parameter));
        if (parameter.type == ParamType::kBytes) {
            format.SetHasVariableLengthData(true);
        }
    }
}

template <typename Format>
void AddRepeated(Format& format, const char* type, int count, const char* prefix = "P")
{
    for (int i = 0; i < count; ++i) {
        ParameterDefinition parameter;
        parameter.name = prefix + std::to_string(i);
        parameter.type = ParamTypeFromName(type);
        ASSERT_TRUE(format.AddParameter(parameter));
    }
}

void ExpectSizes(const PacketSizes& sizes, std::int32_t send, std::int32_t sendPayload, std::int32_t request,
                 std::int32_t requestPayload)
{
    EXPECT_EQ(sizes.sendSize, send);
    EXPECT_EQ(sizes.sendPayloadSize, sendPayload);
    EXPECT_EQ(sizes.requestSize, request);
    EXPECT_EQ(sizes.requestPayloadSize, requestPayload);
}

class PacketLayout : public ::testing::Test {
protected:
    void TearDown() override { SetVerbosityFlags(false, false); }
};

TEST_F(PacketLayout, FixedDefinitionGetsOffsetsAndSizesAtLoad)
{
    TarnCommandFormat format;
    format.SetName("AudioHostMonitorChanGain");
    AddParameters(format, {{"Input", "UINT8", true}, {"Output", "UINT8", true}, {"Gain", "INT32", false}});
    ASSERT_TRUE(format.Precompute());
    const auto& p = format.Parameters();
    EXPECT_EQ(p[0].packetOffset, 8);
    EXPECT_EQ(p[1].packetOffset, 9);
    EXPECT_EQ(p[2].packetOffset, 10);
    EXPECT_EQ(p[2].size, 4);
    EXPECT_EQ(p[2].bytesForPacketPosition, 4);
    EXPECT_FALSE(p[2].variableLength);
    ExpectSizes(format.Sizes(), 14, 6, 10, 2);
}

TEST_F(PacketLayout, VariableDefinitionIsLaidOutPerCommand)
{
    TarnCommandFormat format;
    format.SetName("HAGetDeviceInfo");
    AddParameters(format, {{"SlotNumber", "UINT8", true},
                           {"BoardID", "UINT8", false},
                           {"BoardVersionLength", "INT16", false},
                           {"BoardVersion", "BYTES", false}});
    CoutCapture capture;
    SetVerbosityFlags(true, false);
    ASSERT_TRUE(format.Precompute());
    EXPECT_EQ(capture.Text(), ""); // only fixed-size definitions report their layout
    const auto& p = format.Parameters();
    EXPECT_EQ(p[3].packetOffset, 12);
    EXPECT_EQ(p[3].size, 0);
    EXPECT_TRUE(p[3].variableLength);
    ExpectSizes(format.Sizes(), 12, 4, 9, 1);

    PacketSizes sizes;
    const LayoutRequest requestWithoutStream{false, -1};
    EXPECT_EQ(ComputePacketSizes(format, &requestWithoutStream, sizes), 9);
    ExpectSizes(sizes, 12, 4, 9, 1);
    const LayoutRequest sendWithThreeBytes{true, 3};
    EXPECT_EQ(ComputePacketSizes(format, &sendWithThreeBytes, sizes), 15);
    ExpectSizes(sizes, 15, 7, 9, 1);
}

TEST_F(PacketLayout, DefinitionWithoutParametersIsHeaderOnly)
{
    TarnCommandFormat tarn;
    DiagCommandFormat diag;
    PacketSizes sizes;
    EXPECT_EQ(ComputePacketSizes(tarn, nullptr, sizes), 8);
    ExpectSizes(sizes, 8, 0, 8, 0);
    EXPECT_EQ(ComputePacketSizes(diag, nullptr, sizes), 36);
    ExpectSizes(sizes, 36, 0, 36, 0);
}

struct LimitCase {
    bool diag;
    int uint64Count;
    int extraBytes; // UINT8 parameters after the UINT64 ones
    std::int32_t expected;
};

// gtest would otherwise print the case byte by byte, padding included.
void PrintTo(const LimitCase& c, std::ostream* out)
{
    *out << (c.diag ? "Diag" : "Tarn") << " with " << c.uint64Count << " UINT64 and " << c.extraBytes << " UINT8";
}

class PacketLimit : public PacketLayout, public ::testing::WithParamInterface<LimitCase> {};

TEST_P(PacketLimit, ParameterBytesAreBoundedPerKind)
{
    const LimitCase& c = GetParam();
    TarnCommandFormat tarn;
    DiagCommandFormat diag;
    TarnDataCommandFormat& format = c.diag ? static_cast<TarnDataCommandFormat&>(diag) : tarn;
    AddRepeated(format, "UINT64", c.uint64Count);
    AddRepeated(format, "UINT8", c.extraBytes, "B");
    PacketSizes sizes;
    EXPECT_EQ(ComputePacketSizes(format, nullptr, sizes), c.expected);
    if (c.expected < 0) {
        EXPECT_EQ(sizes.sendSize, 0);
        EXPECT_EQ(sizes.sendPayloadSize, 0);
    }
}

INSTANTIATE_TEST_SUITE_P(Limits, PacketLimit,
                         ::testing::Values(LimitCase{false, 255, 0, 2048}, LimitCase{false, 255, 1, kLayoutTooLarge},
                                           LimitCase{true, 250, 2, 2038}, LimitCase{true, 250, 3, kLayoutTooLarge}));

struct LayoutErrorCase {
    const char* label;
    Param parameter;
    bool withRequest;
    LayoutRequest request;
    const char* verboseMessage;
};

const LayoutErrorCase kLayoutErrors[] = {
    {"unknown type", {"Odd", "FLOAT", false}, false, {}, "\nParameter Size error - param name : Odd"},
    {"bytes without command",
     {"Data", "BYTES", false},
     false,
     {},
     "\nMust have Tarn Command to compile in order to compute lengths for BYTES parameter : Data"},
    {"send without stream",
     {"Data", "BYTES", false},
     true,
     {true, -1},
     "\nParameter Not Found error - param name : Data"},
    {"request data without RD stream",
     {"Data", "BYTES", true},
     true,
     {false, -1},
     "\nParameter Not Found error - param name : Data"},
};

TEST_F(PacketLayout, ErrorsGiveMinusOneWithVerboseMessages)
{
    for (const LayoutErrorCase& c : kLayoutErrors) {
        SCOPED_TRACE(c.label);
        TarnCommandFormat format;
        AddParameters(format, {{"First", "UINT8", false}, c.parameter});
        PacketSizes sizes;
        const LayoutRequest* request = c.withRequest ? &c.request : nullptr;
        {
            CoutCapture quiet;
            EXPECT_EQ(ComputePacketSizes(format, request, sizes), kLayoutError);
            EXPECT_EQ(quiet.Text(), "");
        }
        SetVerbosityFlags(true, false);
        CoutCapture verbose;
        EXPECT_EQ(ComputePacketSizes(format, request, sizes), kLayoutError);
        EXPECT_EQ(verbose.Text(), c.verboseMessage);
        SetVerbosityFlags(false, false);
    }
}

TEST_F(PacketLayout, HugeByteStreamIsTooLargeNotAnOverflow)
{
    TarnCommandFormat format;
    AddParameters(format, {{"Head", "UINT64", false}, {"Data", "BYTES", false}});
    const LayoutRequest request{true, INT64_MAX};
    PacketSizes sizes;
    EXPECT_EQ(ComputePacketSizes(format, &request, sizes), kLayoutTooLarge);
}

using PlannedIntegers = std::vector<std::tuple<int, int, ParamType>>; // offset, width, type

PlannedIntegers IntegersOf(const PacketPlan& plan)
{
    PlannedIntegers integers;
    for (std::size_t index = 0; index < plan.IntegerCount(); ++index) {
        const PlannedInteger& integer = plan.Integers()[index];
        integers.emplace_back(integer.offset, integer.width, integer.type);
    }
    return integers;
}

void ExpectFixedPacket(const FixedPacket* packet, const std::vector<unsigned char>& header, int valuesEnd, int total)
{
    ASSERT_NE(packet, nullptr);
    EXPECT_EQ(std::vector<unsigned char>(packet->header.begin(), packet->header.begin() + packet->headerLength),
              header);
    EXPECT_EQ(packet->valuesEnd, valuesEnd);
    EXPECT_EQ(packet->total, total);
}

TEST_F(PacketLayout, PlanPlacesTheIntegersAndWritesFixedHeadersAtLoad)
{
    TarnCommandFormat fixed;
    fixed.SetAddress(kMajorAudio, 0, 0x17);
    AddParameters(fixed, {{"Input", "UINT8", true}, {"Output", "UINT8", true}, {"Gain", "INT32", false}});
    ASSERT_TRUE(fixed.Precompute());
    const PacketPlan& plan = fixed.Plan();
    EXPECT_EQ(IntegersOf(plan),
              (PlannedIntegers{{8, 1, ParamType::kUInt8}, {9, 1, ParamType::kUInt8}, {10, 4, ParamType::kInt32}}));
    EXPECT_EQ(plan.CarriedBy(true), 3u);
    EXPECT_EQ(plan.CarriedBy(false), 2u);
    ExpectFixedPacket(plan.Fixed(true), {0x0B, 0x0B, 0x00, 0x0A, 0x40, 0x2E, 0x00, 0x00}, 14, 14);
    ExpectFixedPacket(plan.Fixed(false), {0x0B, 0x0B, 0x00, 0x06, 0x40, 0x2F, 0x00, 0x00}, 10, 10);

    // A byte stream: the integers before it, no fixed packets; a request
    // carries only the request-data parameters that lead.
    TarnCommandFormat variable;
    AddParameters(
        variable,
        {{"Slot", "UINT8", true}, {"Board", "UINT8", false}, {"Late", "INT16", true}, {"Version", "BYTES", false}});
    ASSERT_TRUE(variable.Precompute());
    EXPECT_EQ(IntegersOf(variable.Plan()),
              (PlannedIntegers{{8, 1, ParamType::kUInt8}, {9, 1, ParamType::kUInt8}, {10, 2, ParamType::kInt16}}));
    EXPECT_EQ(variable.Plan().CarriedBy(false), 1u);
    EXPECT_EQ(variable.Plan().Fixed(true), nullptr);

    // More integers than a plan keeps inside itself.
    TarnCommandFormat many;
    many.SetAddress(kMajorAudio, 0, 0x17);
    AddRepeated(many, "UINT16", 10);
    ASSERT_TRUE(many.Precompute());
    PlannedIntegers expected;
    for (int offset = 8; offset < 28; offset += 2) {
        expected.emplace_back(offset, 2, ParamType::kUInt16);
    }
    EXPECT_EQ(IntegersOf(many.Plan()), expected);
    ExpectFixedPacket(many.Plan().Fixed(true), {0x0B, 0x0B, 0x00, 0x18, 0x40, 0x2E, 0x00, 0x00}, 28, 28);
}

TEST_F(PacketLayout, FailedFixedPrecomputationIsAlwaysReported)
{
    TarnCommandFormat format;
    format.SetName("Huge");
    AddRepeated(format, "UINT64", 256);
    CoutCapture capture;
    EXPECT_FALSE(format.Precompute());
    EXPECT_EQ(format.Plan().IntegerCount(), 0u); // nothing to compile from
    EXPECT_EQ(format.Plan().Fixed(true), nullptr);
    EXPECT_EQ(capture.Text(), "\n\nERROR - Tarn Command : Huge Has Fixed-Size Parameter Data but could not precompute "
                              "packet sizes and data offsets ");
}

TEST_F(PacketLayout, VerbosePrecomputationWritesTheFullDump)
{
    DiagCommandFormat format;
    format.SetName("DiagAudioTone");
    format.SetOpcode(12);
    AddParameters(format, {{"AudioFrequency", "UINT16", false}});
    SetVerbosityFlags(true, false);
    CoutCapture capture;
    ASSERT_TRUE(format.Precompute());
    EXPECT_EQ(capture.Text(),
              "\nTarn Command DiagAudioTone precomputed packet size information as follows..."
              "\n\nBEGIN - Tarn Diagnostic Command Format\nDiagOpcode : 12\nName: DiagAudioTone\nParams {"
              "\n\tParameter: AudioFrequency Type: UINT16 IsRequiredForRequestData: false"
              "\n\t\tPacket Offset: 36\n\t\tNum Bytes For Packet Position: 2\n\t\tSize: 2\n\t\tVariable Length: false"
              "\n       }\nHasVariableLengthData: false\nPacket Info:  Send Size: 38 Send Payload Size: 2"
              "\n\tRequest Size: 36 Request Payload Size: 0\nEND   - Tarn Diagnostic Command Format");
}

} // namespace
