#ifndef TARNLINK_TESTS_DICTIONARY_REGISTRY_RESET_H
#define TARNLINK_TESTS_DICTIONARY_REGISTRY_RESET_H

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "dictionary/command_registry.h"
#include "diagnostics/diagnostics.h"
#include "dictionary/tcd_parser.h"

// Leaves the process-global dictionary empty and quiet after each test.
class RegistryTest : public ::testing::Test {
protected:
    void TearDown() override
    {
        std::vector<std::string> errors;
        TarnLinkPrivate::TearDownDictionary(errors);
        TarnLinkPrivate::SetVerbosityFlags(false, false);
    }

    static bool Parse(const std::string& text, const char* fileName = "t.tcd")
    {
        std::istringstream file(text);
        return TarnLinkPrivate::ParseTCDFile(file, fileName);
    }

    static std::size_t DefinitionCount() { return TarnLinkPrivate::GetNameRegistry().size(); }
};

#endif
