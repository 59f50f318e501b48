#ifndef TARNLINK_COMMAND_TARN_COMMAND_BODY_H
#define TARNLINK_COMMAND_TARN_COMMAND_BODY_H

// The private state of a TarnCommand, shared by the files that implement its
// members (values, parsable text, dump).

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "tarnlink/TarnCommand.h"

namespace TarnLink {

struct TarnCommand::Body {
    struct Parameter {
        Parameter(const char* parameterName, VariantImpl::Variant& initial) : name(parameterName) { value.swap(initial); }
        Parameter(const Parameter&) = default;
        Parameter& operator=(const Parameter&) = delete;
        // Lets the vector relocate entries without copying names and values.
        Parameter(Parameter&& other) noexcept : name(std::move(other.name)) { value.swap(other.value); }

        std::string name;
        VariantImpl::Variant value;
    };

    // Exact, whole-name match; null when absent.
    VariantImpl::Variant* Find(const char* parameterName)
    {
        if (parameterName == nullptr) {
            return nullptr;
        }
        // Lengths first: most names of one command differ in length.
        const std::size_t length = std::strlen(parameterName);
        for (Parameter& parameter : parameters) {
            if (parameter.name.size() == length && std::memcmp(parameter.name.data(), parameterName, length) == 0) {
                return &parameter.value;
            }
        }
        return nullptr;
    }

    // Replaces the value in place, or appends a new entry at the end.
    void Assign(const char* parameterName, VariantImpl::Variant&& value)
    {
        if (parameterName == nullptr) {
            return;
        }
        if (VariantImpl::Variant* existing = Find(parameterName)) {
            existing->swap(value);
        } else {
            parameters.emplace_back(parameterName, value);
        }
    }

    std::string name;
    std::vector<Parameter> parameters; // in the order the names were first set
    bool isSend = true;
    std::int32_t conduitId = 0;
    CommandStatus_t status = kTLFail;
};

} // namespace TarnLink

#endif
