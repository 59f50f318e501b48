// The host interfaces are abstract; their destructors live here so that each
// class has one home for its vtable and type information.

#include "tarnlink/TarnHostInterfaces.h"

namespace TarnLink {

TarnConduit::~TarnConduit() = default;
TarnCompileListener::~TarnCompileListener() = default;
TarnTransmitListener::~TarnTransmitListener() = default;
TarnExecutionListener::~TarnExecutionListener() = default;

} // namespace TarnLink
