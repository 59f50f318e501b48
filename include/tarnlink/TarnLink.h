#ifndef TARNLINK_TARNLINK_H
#define TARNLINK_TARNLINK_H

// The whole public interface of the library; each header says which of its
// operations may run on several threads at once.

#include "tarnlink/TarnCommand.h"
#include "tarnlink/TarnCommandByteCode.h"
#include "tarnlink/TarnCommandFactory.h"
#include "tarnlink/TarnDictionary.h"
#include "tarnlink/TarnHWCaps.h"
#include "tarnlink/TarnHWCapsQueries.h"
#include "tarnlink/TarnHostInterfaces.h"

#endif
