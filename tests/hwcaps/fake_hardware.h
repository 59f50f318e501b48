#ifndef TARNLINK_TESTS_HWCAPS_FAKE_HARDWARE_H
#define TARNLINK_TESTS_HWCAPS_FAKE_HARDWARE_H

// Hardware that answers the identification commands, behind a scripted
// conduit. An answer is the packet of the command sent with every parameter
// set, which decodes like the hardware's response.

#include <string>
#include <vector>

#include "support/scripted_conduit.h"
#include "tarnlink/TarnCommandFactory.h"

class FakeHardware {
public:
    FakeHardware()
    {
        conduit.SetResponder([this](const ScriptedConduit::Request& request, TarnLink::TarnCommandByteCode& response) {
            return Answer(request, response);
        });
    }

    bool answersTypeId = true;
    bool answersSubcompCount = true;
    std::string typeId;
    std::vector<std::string> subcomponents;
    ScriptedConduit conduit;

    std::vector<std::string> CommandsSent() const
    {
        std::vector<std::string> names;
        for (const ScriptedConduit::Request& request : conduit.Requests()) {
            names.push_back(request.commandName);
        }
        return names;
    }

private:
    bool Answer(const ScriptedConduit::Request& request, TarnLink::TarnCommandByteCode& response) const
    {
        TarnLink::TarnCommand reply(request.commandName.c_str());
        reply.SetupSendCommand();
        if (request.commandName == "HardwareTypeID") {
            if (!answersTypeId) {
                return false;
            }
            reply.SetParamByteStream("TypeID", typeId.data(), typeId.size());
        } else if (request.commandName == "HardwareSubcompCount") {
            if (!answersSubcompCount) {
                return false;
            }
            reply.SetParamUInt8("NumSubcomponents", static_cast<unsigned char>(subcomponents.size()));
        } else if (request.commandName == "HardwareSubcompInfo") {
            // The request carries NthSubcomponent right after the 8-byte header.
            const unsigned char index = request.packet.size() > 8 ? request.packet[8] : 0;
            const std::string& subTypeId = subcomponents.at(index);
            reply.SetParamUInt8("NthSubcomponent", index);
            reply.SetParamUInt16("SubcompRevision", 3);
            reply.SetParamUInt8("SubcompStatus", 1);
            reply.SetParamByteStream("TypeID", subTypeId.data(), subTypeId.size());
        } else {
            return false;
        }
        TarnLink::TarnCommandByteCode packet;
        std::uint32_t timeout = 0;
        TarnLink::CommandStatus_t status = TarnLink::kTLSuccess;
        if (!TarnLink::TarnCommandFactory::CompileTarnByteCode(reply, packet, &timeout, &status)) {
            return false;
        }
        const ScriptedConduit::Bytes bytes = ScriptedConduit::BytesOf(packet);
        return response.CopyByteCodePacketBuffer(bytes.data(), bytes.size());
    }
};

#endif
