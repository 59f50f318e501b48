#include "dictionary/packet_plan.h"

#include "dictionary/command_format.h"
#include "dictionary/packet_layout.h"
#include "wire/big_endian.h"

namespace TarnLinkPrivate {

// The decoders read each integer as one machine word (ReadBigEndianInteger).
#define TARNLINK_INTEGER_TYPE(Id, keyword, size, CppType, dumpName) \
    static_assert(IsWordWidth(size), keyword " values are not a word wide");
#include "dictionary/parameter_type_table.h"

namespace {

bool LayoutSucceeded(const TarnDataCommandFormat& definition)
{
    return definition.HasVariableLengthData() ? SizesWithEmptyByteStream(definition) != nullptr
                                              : definition.Sizes().sendSize > 0;
}

std::uint16_t ValuesEnd(const PacketPlan& plan, bool isSend, std::int32_t headerLength)
{
    const std::size_t carried = plan.CarriedBy(isSend);
    if (carried == 0) {
        return static_cast<std::uint16_t>(headerLength);
    }
    const PlannedInteger& last = plan.Integers()[carried - 1];
    return static_cast<std::uint16_t>(last.offset + last.width);
}

bool PlanFixedPacket(const TarnDataCommandFormat& definition, const PacketPlan& plan, bool isSend, FixedPacket& packet)
{
    const PacketSizes& sizes = definition.Sizes();
    const std::int32_t total = isSend ? sizes.sendSize : sizes.requestSize;
    const std::int32_t payload = isSend ? sizes.sendPayloadSize : sizes.requestPayloadSize;
    if (total < 1 || total > kMaxPacketTotalSize ||
        !definition.WritePacketHeader(isSend, payload, packet.header.data())) {
        return false;
    }
    packet.headerLength = static_cast<std::uint16_t>(definition.HeaderLength());
    packet.valuesEnd = ValuesEnd(plan, isSend, definition.HeaderLength());
    packet.total = static_cast<std::uint16_t>(total);
    return true;
}

} // namespace

PacketPlan PlanPackets(const TarnDataCommandFormat& definition)
{
    PacketPlan plan;
    if (!LayoutSucceeded(definition)) {
        return plan;
    }
    for (const ParameterDefinition& parameter : definition.Parameters()) {
        if (parameter.type == ParamType::kBytes) {
            break; // only the last parameter may be BYTES
        }
        plan.AddInteger(PlannedInteger{static_cast<std::uint16_t>(parameter.packetOffset),
                                       static_cast<std::uint8_t>(parameter.size), parameter.type},
                        parameter.requiredForRequestData);
    }
    FixedPacket send;
    FixedPacket request;
    if (!definition.HasVariableLengthData() && PlanFixedPacket(definition, plan, true, send) &&
        PlanFixedPacket(definition, plan, false, request)) {
        plan.SetFixed(send, request);
    }
    return plan;
}

} // namespace TarnLinkPrivate
