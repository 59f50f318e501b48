#include "runtime/meta_data_chunks.h"

#include <algorithm>
#include <cstring>

#include "command/parameter_codec.h"
#include "diagnostics/diagnostics.h"

namespace TarnLinkPrivate {

namespace {

constexpr char kRepeatParamSizeError[] = "\nMetaCommand ERROR - RepeatCommand data param size error";

bool FailTraced(const char* text)
{
    TraceMessage(text);
    return false;
}

} // namespace

MetaDataChunks::MetaDataChunks(const MetaCommandFormat& definition, const TarnLink::TarnCommand& command)
    : definition_(definition), command_(command)
{
}

bool MetaDataChunks::CheckAll()
{
    std::uint64_t total = 0;
    for (const ParameterDefinition& parameter : definition_.Parameters()) {
        if (!Take(parameter)) {
            return false;
        }
        total += length_;
    }
    remaining_ = total;
    return true;
}

std::size_t MetaDataChunks::Next(unsigned char* out, std::size_t capacity)
{
    if (!started_) {
        started_ = true;
        if (!Start(0)) {
            return 0;
        }
    }
    std::size_t written = 0;
    while (written < capacity && bytes_ != nullptr) {
        const std::size_t piece = std::min(capacity - written, length_ - used_);
        std::memcpy(out + written, bytes_ + used_, piece);
        used_ += piece;
        written += piece;
        if (used_ == length_ && !Start(index_ + 1)) {
            break;
        }
    }
    remaining_ -= std::min<std::uint64_t>(remaining_, written);
    return written;
}

// Takes up the parameter at index, or marks the end past the last one.
bool MetaDataChunks::Start(std::size_t index)
{
    index_ = index;
    bytes_ = nullptr;
    const auto& parameters = definition_.Parameters();
    if (index >= parameters.size()) {
        return false;
    }
    if (!Take(parameters[index])) {
        failed_ = true;
        return false;
    }
    used_ = 0;
    return true;
}

// A byte stream is read in place; other values, and every value while the
// compile trace runs (which shows each value as it is encoded), are encoded
// into a buffer first.
bool MetaDataChunks::Take(const ParameterDefinition& parameter)
{
    const std::int32_t size = ParameterValueSize(parameter, command_);
    if (size < 1) {
        return FailTraced(kRepeatParamSizeError);
    }
    length_ = static_cast<std::size_t>(size);
    if (parameter.type == ParamType::kBytes && !IsCompileTrace()) {
        const std::vector<char>* stream = StoredValue(parameter, command_)->Bytes();
        bytes_ = reinterpret_cast<const unsigned char*>(stream->data());
        return true;
    }
    encoded_.resize(length_);
    if (!EncodeParameter(parameter, command_, size, encoded_.data())) {
        return FailTraced(kRepeatCompileFailed);
    }
    bytes_ = encoded_.data();
    return true;
}

} // namespace TarnLinkPrivate
