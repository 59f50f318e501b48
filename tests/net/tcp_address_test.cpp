#include <gtest/gtest.h>

#include <stdexcept>

#include "tarnlink/TarnNetwork.h"

namespace NetTests {
namespace {

using TarnLink::Net::TcpAddress;

struct AddressCase {
    const char* text;
    bool valid;
    const char* host;
    std::uint16_t port;
};

TEST(TcpAddressTest, ReadsHostAndPortOrRefusesTheText)
{
    const AddressCase cases[] = {
        {"tcp://127.0.0.1:7300", true, "127.0.0.1", 7300},
        {"127.0.0.1:0", true, "127.0.0.1", 0},
        {"localhost:65535", true, "localhost", 65535},
        {"tcp://[::1]:80", true, "::1", 80},
        {"", false, "", 0},
        {"tcp://", false, "", 0},
        {"127.0.0.1", false, "", 0},
        {":7300", false, "", 0},
        {"host:", false, "", 0},
        {"host:65536", false, "", 0},
        {"host:12a", false, "", 0},
        {"host:-1", false, "", 0},
        {"::1:80", false, "", 0},
        {"[::1:80", false, "", 0},
        {"http://host:80", false, "", 0},
        {"tcp://host:80/path", false, "", 0},
    };
    for (const AddressCase& addressCase : cases) {
        TcpAddress address{"untouched", 1};
        EXPECT_EQ(TcpAddress::Parse(addressCase.text, &address), addressCase.valid) << addressCase.text;
        EXPECT_EQ(address.host, addressCase.valid ? addressCase.host : "untouched") << addressCase.text;
        EXPECT_EQ(address.port, addressCase.valid ? addressCase.port : 1) << addressCase.text;
    }
    EXPECT_FALSE(TcpAddress::Parse("127.0.0.1:1", nullptr));
}

TEST(TcpAddressTest, WritesUrlsWithBracketsAroundIpv6)
{
    EXPECT_EQ((TcpAddress{"127.0.0.1", 7300}.ToUrl()), "tcp://127.0.0.1:7300");
    EXPECT_EQ((TcpAddress{"::1", 80}.ToUrl()), "tcp://[::1]:80");
    EXPECT_TRUE(TcpAddress::IsUrl("tcp://x:1"));
    EXPECT_FALSE(TcpAddress::IsUrl("StudioBox"));
}

TEST(TcpAddressTest, AConduitNeedsATcpUrl)
{
    EXPECT_THROW(TarnLink::Net::TcpConduit("127.0.0.1:7300"), std::invalid_argument);
    EXPECT_THROW(TarnLink::Net::TcpConduit("tcp://127.0.0.1"), std::invalid_argument);
    const TarnLink::Net::TcpConduit conduit("tcp://127.0.0.1:7301");
    EXPECT_EQ(conduit.GetAddress().port, 7301);
    EXPECT_FALSE(conduit.IsConnected()); // connects on the first Transmit only
}

} // namespace
} // namespace NetTests
