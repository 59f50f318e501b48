#include "runtime_fixture.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <regex>

namespace {

class TraceLogTest : public RuntimeTest {
protected:
    void SetUp() override
    {
        RuntimeTest::SetUp();
        directory_ = std::filesystem::path(TARNLINK_BINARY_DIR) / "runtime_trace_logs";
        std::filesystem::create_directories(directory_);
    }

    std::string PathOf(const char* name) const { return (directory_ / name).string(); }

    static std::string ReadFile(const std::string& path)
    {
        std::ifstream file(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    }

    static std::string ParsableOf(const TarnCommand& command)
    {
        std::ostringstream text;
        command.WriteParsable(text);
        return text.str();
    }

private:
    std::filesystem::path directory_;
};

TEST_F(TraceLogTest, EveryCompiledCommandGetsATimeStampedEntry)
{
    const std::string path = PathOf("two_entries.log");
    ASSERT_TRUE(TarnCommandFactory::OpenExecutionTraceLogfile(path.c_str()));

    TarnCommand sent("RtLevel");
    sent.SetParamUInt8("Channel", 2);
    sent.SetParamInt16("Level", -1);
    TarnCommandFactory::Execute(sent);
    TarnCommand unknown("RtNoSuchCommand");
    TarnCommandFactory::Execute(unknown);
    TarnCommand diag("RtDiag");
    TarnCommandFactory::Execute(diag);
    TarnCommandByteCode request;
    TarnCommandFactory::Execute("raw", request, nullptr, 0);
    EXPECT_TRUE(TarnCommandFactory::CloseExecutionTraceLogfile());

    const std::regex expected("\n@time [0-9]+ ;" + std::regex_replace(ParsableOf(sent), std::regex("[.]"), "[.]") +
                              "\n@time [0-9]+ ;" + std::regex_replace(ParsableOf(unknown), std::regex("[.]"), "[.]"));
    const std::string text = ReadFile(path);
    EXPECT_TRUE(std::regex_match(text, expected)) << text;
}

TEST_F(TraceLogTest, OpeningTruncatesAndAFailedOpenLeavesNoLog)
{
    const std::string path = PathOf("reopened.log");
    {
        std::ofstream old(path);
        old << "old text";
    }
    ASSERT_TRUE(TarnCommandFactory::OpenExecutionTraceLogfile(path.c_str()));
    TarnCommand command = LevelRequest();
    TarnCommandFactory::Execute(command);

    EXPECT_FALSE(TarnCommandFactory::OpenExecutionTraceLogfile(PathOf("missing/dir/x.log").c_str()));
    EXPECT_FALSE(TarnCommandFactory::OpenExecutionTraceLogfile(nullptr));
    const std::string text = ReadFile(path);
    EXPECT_EQ(text.find("old text"), std::string::npos);
    EXPECT_NE(text.find("\ntarn request RtLevel . ;"), std::string::npos) << "the earlier log was closed";

    TarnCommandFactory::Execute(command);
    EXPECT_EQ(ReadFile(path), text) << "no log is open any more";
    EXPECT_TRUE(TarnCommandFactory::CloseExecutionTraceLogfile());
}

} // namespace
