#include <gtest/gtest.h>

#include "command_fixture.h"
#include "tarnlink/TarnCommandByteCode.h"

using TarnLink::TarnCommandByteCode;

TEST(ByteCodeTest, FreshByteCodeIsEmpty)
{
    const TarnCommandByteCode byteCode;
    unsigned char* buffer = nullptr;
    std::size_t length = 0;
    EXPECT_EQ(byteCode.ComputeTotalPacketByteCodeLength(), 0u);
    EXPECT_FALSE(byteCode.HasData());
    EXPECT_FALSE(byteCode.GetPacketByteCodeBuffer(&buffer));
    EXPECT_FALSE(byteCode.GetPacketByteCodeBufferLength(&length));
    EXPECT_FALSE(byteCode.GetPointerToStartOfDataPayload(&buffer));
    EXPECT_EQ(byteCode.ExtractStatus(), TarnLink::kTLFail);
    EXPECT_EQ(byteCode.DeterminePacketDataPayloadLength(), -1);
}

TEST(ByteCodeTest, StatusOnlyPackets)
{
    struct Case {
        bool (TarnCommandByteCode::*set)();
        unsigned char statusByte;
        TarnLink::CommandStatus_t status;
    };
    const Case cases[] = {
        {&TarnCommandByteCode::SetSucceeded, 0x00, TarnLink::kTLSuccess},
        {&TarnCommandByteCode::SetFailed, 0x01, TarnLink::kTLFail},
        {&TarnCommandByteCode::SetTimedOut, 0xFF, TarnLink::kTLTimeOut},
    };
    TarnCommandByteCode byteCode;
    SetPacket(byteCode, Bytes(100, 0x55));
    for (const Case& c : cases) {
        EXPECT_TRUE((byteCode.*c.set)());
        EXPECT_EQ(PacketOf(byteCode), (Bytes{0x0B, 0x0B, 0x00, 0x04, 0x00, 0x00, 0x00, c.statusByte}));
        EXPECT_EQ(byteCode.ExtractStatus(), c.status);
        EXPECT_EQ(byteCode.DeterminePacketDataPayloadLength(), 0);
        EXPECT_FALSE(byteCode.HasData());
    }
}

TEST(ByteCodeTest, ResponseStatusAndPayloadLength)
{
    struct Case {
        Bytes packet;
        TarnLink::CommandStatus_t status;
        std::int32_t payloadLength;
    };
    const Case cases[] = {
        {{0x0B, 0x0B, 0x00, 0x04, 0x00, 0x00, 0x00, 0xF0}, TarnLink::kTLTransmitFailure, 0},
        {{0x0B, 0x0B, 0x00, 0x04, 0x00, 0x00, 0x00, 0x02}, TarnLink::kTLNotSupported, 0},
        {{0x0B, 0x0B, 0x00, 0x04, 0x00, 0x00, 0x00, 0x7F}, TarnLink::kTLFail, 0},
        {{0x0C, 0x0B, 0x00, 0x04, 0x00, 0x00, 0x00, 0x00}, TarnLink::kTLFail, -6},
        {{0x0B, 0x0B, 0x00, 0x04, 0x00, 0x00, 0x00}, TarnLink::kTLFail, -1},
        // The length field is reported as it stands, not checked against the packet.
        {{0x0B, 0x0B, 0x01, 0x00, 0x40, 0x2F, 0x00, 0x00, 0x05}, TarnLink::kTLSuccess, 252},
    };
    TarnCommandByteCode byteCode;
    for (const Case& c : cases) {
        SetPacket(byteCode, c.packet);
        EXPECT_EQ(byteCode.ExtractStatus(), c.status);
        EXPECT_EQ(byteCode.DeterminePacketDataPayloadLength(), c.payloadLength);
    }
}

TEST(ByteCodeTest, CopyAndLocations)
{
    TarnCommandByteCode byteCode;
    const Bytes packet{0x0B, 0x0B, 0x00, 0x06, 0x40, 0x2E, 0x00, 0x00, 0x05, 0x01};
    EXPECT_TRUE(byteCode.CopyByteCodePacketBuffer(packet.data(), packet.size()));
    EXPECT_FALSE(byteCode.CopyByteCodePacketBuffer(packet.data(), 0));
    EXPECT_FALSE(byteCode.CopyByteCodePacketBuffer(nullptr, 4));
    EXPECT_EQ(PacketOf(byteCode), packet);
    EXPECT_TRUE(byteCode.HasData());

    unsigned char* location = nullptr;
    EXPECT_TRUE(byteCode.GetPointerToStartOfDataPayload(&location));
    EXPECT_EQ(*location, 0x05);
    EXPECT_TRUE(byteCode.GetPointerToParamDataLocation(9, &location));
    EXPECT_EQ(*location, 0x01);
    EXPECT_FALSE(byteCode.GetPointerToParamDataLocation(10, &location));
    EXPECT_FALSE(byteCode.GetPointerToParamDataLocation(-1, &location));
    EXPECT_FALSE(byteCode.GetPointerToParamDataLocation(0, nullptr));

    // A shorter copy into the same byte-code, then from its own bytes.
    EXPECT_TRUE(byteCode.CopyByteCodePacketBuffer(packet.data(), 8));
    std::size_t length = 0;
    EXPECT_TRUE(byteCode.GetPacketByteCodeBufferLength(&length));
    EXPECT_EQ(length, 8u);
    unsigned char* own = nullptr;
    ASSERT_TRUE(byteCode.GetPacketByteCodeBuffer(&own));
    EXPECT_TRUE(byteCode.CopyByteCodePacketBuffer(own + 4, 4));
    EXPECT_EQ(PacketOf(byteCode), (Bytes{0x40, 0x2E, 0x00, 0x00}));

    byteCode.Clear();
    EXPECT_EQ(byteCode.ComputeTotalPacketByteCodeLength(), 0u);
    EXPECT_FALSE(byteCode.GetPacketByteCodeBuffer(&own));
}
