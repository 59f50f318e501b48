// The sizes of a command with a byte stream, taken from the layout made at
// load, against the walk over every parameter of a definition laid out by
// nobody.

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "dictionary/command_format.h"
#include "diagnostics/diagnostics.h"
#include "dictionary/packet_layout.h"
#include "support/cout_capture.h"

using namespace TarnLinkPrivate;

namespace {

ParameterDefinition Parameter(const std::string& name, const char* type, bool requestData = false)
{
    ParameterDefinition parameter;
    parameter.name = name;
    parameter.type = ParamTypeFromName(type);
    parameter.requiredForRequestData = requestData;
    return parameter;
}

template <typename Format>
void AddStreamDefinition(Format& format, bool streamForRequests)
{
    for (const ParameterDefinition& parameter :
         {Parameter("Slot", "UINT8", true), Parameter("Id", "UINT8"), Parameter("Length", "INT16"),
          Parameter("Data", "BYTES", streamForRequests)}) {
        ASSERT_TRUE(format.AddParameter(parameter));
    }
    format.SetHasVariableLengthData(true);
}

struct Outcome {
    std::int32_t result;
    PacketSizes sizes;
    std::string verbose;
};

Outcome LayOut(const TarnDataCommandFormat& format, const LayoutRequest& request)
{
    Outcome outcome;
    outcome.sizes = PacketSizes{-7, -7, -7, -7}; // shows which fields a failure leaves alone
    SetVerbosityFlags(true, false);
    CoutCapture capture;
    outcome.result = ComputePacketSizes(format, &request, outcome.sizes);
    outcome.verbose = capture.Text();
    SetVerbosityFlags(false, false);
    return outcome;
}

template <typename Format>
void ExpectLoadLayoutMatchesWalk(std::int64_t payloadLimit)
{
    for (const bool streamForRequests : {false, true}) {
        Format laidOut;
        Format walked;
        AddStreamDefinition(laidOut, streamForRequests);
        AddStreamDefinition(walked, streamForRequests);
        ASSERT_TRUE(laidOut.Precompute());
        const std::int64_t room = payloadLimit - 4; // the fixed part takes 4 bytes
        const LayoutRequest requests[] = {{true, 0},        {true, 3},         {true, -1},
                                          {false, -1},      {false, 5},        {true, room},
                                          {true, room + 1}, {false, room + 1}, {true, payloadLimit + 1},
                                          {true, INT64_MAX}};
        for (const LayoutRequest& request : requests) {
            SCOPED_TRACE(std::to_string(streamForRequests) + " " + std::to_string(request.isSend) + " " +
                         std::to_string(request.byteStreamLength));
            const Outcome fast = LayOut(laidOut, request);
            const Outcome slow = LayOut(walked, request);
            EXPECT_EQ(fast.result, slow.result);
            EXPECT_EQ(fast.sizes.sendSize, slow.sizes.sendSize);
            EXPECT_EQ(fast.sizes.sendPayloadSize, slow.sizes.sendPayloadSize);
            EXPECT_EQ(fast.sizes.requestSize, slow.sizes.requestSize);
            EXPECT_EQ(fast.sizes.requestPayloadSize, slow.sizes.requestPayloadSize);
            EXPECT_EQ(fast.verbose, slow.verbose);
        }
    }
}

TEST(VariableLengthLayoutTest, LoadLayoutGivesTheWalksResultsAndMessages)
{
    ExpectLoadLayoutMatchesWalk<TarnCommandFormat>(2040);
    ExpectLoadLayoutMatchesWalk<DiagCommandFormat>(2002);
}

// A fixed part too large for any packet is found at load; each command is
// then refused as before, by the walk.
TEST(VariableLengthLayoutTest, OversizedFixedPartStaysTooLarge)
{
    TarnCommandFormat format;
    for (int i = 0; i < 256; ++i) {
        ASSERT_TRUE(format.AddParameter(Parameter("P" + std::to_string(i), "UINT64")));
    }
    ASSERT_TRUE(format.AddParameter(Parameter("Data", "BYTES")));
    format.SetHasVariableLengthData(true);
    ASSERT_TRUE(format.Precompute());
    PacketSizes sizes;
    const LayoutRequest empty{true, 0};
    EXPECT_EQ(ComputePacketSizes(format, &empty, sizes), kLayoutTooLarge);
}

} // namespace
