// winsock2.h must come before the windows.h that the header brings.
#include <winsock2.h>

#include "engine/support/LocalAddress.h"

namespace EngineSupport {

CString GetLocalIpAddress(int n)
{
    CString address = "0.0.0.0";
    WSADATA data;
    if (WSAStartup(MAKEWORD(1, 1), &data) != 0)
        return address;

    char name[256];
    if (n >= 1 && gethostname(name, sizeof name) == 0)
        address = NthHostAddress(gethostbyname(name), n);
    WSACleanup();
    return address;
}

CString NthHostAddress(const hostent* host, int n)
{
    if (n < 1 || !host || host->h_addrtype != AF_INET || host->h_length != sizeof(in_addr) || !host->h_addr_list)
        return "0.0.0.0";
    for (int i = 0; i < n; ++i)
        if (!host->h_addr_list[i])
            return "0.0.0.0";
    in_addr found;
    memcpy(&found, host->h_addr_list[n - 1], sizeof found);
    return inet_ntoa(found);
}

}  // namespace EngineSupport
