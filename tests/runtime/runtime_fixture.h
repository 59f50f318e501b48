#ifndef TARNLINK_TESTS_RUNTIME_FIXTURE_H
#define TARNLINK_TESTS_RUNTIME_FIXTURE_H

// The library initialized with its embedded files plus a few definitions of
// this suite's own, one scripted conduit installed as current, and listeners
// that record what they see.

#include <gtest/gtest.h>

#include <functional>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "dictionary/tcd_file_processor.h"
#include "runtime/conduit_registry.h"
#include "support/cout_capture.h"
#include "support/scripted_conduit.h"
#include "tarnlink/TarnCommandFactory.h"

using Bytes = ScriptedConduit::Bytes;
using TarnLink::TarnCommand;
using TarnLink::TarnCommandByteCode;
using TarnLink::TarnCommandFactory;

// Addressed under a type code the shipped dictionary leaves free.
inline const char* RuntimeTestDefinitions()
{
    return "RtLevel Tarn CommandTypeMajor DIAGNOSTIC CommandTypeMinor 63 Function 100"
           " DataName Channel RD DataType UINT8 DataName Level DataType INT16"
           " Symbol Level_Low -5 Symbol Level_High 7 ;\n"
           "RtTypes Tarn CommandTypeMajor DIAGNOSTIC CommandTypeMinor 63 Function 101"
           " DataName I8 DataType INT8 DataName U8 DataType UINT8 DataName I16 DataType INT16"
           " DataName U16 DataType UINT16 DataName I32 DataType INT32 DataName U32 DataType UINT32"
           " DataName I64 DataType INT64 DataName U64 DataType UINT64 DataName Blob DataType BYTES"
           " Symbol MinusOne -1 Symbol Seven 7 Symbol MaxShort 65535 ;\n"
           "RtDiag Diag DiagOpcode 200 DataName Tone DataType UINT16 ;\n"
           "RtBlobStart Tarn CommandTypeMajor DIAGNOSTIC CommandTypeMinor 63 Function 110"
           " DataName TotalSize DataType UINT32 ;\n"
           "RtBlobData Tarn CommandTypeMajor DIAGNOSTIC CommandTypeMinor 63 Function 111"
           " DataName Data DataType BYTES ;\n"
           "RtBlobStop Tarn CommandTypeMajor DIAGNOSTIC CommandTypeMinor 63 Function 112 ;\n"
           "RtBlob Meta Start RtBlobStart Repeat RtBlobData Stop RtBlobStop"
           " DataName Header DataType UINT32 DataName Body DataType BYTES ;\n"
           "RtBlobBare Meta Start RtBlobStart Repeat RtBlobData Stop RtBlobStop ;\n"
           "RtBlobPair Meta Start RtBlobStart Repeat RtBlobData Stop RtBlobStop"
           " DataName Count DataType UINT16 DataName Value DataType INT64 ;\n";
}

class RecordingCompileListener : public TarnLink::TarnCompileListener {
public:
    explicit RecordingCompileListener(std::vector<std::string>* calls = nullptr, std::string tag = "compile")
        : calls_(calls), tag_(std::move(tag))
    {
    }
    void CommandCompiled(TarnCommand&, bool& proceed, bool& succeedIfStopped) override
    {
        ++count;
        if (calls_ != nullptr) {
            calls_->push_back(tag_);
        }
        proceed = proceedValue;
        succeedIfStopped = succeedIfStoppedValue;
    }
    bool proceedValue = true;
    bool succeedIfStoppedValue = true;
    int count = 0;

private:
    std::vector<std::string>* calls_;
    std::string tag_;
};

class RecordingTransmitListener : public TarnLink::TarnTransmitListener {
public:
    RecordingTransmitListener(std::int32_t priority, std::vector<std::string>* calls, std::string tag)
        : priority_(priority), calls_(calls), tag_(std::move(tag))
    {
    }
    void AboutToTransmit(TarnCommand& command, TarnCommandByteCode&, TarnCommandByteCode& response, bool& proceed,
                         bool& useResponse, TarnLink::TarnConduit* conduit) override
    {
        calls_->push_back(tag_);
        seenConduit = conduit;
        if (standIn) {
            standIn(command, response);
        }
        proceed = proceedValue;
        useResponse = useResponseValue;
    }
    std::int32_t GetPriority() const override { return priority_; }

    bool proceedValue = true;
    bool useResponseValue = true;
    std::function<void(TarnCommand&, TarnCommandByteCode&)> standIn;
    TarnLink::TarnConduit* seenConduit = nullptr;

private:
    std::int32_t priority_;
    std::vector<std::string>* calls_;
    std::string tag_;
};

class RecordingExecutionListener : public TarnLink::TarnExecutionListener {
public:
    void CommandExecuted(TarnCommand& command) override
    {
        executed.push_back(command.GetCommandName());
        if (reaction) {
            reaction(command);
        }
    }
    std::vector<std::string> executed;
    std::function<void(TarnCommand&)> reaction;
};

class RuntimeTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        TarnCommandFactory::SetVerbosity(false, false);
        {
            CoutCapture quiet;
            ASSERT_TRUE(TarnCommandFactory::Initialize());
            TarnLinkPrivate::ParseFileProcessor parser;
            std::istringstream definitions(RuntimeTestDefinitions());
            ASSERT_TRUE(parser.ProcessFile(definitions, "runtime_test.tcd"));
        }
        TarnCommandFactory::InstallTargetConduit(&conduit, 1);
    }

    void TearDown() override
    {
        TarnCommandFactory::SetVerbosity(false, false);
        CoutCapture quiet;
        for (auto* listener : compileListeners_) {
            TarnCommandFactory::RemoveTarnCompileListener(listener);
        }
        for (auto* listener : transmitListeners_) {
            TarnCommandFactory::RemoveTarnTransmitListener(listener);
        }
        for (auto* listener : executionListeners_) {
            TarnCommandFactory::RemoveTarnExecutionListener(listener);
        }
        TarnCommandFactory::CloseExecutionTraceLogfile();
        TarnCommandFactory::Terminate();
        TarnLinkPrivate::ForgetConduits();
    }

    // Listeners outlive Terminate, so every test's listeners are removed again.
    void Install(TarnLink::TarnCompileListener* listener)
    {
        ASSERT_TRUE(TarnCommandFactory::InstallTarnCompileListener(listener));
        compileListeners_.push_back(listener);
    }
    void Install(TarnLink::TarnTransmitListener* listener)
    {
        ASSERT_TRUE(TarnCommandFactory::InstallTarnTransmitListener(listener));
        transmitListeners_.push_back(listener);
    }
    void Install(TarnLink::TarnExecutionListener* listener)
    {
        ASSERT_TRUE(TarnCommandFactory::InstallTarnExecutionListener(listener));
        executionListeners_.push_back(listener);
    }

    static Bytes PacketOf(const TarnCommandByteCode& byteCode) { return ScriptedConduit::BytesOf(byteCode); }

    // A request-data command of RtLevel for channel 3.
    static TarnCommand LevelRequest()
    {
        TarnCommand command("RtLevel");
        command.SetupRequestDataCommand();
        command.SetParamUInt8("Channel", 3);
        return command;
    }

    ScriptedConduit conduit;

private:
    std::vector<TarnLink::TarnCompileListener*> compileListeners_;
    std::vector<TarnLink::TarnTransmitListener*> transmitListeners_;
    std::vector<TarnLink::TarnExecutionListener*> executionListeners_;
};

#endif
