#include "runtime_fixture.h"

#include <filesystem>

#include "dictionary/command_format.h"
#include "dictionary/command_registry.h"

namespace {

using TarnLinkPrivate::ParamType;

// Every command of the embedded dictionary, sent and requested with a trace
// log open, against hardware that answers every packet with success.
class ShippedDictionaryTest : public RuntimeTest {
protected:
    static void FillSendValues(const TarnLinkPrivate::CommandFormat& definition, TarnCommand& command)
    {
        const char bytes[] = {1, 2, 3};
        for (const auto& parameter : definition.Parameters()) {
            const char* name = parameter.name.c_str();
            switch (parameter.type) {
            case ParamType::kInt8:
                command.SetParamInt8(name, 1);
                break;
            case ParamType::kUInt8:
                command.SetParamUInt8(name, 1);
                break;
            case ParamType::kInt16:
                command.SetParamInt16(name, 1);
                break;
            case ParamType::kUInt16:
                command.SetParamUInt16(name, 1);
                break;
            case ParamType::kInt32:
                command.SetParamInt32(name, 1);
                break;
            case ParamType::kUInt32:
                command.SetParamUInt32(name, 1);
                break;
            case ParamType::kInt64:
                command.SetParamInt64(name, 1);
                break;
            case ParamType::kUInt64:
                command.SetParamUInt64(name, 1);
                break;
            default:
                command.SetParamByteStream(name, bytes, sizeof bytes);
                break;
            }
        }
    }

    // Zero bytes for every parameter of the definition, a short stream for BYTES.
    static Bytes ZeroPayloadFor(const TarnLinkPrivate::CommandFormat& definition)
    {
        std::size_t size = 0;
        for (const auto& parameter : definition.Parameters()) {
            const std::int32_t fixed = TarnLinkPrivate::FixedSizeOf(parameter.type);
            size += fixed > 0 ? static_cast<std::size_t>(fixed) : 2;
        }
        return Bytes(size, 0);
    }
};

TEST_F(ShippedDictionaryTest, EveryCommandExecutesEndToEnd)
{
    const std::string log = (std::filesystem::path(TARNLINK_BINARY_DIR) / "runtime_shipped_trace.log").string();
    ASSERT_TRUE(TarnCommandFactory::OpenExecutionTraceLogfile(log.c_str()));
    int executed = 0;
    for (const auto& entry : TarnLinkPrivate::GetNameRegistry()) {
        const TarnLinkPrivate::CommandFormat& definition = *entry.second;
        if (definition.SourceFile() == "runtime_test.tcd") {
            continue;
        }
        const TarnLink::CommandStatus_t expected =
            definition.IsDiagCommandFormat() ? TarnLink::kTLAttemptedToExecuteDiagCommand : TarnLink::kTLSuccess;

        TarnCommand send(definition.Name().c_str());
        FillSendValues(definition, send);
        TarnCommandFactory::Execute(send);
        EXPECT_EQ(send.GetStatus(), expected) << "send " << entry.first;

        if (definition.IsMetaCommandFormat()) {
            continue;
        }
        const Bytes payload = ZeroPayloadFor(definition);
        conduit.SetResponder([&payload](const ScriptedConduit::Request& request, TarnCommandByteCode& response) {
            const Bytes answer = ScriptedConduit::ResponseTo(request.packet, payload);
            return response.CopyByteCodePacketBuffer(answer.data(), answer.size());
        });
        TarnCommand request(send);
        request.SetupRequestDataCommand();
        TarnCommandFactory::Execute(request);
        conduit.SetResponder(nullptr);
        EXPECT_EQ(request.GetStatus(), expected) << "request " << entry.first;
        ++executed;
    }
    EXPECT_GT(executed, 100);
    EXPECT_TRUE(TarnCommandFactory::CloseExecutionTraceLogfile());
    EXPECT_GT(std::filesystem::file_size(log), 0u);
}

} // namespace
