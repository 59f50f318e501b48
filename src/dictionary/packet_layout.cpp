#include "dictionary/packet_layout.h"

#include <ostream>

#include "diagnostics/diagnostics.h"

namespace TarnLinkPrivate {

namespace {

constexpr char kBytesNeedCommand[] =
    "\nMust have Tarn Command to compile in order to compute lengths for BYTES parameter : ";
constexpr char kPrecomputeFailedBegin[] = "\n\nERROR - Tarn Command : ";
constexpr char kPrecomputeFailedEnd[] =
    " Has Fixed-Size Parameter Data but could not precompute packet sizes and data offsets ";
constexpr char kPrecomputedBegin[] = "\nTarn Command ";
constexpr char kPrecomputedEnd[] = " precomputed packet size information as follows...";

std::int32_t LayoutError(const char* message, const std::string& parameterName)
{
    VerboseMessage(message, parameterName);
    return kLayoutError;
}

// Bytes of the parameter in the command's packet, or kLayoutError.
std::int64_t ParameterSize(const ParameterDefinition& parameter, const LayoutRequest* request)
{
    if (parameter.type != ParamType::kBytes) {
        const std::int32_t size = FixedSizeOf(parameter.type);
        return size > 0 ? size : LayoutError(kParameterSizeError, parameter.name);
    }
    if (request == nullptr) {
        return LayoutError(kBytesNeedCommand, parameter.name);
    }
    if (!request->isSend && !parameter.requiredForRequestData) {
        return 0;
    }
    if (request->byteStreamLength < 0) {
        return LayoutError(kParameterNotFound, parameter.name);
    }
    return request->byteStreamLength;
}

// Every parameter but a BYTES one has its type's size, and a BYTES one is
// last, so the offsets do not depend on any command.
void WriteParameterLayout(TarnDataCommandFormat& definition)
{
    std::int32_t offset = definition.HeaderLength();
    for (ParameterDefinition& parameter : definition.Parameters()) {
        parameter.size = FixedSizeOf(parameter.type);
        parameter.variableLength = parameter.type == ParamType::kBytes;
        parameter.packetOffset = offset;
        parameter.bytesForPacketPosition = parameter.size;
        offset += parameter.size;
    }
}

// The sizes of a command of a variable-length definition: the fixed part laid
// out at load plus the byte stream, so no parameter is visited. The same
// results and messages as the walk over the parameters.
std::int32_t AddByteStream(const TarnDataCommandFormat& definition, const PacketSizes& empty,
                           const LayoutRequest& request, PacketSizes& sizes)
{
    const ParameterDefinition& stream = definition.Parameters().back();
    const std::int64_t streamSize = ParameterSize(stream, &request);
    if (streamSize < 0) {
        return kLayoutError;
    }
    // The fixed part alone was within the limit at load.
    if (streamSize > 0) {
        const std::int64_t limit = definition.PayloadLimit();
        if (streamSize > limit || empty.sendPayloadSize + streamSize > limit) {
            return kLayoutTooLarge;
        }
    }
    const std::int32_t header = empty.sendSize - empty.sendPayloadSize;
    const auto payload = static_cast<std::int32_t>(empty.sendPayloadSize + streamSize);
    const std::int32_t requestBytes =
        empty.requestPayloadSize + (stream.requiredForRequestData ? static_cast<std::int32_t>(streamSize) : 0);
    sizes = PacketSizes{header + payload, payload, header + requestBytes, requestBytes};
    return request.isSend ? sizes.sendSize : sizes.requestSize;
}

} // namespace

std::int32_t ComputePacketSizes(const TarnDataCommandFormat& definition, const LayoutRequest* request,
                                PacketSizes& sizes)
{
    sizes.sendSize = 0;
    sizes.sendPayloadSize = 0;
    if (request != nullptr) {
        if (const PacketSizes* empty = SizesWithEmptyByteStream(definition)) {
            return AddByteStream(definition, *empty, *request, sizes);
        }
    }
    const std::int32_t header = definition.HeaderLength();
    const ParameterDefinitions& parameters = definition.Parameters();
    if (parameters.empty()) {
        sizes = PacketSizes{header, 0, header, 0};
        return header;
    }

    std::int64_t total = 0;
    std::int64_t requestPayload = 0;
    for (const ParameterDefinition& parameter : parameters) {
        const std::int64_t size = ParameterSize(parameter, request);
        if (size < 0) {
            return kLayoutError;
        }
        if (size > definition.PayloadLimit()) {
            return kLayoutTooLarge; // also keeps the running total from overflowing
        }
        total += size;
        if (parameter.requiredForRequestData) {
            requestPayload += size;
        }
    }
    if (total > definition.PayloadLimit()) {
        return kLayoutTooLarge;
    }

    const auto payload = static_cast<std::int32_t>(total);
    const auto requestBytes = static_cast<std::int32_t>(requestPayload);
    sizes = PacketSizes{header + payload, payload, header + requestBytes, requestBytes};
    const bool isRequest = request != nullptr && !request->isSend;
    return isRequest ? sizes.requestSize : sizes.sendSize;
}

bool PrecomputeLayout(TarnDataCommandFormat& definition)
{
    definition.SetSizes(PacketSizes{}); // an earlier layout must not shortcut this one
    WriteParameterLayout(definition);
    PacketSizes sizes;
    if (definition.HasVariableLengthData()) {
        // Laid out with an empty byte stream; each command supplies its own length.
        const LayoutRequest emptyStream{true, 0};
        ComputePacketSizes(definition, &emptyStream, sizes);
        definition.SetSizes(sizes);
        return true;
    }
    if (ComputePacketSizes(definition, nullptr, sizes) < 1) {
        ErrorMessage(kPrecomputeFailedBegin, definition.Name(), kPrecomputeFailedEnd);
        return false;
    }
    definition.SetSizes(sizes);
    if (IsVerbose()) {
        Diagnostics() << kPrecomputedBegin << definition.Name() << kPrecomputedEnd;
        definition.Dump(Diagnostics(), false);
    }
    return true;
}

} // namespace TarnLinkPrivate
