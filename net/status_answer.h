#ifndef TARNLINK_NET_STATUS_ANSWER_H
#define TARNLINK_NET_STATUS_ANSWER_H

#include "frame.h"
#include "tarnlink/TarnCommandByteCode.h"

namespace TarnLinkNet {

// The answer that stands for a packet that never reached the device: a bare
// response header whose status byte says transmit failure.
Bytes TransmitFailureAnswer();
void SetTransmitFailure(TarnLink::TarnCommandByteCode& response);

// The bytes of a byte code; empty when it holds no packet.
Bytes PacketBytes(const TarnLink::TarnCommandByteCode& byteCode);

} // namespace TarnLinkNet

#endif
