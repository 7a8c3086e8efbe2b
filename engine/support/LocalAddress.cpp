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
    if (n >= 1 && gethostname(name, sizeof name) == 0) {
        const hostent* host = gethostbyname(name);
        if (host && host->h_addrtype == AF_INET && host->h_length == sizeof(in_addr) && host->h_addr_list) {
            int count = 0;
            while (host->h_addr_list[count])
                ++count;
            if (n <= count) {
                in_addr found;
                memcpy(&found, host->h_addr_list[n - 1], sizeof found);
                address = inet_ntoa(found);
            }
        }
    }
    WSACleanup();
    return address;
}

}  // namespace EngineSupport
