// The local host's IPv4 addresses.
#pragma once

#include "framework/String.h"

namespace EngineSupport {

// The n-th (1-based) IPv4 address of the local host name in dotted form, or
// "0.0.0.0" when the host has fewer addresses or the lookup fails.
CString GetLocalIpAddress(int n);

}  // namespace EngineSupport
