// CHotKeyTable: the global hot keys that one window holds. A key is named
// by its HotKeyText ("Ctrl + Alt + <F13>") or its code ("^!r"); its
// identifier is the global atom of the lower-cased code, so texts that give
// the same code share one registration.
//
// Several holders may need one key: macros may share an end key, and a
// macro's start key may equal another's. The table keeps, for each key, the
// set of its holders (named by the caller) and registers the key with the
// system while that set is not empty, so that one holder letting go never
// takes the key from another. Adding a holder twice, or removing one that
// is not there, changes nothing.
#pragma once

#include "framework/String.h"

#include <windows.h>

#include <map>
#include <set>
#include <string>

class CHotKeyTable
{
public:
    void SetWindow(HWND window) { m_window = window; }

    // The lower-cased code of a hot-key text with its MOD_ flags and
    // virtual key; empty when the text names no key ("None", empty, or a
    // key that is neither in the key-name table nor understood by the key
    // sender).
    static CString ParseHotKey(const CString& text, UINT& modifiers, UINT& virtualKey);

    // Makes `holder` a holder of the key and registers the key when it is
    // not registered yet. TRUE when the key is registered afterwards.
    BOOL Add(const CString& text, const CString& holder);
    // Takes `holder` off the key; the last holder's going unregisters it.
    // TRUE when the holder was one.
    BOOL Remove(const CString& text, const CString& holder);

    // The identifier under which the key is registered (WM_HOTKEY's wParam);
    // 0 when no holder holds it.
    UINT IdentifierOf(const CString& text) const;
    // Whether the system registration succeeded (another program may hold
    // the key) and how many holders the key has.
    BOOL IsRegistered(const CString& text) const;
    int HolderCount(const CString& text) const;

private:
    struct Entry
    {
        ATOM identifier = 0;
        BOOL registered = FALSE;
        UINT modifiers = 0;
        UINT virtualKey = 0;
        std::set<std::string> holders;
    };

    const Entry* Find(const CString& text) const;

    HWND m_window = nullptr;
    std::map<std::string, Entry> m_entries;   // by lower-cased code
};
