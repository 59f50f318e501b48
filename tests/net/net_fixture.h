#ifndef TARNLINK_TESTS_NET_NET_FIXTURE_H
#define TARNLINK_TESTS_NET_NET_FIXTURE_H

#include <gtest/gtest.h>

#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "raw_peers.h"
#include "tarnlink/TarnLink.h"
#include "tarnlink/TarnNetwork.h"
#include "tarnlink/TarnVirtualDevice.h"

namespace NetTests {

constexpr std::int32_t kClientConduitId = 1;

inline TarnLink::TarnCommand MuteCommand(unsigned char channel, unsigned char mute)
{
    TarnLink::TarnCommand command("AudioHostChanMute");
    command.SetParamUInt8("HostChannel", channel);
    command.SetParamUInt8("Mute", mute);
    return command;
}

inline TarnLink::TarnCommand MuteRequest(unsigned char channel)
{
    TarnLink::TarnCommand command("AudioHostChanMute");
    command.SetupRequestDataCommand();
    command.SetParamUInt8("HostChannel", channel);
    return command;
}

// A loaded library and a StudioBox served on an ephemeral loopback port; the
// server's log is kept for the test to read.
class NetTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(TarnLink::TarnCommandFactory::Initialize()); }

    void TearDown() override
    {
        if (server_ != nullptr) {
            server_->Stop();
        }
        if (installed_ != nullptr) {
            TarnLink::TarnCommandFactory::RemoveTargetConduit(installed_, kClientConduitId);
        }
        TarnLink::TarnCommandFactory::Terminate();
    }

    TarnLink::Net::DeviceServerOptions Options(std::uint16_t port = 0)
    {
        TarnLink::Net::DeviceServerOptions options;
        options.listen.port = port;
        options.log = [this](const std::string& line) {
            std::lock_guard<std::mutex> guard(logMutex_);
            log_.push_back(line);
        };
        return options;
    }

    void Serve(TarnLink::TarnConduit& device, TarnLink::Net::DeviceServerOptions options)
    {
        server_ = std::make_unique<TarnLink::Net::DeviceServer>(device, std::move(options));
        server_->Start();
    }

    void Serve() { Serve(device_, Options()); }

    std::string Url() const { return "tcp://127.0.0.1:" + std::to_string(server_->GetPort()); }

    // Installs the conduit as the library's current conduit.
    void Use(TarnLink::TarnConduit& conduit)
    {
        installed_ = &conduit;
        ASSERT_TRUE(TarnLink::TarnCommandFactory::InstallTargetConduit(&conduit, kClientConduitId));
    }

    bool LogMentions(const std::string& text)
    {
        std::lock_guard<std::mutex> guard(logMutex_);
        for (const std::string& line : log_) {
            if (line.find(text) != std::string::npos) {
                return true;
            }
        }
        return false;
    }

    TarnLink::TarnVirtualDevice device_{"StudioBox"};
    std::unique_ptr<TarnLink::Net::DeviceServer> server_;

private:
    TarnLink::TarnConduit* installed_ = nullptr;
    std::mutex logMutex_;
    std::vector<std::string> log_;
};

// The answer of conduit to one packet, through Transmit itself.
struct Answer {
    bool transmitted = false;
    Bytes packet;
    TarnLink::CommandStatus_t status = TarnLink::kTLFail;
};

Answer Exchange(TarnLink::TarnConduit& conduit, const Bytes& packet, std::uint32_t timeoutMillisec = 0);

} // namespace NetTests

#endif
