#include "diagnostics/diagnostics.h"

#include <iostream>

namespace TarnLinkPrivate {

std::ostream& Diagnostics() { return std::cout; }

} // namespace TarnLinkPrivate
