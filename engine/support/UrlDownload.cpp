#include "engine/support/UrlDownload.h"

#include <windows.h>
#include <wininet.h>
#include <stdio.h>
#include <string.h>

namespace EngineSupport {

namespace {

using InternetOpenFunction = HINTERNET(WINAPI*)(LPCSTR, DWORD, LPCSTR, LPCSTR, DWORD);
using InternetOpenUrlFunction = HINTERNET(WINAPI*)(HINTERNET, LPCSTR, LPCSTR, DWORD, DWORD, DWORD_PTR);
using InternetCloseHandleFunction = BOOL(WINAPI*)(HINTERNET);
using InternetReadFileFunction = BOOL(WINAPI*)(HINTERNET, LPVOID, DWORD, LPDWORD);
using HttpQueryInfoFunction = BOOL(WINAPI*)(HINTERNET, DWORD, LPVOID, LPDWORD, LPDWORD);

// wininet's entry points, looked up by name.
class InternetLibrary
{
public:
    InternetLibrary() : m_module(LoadLibraryA("wininet.dll"))
    {
        if (!m_module)
            return;
        open = Bind<InternetOpenFunction>("InternetOpenA");
        openUrl = Bind<InternetOpenUrlFunction>("InternetOpenUrlA");
        closeHandle = Bind<InternetCloseHandleFunction>("InternetCloseHandle");
        readFile = Bind<InternetReadFileFunction>("InternetReadFile");
        httpQueryInfo = Bind<HttpQueryInfoFunction>("HttpQueryInfoA");
    }
    ~InternetLibrary()
    {
        if (m_module)
            FreeLibrary(m_module);
    }
    InternetLibrary(const InternetLibrary&) = delete;
    InternetLibrary& operator=(const InternetLibrary&) = delete;

    bool IsUsable() const { return open && openUrl && closeHandle && readFile && httpQueryInfo; }

    InternetOpenFunction open = nullptr;
    InternetOpenUrlFunction openUrl = nullptr;
    InternetCloseHandleFunction closeHandle = nullptr;
    InternetReadFileFunction readFile = nullptr;
    HttpQueryInfoFunction httpQueryInfo = nullptr;

private:
    template <class Function>
    Function Bind(const char* name)
    {
        return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(m_module, name)));
    }

    HMODULE m_module;
};

// An Internet handle, closed through the library that gave it.
class InternetHandle
{
public:
    InternetHandle(const InternetLibrary& library, HINTERNET handle) : m_library(library), m_handle(handle) {}
    ~InternetHandle()
    {
        if (m_handle)
            m_library.closeHandle(m_handle);
    }
    InternetHandle(const InternetHandle&) = delete;
    InternetHandle& operator=(const InternetHandle&) = delete;

    operator HINTERNET() const { return m_handle; }

private:
    const InternetLibrary& m_library;
    HINTERNET m_handle;
};

bool IsHttpUrl(const char* url)
{
    return _strnicmp(url, "http://", 7) == 0 || _strnicmp(url, "https://", 8) == 0;
}

bool QueryNumber(const InternetLibrary& library, HINTERNET request, DWORD query, DWORD& value)
{
    DWORD size = sizeof value;
    return library.httpQueryInfo(request, query | HTTP_QUERY_FLAG_NUMBER, &value, &size, nullptr) != FALSE;
}

// Copies the body into the open file; false when a read or a write fails,
// the body ends before the length that the server announced, or `goOn`
// says no.
bool CopyBody(const InternetLibrary& library, HINTERNET request, bool isHttp, FILE* out,
              const std::function<bool()>& goOn)
{
    DWORD announced = 0;
    const bool hasLength = isHttp && QueryNumber(library, request, HTTP_QUERY_CONTENT_LENGTH, announced);
    ULONGLONG received = 0;
    char buffer[8192];
    for (;;) {
        if (goOn && !goOn())
            return false;
        DWORD read = 0;
        if (!library.readFile(request, buffer, sizeof buffer, &read))
            return false;
        if (read == 0)
            return !hasLength || received >= announced;
        if (fwrite(buffer, 1, read, out) != read)
            return false;
        received += read;
    }
}

}  // namespace

bool DownloadUrlToFile(const char* url, const char* file, bool& libraryMissing, const std::function<bool()>& goOn)
{
    libraryMissing = false;
    if (!url || !file)
        return false;

    InternetLibrary library;
    if (!library.IsUsable()) {
        libraryMissing = true;
        return false;
    }

    InternetHandle internet(library, library.open(nullptr, INTERNET_OPEN_TYPE_PRECONFIG_WITH_NO_AUTOPROXY,
                                                  nullptr, nullptr, 0));
    if (!internet)
        return false;
    InternetHandle request(library, library.openUrl(internet, url, nullptr, 0, 0, 0));
    if (!request)
        return false;

    // An error page is no download; the file is not even created for it.
    const bool isHttp = IsHttpUrl(url);
    DWORD status = 0;
    if (isHttp && QueryNumber(library, request, HTTP_QUERY_STATUS_CODE, status) && status >= 400)
        return false;

    FILE* out = fopen(file, "wb");
    if (!out)
        return false;
    const bool copied = CopyBody(library, request, isHttp, out, goOn);
    const bool closed = fclose(out) == 0;
    if (copied && closed)
        return true;
    DeleteFileA(file);
    return false;
}

}  // namespace EngineSupport
