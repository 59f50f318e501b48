#ifndef TARNLINK_TESTS_COMMAND_FIXTURE_H
#define TARNLINK_TESTS_COMMAND_FIXTURE_H

#include <gtest/gtest.h>

#include <sstream>
#include <vector>

#include "dictionary/tcd_parser.h"
#include "tarnlink/TarnCommandByteCode.h"
#include "tarnlink/TarnCommandFactory.h"

using Bytes = std::vector<unsigned char>;

inline Bytes PacketOf(const TarnLink::TarnCommandByteCode& byteCode)
{
    unsigned char* buffer = nullptr;
    if (!byteCode.GetPacketByteCodeBuffer(&buffer)) {
        return {};
    }
    return Bytes(buffer, buffer + byteCode.ComputeTotalPacketByteCodeLength());
}

inline void SetPacket(TarnLink::TarnCommandByteCode& byteCode, const Bytes& bytes)
{
    byteCode.Clear();
    if (!bytes.empty()) {
        byteCode.CopyByteCodePacketBuffer(bytes.data(), bytes.size());
    }
}

// Definitions that only the tests need, beside the embedded dictionary.
constexpr char kTestDefinitions[] = R"(
TestWide Tarn
CommandTypeMajor VIDEO
CommandTypeMinor 63
Function 120
DataName Wide RD
DataType INT64
DataName Narrow
DataType INT8
DataName Blob
DataType BYTES
Symbol Minus -2
Symbol Big 300
;
TestNoDataTarn Tarn
CommandTypeMajor VIDEO
CommandTypeMinor 63
Function 121
;
TestNoDataDiag Diag
DiagOpcode 200
;
TestDiagBlob Diag
DiagOpcode 201
DataName Count RD
DataType UINT16
DataName Blob
DataType BYTES
;
)";

// The embedded dictionary and the test definitions, loaded once per suite.
class DictionaryTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        ASSERT_TRUE(TarnLink::TarnCommandFactory::Initialize());
        std::istringstream definitions(kTestDefinitions);
        ASSERT_TRUE(TarnLinkPrivate::ParseTCDFile(definitions, "command_tests.tcd"));
    }
    static void TearDownTestSuite() { TarnLink::TarnCommandFactory::Terminate(); }
    void TearDown() override { TarnLink::TarnCommandFactory::SetVerbosity(false, false); }
};

#endif
