#include "engine/SystemErrorText.h"

#include <windows.h>

const char* GetSystemErrorText(int code)
{
    static char text[4096];
    DWORD error = code == -1 ? GetLastError() : static_cast<DWORD>(code);
    DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                                  error, 0, text, sizeof text - 1, nullptr);
    text[length < sizeof text ? length : sizeof text - 1] = '\0';
    return text;
}
