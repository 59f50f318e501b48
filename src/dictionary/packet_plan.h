#ifndef TARNLINK_DICTIONARY_PACKET_PLAN_H
#define TARNLINK_DICTIONARY_PACKET_PLAN_H

// Where the integers of a data-carrying definition sit in its packets, and
// the packets of a definition with fixed-size data apart from their values,
// planned once at load from the layout (packet_layout.h).
//
// A host compiles and decompiles the same few commands again and again; with
// the plan, each of those goes from slot i straight to integer i's bytes, in
// a compact array, without visiting the parameters' names or layout fields.

#include <array>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <vector>

#include "dictionary/parameter_type.h"
#include "wire/wire_format.h"

namespace TarnLinkPrivate {

class TarnDataCommandFormat;

struct PlannedInteger {
    std::uint16_t offset; // from the start of the packet
    std::uint8_t width;
    ParamType type;
};

// A packet of one direction of a definition with fixed-size data.
struct FixedPacket {
    std::array<unsigned char, kDiagHeaderLength> header{};
    std::uint16_t headerLength = 0;
    std::uint16_t valuesEnd = 0; // bytes from here to total are zero
    std::uint16_t total = 0;
};

class PacketPlan {
public:
    // The integer parameters that lead the definition, every parameter but a
    // closing BYTES one: integer i is the definition's parameter i.
    const PlannedInteger* Integers() const { return count_ <= kKeptInside ? inside_.data() : beyond_.data(); }
    std::size_t IntegerCount() const { return count_; }
    // How many of them a packet of the direction carries; a request carries
    // those required for request data, which lead the definition.
    std::size_t CarriedBy(bool isSend) const { return isSend ? count_ : requestCount_; }
    // Null unless the definition has fixed-size data whose headers could be
    // written.
    const FixedPacket* Fixed(bool isSend) const
    {
        if (!fixed_) {
            return nullptr;
        }
        return isSend ? &send_ : &request_;
    }
    // The bytes after its header that a successful response must carry for
    // the planned decoder, which reads integer i from a response where a send
    // packet has it; more than any response carries when it reads none (data
    // of variable size, or a send header of another length than a response's).
    std::int32_t DecodedPayloadBytes() const { return decodedPayloadBytes_; }

    void AddInteger(const PlannedInteger& integer, bool carriedByRequest)
    {
        if (count_ < kKeptInside) {
            inside_[count_] = integer;
        } else {
            if (count_ == kKeptInside) {
                beyond_.assign(inside_.begin(), inside_.end());
            }
            beyond_.push_back(integer);
        }
        if (carriedByRequest && requestCount_ == count_) {
            ++requestCount_;
        }
        ++count_;
    }
    void SetFixed(const FixedPacket& send, const FixedPacket& request)
    {
        send_ = send;
        request_ = request;
        fixed_ = true;
        if (send.headerLength == kTarnHeaderLength) {
            decodedPayloadBytes_ = send.valuesEnd - kTarnHeaderLength;
        }
    }

private:
    // Definitions carry a handful of parameters: the plans of most need no
    // allocation of their own, which matters at start-up.
    static constexpr std::size_t kKeptInside = 8;

    std::array<PlannedInteger, kKeptInside> inside_{};
    std::vector<PlannedInteger> beyond_; // all of them, once there are more
    std::size_t count_ = 0;
    std::size_t requestCount_ = 0;
    bool fixed_ = false;
    std::int32_t decodedPayloadBytes_ = std::numeric_limits<std::int32_t>::max();
    FixedPacket send_;
    FixedPacket request_;
};

// The plan of a definition whose layout is written (PrecomputeLayout); empty
// when the layout failed, so that no packet is made from it.
PacketPlan PlanPackets(const TarnDataCommandFormat& definition);

} // namespace TarnLinkPrivate

#endif
