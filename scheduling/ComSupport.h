// COM as the Task Scheduler calls use it: each operation initialises COM on
// its thread for as long as it runs (and only releases what it initialised),
// holds every interface it obtains in a CComRef that releases it, and every
// string the scheduler allocates in a CComTaskString that frees it. Out
// pointers start at NULL, so a call that fails leaves nothing to free.
#pragma once

#include <objbase.h>

class CComInitializer
{
public:
    CComInitializer() : m_result(::CoInitialize(nullptr)) {}
    ~CComInitializer()
    {
        if (SUCCEEDED(m_result))
            ::CoUninitialize();
    }
    CComInitializer(const CComInitializer&) = delete;
    CComInitializer& operator=(const CComInitializer&) = delete;

    HRESULT Result() const { return m_result; }
    bool Failed() const { return FAILED(m_result); }

private:
    HRESULT m_result;
};

template <class Interface>
class CComRef
{
public:
    CComRef() = default;
    ~CComRef() { Release(); }
    CComRef(const CComRef&) = delete;
    CComRef& operator=(const CComRef&) = delete;

    Interface* operator->() const { return m_p; }
    Interface* Get() const { return m_p; }
    explicit operator bool() const { return m_p != nullptr; }
    // For a call's out parameter: what the object held is released first.
    Interface** Out()
    {
        Release();
        return &m_p;
    }
    // The same, for the calls that hand back their object as IUnknown**.
    IUnknown** OutUnknown() { return reinterpret_cast<IUnknown**>(Out()); }
    void Release()
    {
        if (m_p) {
            m_p->Release();
            m_p = nullptr;
        }
    }

private:
    Interface* m_p = nullptr;
};

class CComTaskString
{
public:
    CComTaskString() = default;
    ~CComTaskString() { Free(); }
    CComTaskString(const CComTaskString&) = delete;
    CComTaskString& operator=(const CComTaskString&) = delete;

    LPWSTR* Out()
    {
        Free();
        return &m_text;
    }
    LPCWSTR Get() const { return m_text; }
    void Free()
    {
        ::CoTaskMemFree(m_text);
        m_text = nullptr;
    }

private:
    LPWSTR m_text = nullptr;
};
