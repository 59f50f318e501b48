#ifndef TARNLINK_TESTS_HWCAPS_DESCRIBE_CAPS_H
#define TARNLINK_TESTS_HWCAPS_DESCRIBE_CAPS_H

#include <sstream>
#include <string>

#include "hwcaps/hwcaps_data.h"

// The whole content of a capability set as one line, so that a test states
// what a file or a merge must yield.

inline std::string DescribeConditions(const TarnLinkPrivate::ConditionContents& conditions)
{
    std::string text = "{";
    for (const auto& command : conditions.conditions) {
        for (const auto& parameter : command.second) {
            text += command.first + "." + parameter.first + "=" + std::to_string(parameter.second.value) + " ";
        }
    }
    return text + "}";
}

inline std::string Describe(const TarnLinkPrivate::HWCapsData& data)
{
    std::ostringstream text;
    if (!data.HardwareType().empty()) {
        text << "type=" << data.HardwareType() << " ";
    }
    for (const auto& group : data.PropertyGroups()) {
        for (const auto* property : group.InNameOrder()) {
            text << DescribeConditions(group.conditions) << property->name << "=";
            if (const auto* integer = TarnLink::VariantImpl::variant_cast<std::int32_t>(&property->value)) {
                text << *integer << " ";
            } else {
                text << "'" << TarnLink::VariantImpl::variant_cast<std::string>(property->value) << "' ";
            }
        }
    }
    for (const auto& command : data.AllCommandValues()) {
        for (const auto& parameter : command.second) {
            for (const auto& entry : parameter.second) {
                text << DescribeConditions(*entry.conditions) << command.first << "." << parameter.first << "=";
                if (entry.range) {
                    text << entry.range->first << ".." << entry.range->second << " ";
                } else {
                    for (const std::string_view symbol : entry.symbols) {
                        text << symbol << ",";
                    }
                    text << " ";
                }
            }
        }
    }
    for (const auto& timeout : data.Timeouts()) {
        text << "timeout " << timeout.first << "=" << timeout.second << " ";
    }
    if (!data.ConditionLists().empty()) {
        text << "lists=" << data.ConditionLists().size() << " ";
    }
    return text.str();
}

#endif
