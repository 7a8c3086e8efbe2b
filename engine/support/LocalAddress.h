// The local host's IPv4 addresses.
#pragma once

#include "framework/String.h"

struct hostent;

namespace EngineSupport {

// The n-th (1-based) IPv4 address of the local host name in dotted form, or
// "0.0.0.0" when the host has fewer addresses or the lookup fails.
CString GetLocalIpAddress(int n);

// The n-th (1-based) IPv4 address of a name lookup's answer in dotted form;
// "0.0.0.0" when there is no answer (a failed lookup gives null), when it
// holds no IPv4 addresses or fewer than n.
CString NthHostAddress(const hostent* host, int n);

}  // namespace EngineSupport
