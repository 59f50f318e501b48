// Finding a command's definition: the dictionary's index by name, and the
// definition a command remembers between calls.

#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "command/command_definition.h"
#include "command_fixture.h"
#include "dictionary/command_registry.h"

using TarnLink::TarnCommand;
using TarnLink::TarnCommandByteCode;
using TarnLink::TarnCommandFactory;
using TarnLinkPrivate::CommandFormat;
using TarnLinkPrivate::DefinitionOf;
using TarnLinkPrivate::FindCommandFormat;
using TarnLinkPrivate::GetNameRegistry;

namespace {

class DefinitionLookupTest : public DictionaryTest {};

// The ordered registry is the reference for names near a registered one.
const CommandFormat* Expected(const std::string& name)
{
    const auto found = GetNameRegistry().find(name);
    return found != GetNameRegistry().end() ? found->second.get() : nullptr;
}

TEST_F(DefinitionLookupTest, IndexAgreesWithTheRegistryForEveryNameAndItsNeighbours)
{
    ASSERT_GT(GetNameRegistry().size(), 100u); // enough names to share slots of the index
    for (const auto& entry : GetNameRegistry()) {
        const std::string name(entry.first);
        SCOPED_TRACE(name);
        EXPECT_EQ(FindCommandFormat(name.c_str()), entry.second.get());
        EXPECT_EQ(FindCommandFormat(name), entry.second.get());
        std::string changedCase = name;
        changedCase[0] = static_cast<char>(changedCase[0] ^ 0x20);
        for (const std::string& near : {name + "x", name.substr(0, name.size() - 1), changedCase}) {
            EXPECT_EQ(FindCommandFormat(near.c_str()), Expected(near)) << near;
            EXPECT_EQ(FindCommandFormat(near), Expected(near)) << near;
        }
    }
    EXPECT_EQ(FindCommandFormat(""), nullptr);
    EXPECT_EQ(FindCommandFormat(static_cast<const char*>(nullptr)), nullptr);
    EXPECT_EQ(FindCommandFormat(std::string("AudioHostChanMute\0x", 19)), nullptr);
}

TEST_F(DefinitionLookupTest, CommandForgetsItsDefinitionWhenItsNameChanges)
{
    const CommandFormat* mute = FindCommandFormat("AudioHostChanMute");
    const CommandFormat* deviceInfo = FindCommandFormat("HAGetDeviceInfo");
    ASSERT_NE(mute, nullptr);
    ASSERT_NE(deviceInfo, nullptr);

    TarnCommand command("AudioHostChanMute");
    EXPECT_EQ(DefinitionOf(command), mute);
    command.SetCommandName("HAGetDeviceInfo");
    EXPECT_EQ(DefinitionOf(command), deviceInfo);
    command.SetCommandName("");
    EXPECT_EQ(DefinitionOf(command), nullptr);

    std::istringstream text("AudioHostChanMute .");
    command.Parse(text);
    EXPECT_EQ(DefinitionOf(command), mute);

    TarnCommand assigned("HAGetDeviceInfo");
    EXPECT_EQ(DefinitionOf(assigned), deviceInfo);
    assigned = command;
    EXPECT_EQ(DefinitionOf(assigned), mute);
    EXPECT_EQ(DefinitionOf(TarnCommand(assigned)), mute);
}

// Values move with their names when a rename lays the command out for
// another definition, and the text form keeps the order they were first set in.
TEST_F(DefinitionLookupTest, ValuesFollowTheirNamesThroughRenames)
{
    TarnCommand command("AudioHostChanMute");
    command.SetParamUInt8("Mute", 1);
    command.SetParamUInt32("Extra", 7);
    command.SetParamUInt8("HostChannel", 5);
    command.SetCommandName("HAGetDeviceInfo");
    command.SetCommandName("AudioHostChanMute");
    std::ostringstream text;
    command.WriteParsable(text);
    EXPECT_EQ(text.str(), "\ntarn send AudioHostChanMute Mute UINT8 1 Extra UINT32 7 HostChannel UINT8 5 . ;");
    TarnCommandByteCode byteCode;
    EXPECT_TRUE(TarnCommandFactory::CompileTarnByteCode(command, byteCode, nullptr, nullptr));
    EXPECT_EQ(PacketOf(byteCode), (Bytes{0x0B, 0x0B, 0x00, 0x06, 0x40, 0x2E, 0x00, 0x00, 0x05, 0x01}));
}

TEST_F(DefinitionLookupTest, NameUnknownAtFirstIsFoundOnceItsDefinitionLoads)
{
    TarnCommand command("TestLateArrival");
    EXPECT_EQ(DefinitionOf(command), nullptr);
    std::istringstream definition(
        "TestLateArrival Tarn\nCommandTypeMajor VIDEO\nCommandTypeMinor 63\nFunction 122\n;\n");
    ASSERT_TRUE(TarnLinkPrivate::ParseTCDFile(definition, "late.tcd"));
    EXPECT_EQ(DefinitionOf(command), FindCommandFormat("TestLateArrival"));
    EXPECT_NE(DefinitionOf(command), nullptr);
}

// A definition remembered before Terminate is never used after it: the
// sanitizer build would report the freed definition.
TEST(DefinitionLookupAcrossSessionsTest, CommandCompilesAgainAfterTheLibraryRestarts)
{
    TarnCommand command("AudioHostChanMute");
    command.SetParamUInt8("HostChannel", 5);
    command.SetParamUInt8("Mute", 1);
    const Bytes expected = {0x0B, 0x0B, 0x00, 0x06, 0x40, 0x2E, 0x00, 0x00, 0x05, 0x01};
    for (int session = 0; session < 2; ++session) {
        ASSERT_TRUE(TarnCommandFactory::Initialize());
        TarnCommandByteCode byteCode;
        EXPECT_TRUE(TarnCommandFactory::CompileTarnByteCode(command, byteCode, nullptr, nullptr));
        EXPECT_EQ(PacketOf(byteCode), expected);
        TarnCommandFactory::Terminate();
    }
    EXPECT_EQ(DefinitionOf(command), nullptr);
}

} // namespace
