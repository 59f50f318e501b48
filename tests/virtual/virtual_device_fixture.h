#ifndef TARNLINK_TESTS_VIRTUAL_DEVICE_FIXTURE_H
#define TARNLINK_TESTS_VIRTUAL_DEVICE_FIXTURE_H

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tarnlink/TarnLink.h"
#include "tarnlink/TarnVirtualDevice.h"

namespace VirtualDeviceTests {

using Bytes = std::vector<unsigned char>;

constexpr std::int32_t kDeviceConduitId = 1;
constexpr std::size_t kStatusByte = 7;

// A loaded library with a StudioBox installed as the current conduit.
class VirtualDeviceTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(TarnLink::TarnCommandFactory::Initialize());
        ASSERT_TRUE(TarnLink::TarnCommandFactory::InstallTargetConduit(&device_, kDeviceConduitId));
    }

    void TearDown() override
    {
        TarnLink::TarnCommandFactory::RemoveTargetConduit(&device_, kDeviceConduitId);
        TarnLink::TarnCommandFactory::Terminate();
    }

    static TarnLink::TarnCommand Request(const char* name)
    {
        TarnLink::TarnCommand command(name);
        command.SetupRequestDataCommand();
        return command;
    }

    static TarnLink::TarnCommand MuteCommand(unsigned char channel, unsigned char mute)
    {
        TarnLink::TarnCommand command("AudioHostChanMute");
        command.SetParamUInt8("HostChannel", channel);
        command.SetParamUInt8("Mute", mute);
        return command;
    }

    static TarnLink::TarnCommand MuteRequest(unsigned char channel)
    {
        TarnLink::TarnCommand command = Request("AudioHostChanMute");
        command.SetParamUInt8("HostChannel", channel);
        return command;
    }

    // The raw form of Execute: the device's answer to a hand-made packet.
    Bytes Exchange(const char* name, const Bytes& packet, bool* accepted = nullptr)
    {
        TarnLink::TarnCommandByteCode request;
        request.CopyByteCodePacketBuffer(packet.data(), packet.size());
        TarnLink::TarnCommandByteCode response;
        const bool result = TarnLink::TarnCommandFactory::Execute(name, request, &response, 0);
        if (accepted != nullptr) {
            *accepted = result;
        }
        return device_.GetPacketLog().back().response;
    }

    TarnLink::TarnVirtualDevice device_{"StudioBox"};
};

} // namespace VirtualDeviceTests

#endif
