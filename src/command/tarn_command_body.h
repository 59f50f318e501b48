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

#include "command/definition_cache.h"
#include "tarnlink/TarnCommand.h"

namespace TarnLink {

struct TarnCommand::Body {
    struct Parameter {
        Parameter(std::string parameterName, VariantImpl::Variant& initial) : name(std::move(parameterName))
        {
            value.swap(initial);
        }
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
        return parameterName != nullptr ? Find(parameterName, std::strlen(parameterName)) : nullptr;
    }

    VariantImpl::Variant* Find(const char* parameterName, std::size_t length)
    {
        return const_cast<VariantImpl::Variant*>(std::as_const(*this).Find(parameterName, length));
    }

    const VariantImpl::Variant* Find(const char* parameterName, std::size_t length) const
    {
        // Lengths first: most names of one command differ in length.
        for (const Parameter& parameter : parameters) {
            if (parameter.name.size() == length && std::memcmp(parameter.name.data(), parameterName, length) == 0) {
                return &parameter.value;
            }
        }
        return nullptr;
    }

    // Replaces the value in place, or appends a new entry at the end.
    void Assign(const char* parameterName, VariantImpl::Variant&& value)
    {
        if (parameterName != nullptr) {
            Assign(parameterName, std::strlen(parameterName), std::move(value));
        }
    }

    void Assign(const char* parameterName, std::size_t length, VariantImpl::Variant&& value)
    {
        if (VariantImpl::Variant* existing = Find(parameterName, length)) {
            existing->swap(value);
        } else {
            parameters.emplace_back(std::string(parameterName, length), value);
        }
    }

    // Every change of the name goes through here: it voids the cached definition.
    void SetName(const char* commandName)
    {
        name = commandName != nullptr ? commandName : "";
        definitionCache.Clear();
    }

    std::string name;
    std::vector<Parameter> parameters; // in the order the names were first set
    bool isSend = true;
    std::int32_t conduitId = 0;
    CommandStatus_t status = kTLFail;

    // Filled by compilation and decompilation, which take the command by
    // const reference; safe when threads share one const command.
    TarnLinkPrivate::DefinitionCache definitionCache;
};

} // namespace TarnLink

#endif
