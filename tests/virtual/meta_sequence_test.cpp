#include "virtual_device_fixture.h"

namespace VirtualDeviceTests {
namespace {

using TarnLink::TarnCommandFactory;

constexpr std::size_t kTableSize = 5000;
constexpr std::size_t kHeader = 8;

std::string MakeTable(std::size_t size)
{
    std::string table(size, '\0');
    for (std::size_t i = 0; i < size; ++i) {
        table[i] = static_cast<char>((i * 7) & 0xFF);
    }
    return table;
}

std::uint32_t BigEndian32(const Bytes& packet)
{
    return (std::uint32_t{packet[8]} << 24) | (std::uint32_t{packet[9]} << 16) | (std::uint32_t{packet[10]} << 8) |
           packet[11];
}

class MetaSequenceTest : public VirtualDeviceTest {
protected:
    void Upload(const std::string& table)
    {
        TarnLink::TarnCommand upload("LutUpload");
        upload.SetParamByteStream("LutData", table.data(), table.size());
        ASSERT_TRUE(TarnCommandFactory::Execute(upload));
        ASSERT_EQ(upload.GetStatus(), TarnLink::kTLSuccess);
    }
};

TEST_F(MetaSequenceTest, CollectsAnUploadAndServesItBackInChunks)
{
    const std::string table = MakeTable(kTableSize);
    Upload(table);
    const std::vector<TarnLink::VirtualPacketExchange> sent = device_.TakePacketLog();
    ASSERT_EQ(sent.size(), 5u);
    EXPECT_EQ(BigEndian32(sent[0].request), kTableSize) << "TotalSize of the start packet";
    const std::size_t chunks[] = {2040, 2040, 920};
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(sent[i + 1].request.size() - kHeader, chunks[i]);
    }

    TarnLink::TarnCommand download = Request("LutUpload");
    ASSERT_TRUE(TarnCommandFactory::Execute(download));
    EXPECT_EQ(download.GetStatus(), TarnLink::kTLSuccess);
    char* data = nullptr;
    std::size_t length = 0;
    ASSERT_TRUE(download.GetParamByteStreamBuffer("LutData", &data, &length));
    EXPECT_EQ(std::string(data, length), table);

    const std::vector<TarnLink::VirtualPacketExchange> served = device_.TakePacketLog();
    ASSERT_EQ(served.size(), 5u);
    EXPECT_EQ(BigEndian32(served[0].response), kTableSize) << "TotalSize of the start answer";
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(served[i + 1].response.size() - kHeader, chunks[i]);
    }
}

TEST_F(MetaSequenceTest, ARequestBeforeAnyUploadFindsNoData)
{
    TarnLink::TarnCommand download = Request("LutUpload");
    EXPECT_FALSE(TarnCommandFactory::Execute(download));
    EXPECT_EQ(download.GetStatus(), TarnLink::kTLFail);
    EXPECT_EQ(BigEndian32(device_.GetPacketLog().front().response), 0u);
}

// Packets out of order, as a faulty host would send them, are refused and
// leave the stored table alone.
TEST_F(MetaSequenceTest, RefusesBrokenSequences)
{
    Upload("abc");
    const Bytes dataWithoutStart = {0x0B, 0x0B, 0x00, 0x06, 0x02, 0x04, 0x00, 0x00, 0x41, 0x42};
    const Bytes startOfTen = {0x0B, 0x0B, 0x00, 0x08, 0x02, 0x02, 0x00, 0x00, 0x00, 0x00, 0x00, 0x0A};
    const Bytes stop = {0x0B, 0x0B, 0x00, 0x04, 0x02, 0x06, 0x00, 0x00};

    EXPECT_EQ(Exchange("LutUploadData", dataWithoutStart)[kStatusByte], 0x01);
    EXPECT_EQ(Exchange("LutUploadStart", startOfTen)[kStatusByte], 0x00);
    EXPECT_EQ(Exchange("LutUploadData", dataWithoutStart)[kStatusByte], 0x00);
    EXPECT_EQ(Exchange("LutUploadStop", stop)[kStatusByte], 0x01) << "2 bytes of the 10 announced";

    TarnLink::TarnCommand download = Request("LutUpload");
    ASSERT_TRUE(TarnCommandFactory::Execute(download));
    char* data = nullptr;
    std::size_t length = 0;
    ASSERT_TRUE(download.GetParamByteStreamBuffer("LutData", &data, &length));
    EXPECT_EQ(std::string(data, length), "abc");
}

} // namespace
} // namespace VirtualDeviceTests
