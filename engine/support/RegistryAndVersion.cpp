#include "engine/support/RegistryAndVersion.h"

#include <vector>

namespace EngineSupport {

bool ReadRegistryString(HKEY root, const char* subKey, const char* valueName, char* buffer, DWORD bufferSize)
{
    if (!buffer || bufferSize == 0)
        return false;
    buffer[0] = '\0';

    HKEY key;
    if (RegOpenKeyExA(root, subKey, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
        return false;
    DWORD type = 0;
    DWORD size = bufferSize;
    const LONG status = RegQueryValueExA(key, valueName, nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size);
    RegCloseKey(key);
    // Stored texts need not end in a terminator; one is added when there is
    // room, and a text that fills the buffer without one does not fit.
    const bool isText = type == REG_SZ || type == REG_EXPAND_SZ;
    const bool terminated = size > 0 && buffer[size - 1] == '\0';
    if (status != ERROR_SUCCESS || !isText || (!terminated && size >= bufferSize)) {
        buffer[0] = '\0';
        return false;
    }
    if (!terminated)
        buffer[size] = '\0';
    return true;
}

bool GetFileVersionString(const char* file, CString& version)
{
    DWORD handle = 0;
    const DWORD size = GetFileVersionInfoSizeA(file, &handle);
    if (size == 0)
        return false;
    std::vector<BYTE> block(size);
    if (!GetFileVersionInfoA(file, 0, size, block.data()))
        return false;
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT fixedSize = 0;
    if (!VerQueryValueA(block.data(), "\\", reinterpret_cast<void**>(&fixed), &fixedSize) || !fixed ||
        fixedSize < sizeof *fixed)
        return false;
    version.Format("%u.%u.%u.%u", HIWORD(fixed->dwFileVersionMS), LOWORD(fixed->dwFileVersionMS),
                   HIWORD(fixed->dwFileVersionLS), LOWORD(fixed->dwFileVersionLS));
    return true;
}

}  // namespace EngineSupport
