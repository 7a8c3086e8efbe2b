#include "app/HotKeyTable.h"

#include "engine/automation/KeySender.h"
#include "macro/KeyNames.h"

CString CHotKeyTable::ParseHotKey(const CString& text, UINT& modifiers, UINT& virtualKey)
{
    modifiers = 0;
    virtualKey = 0;
    if (text.IsEmpty() || text == "None")
        return CString();   // "no key", never the plain key of its first letter

    const CString code = HotKeyTextToCode(text);
    CString lowered = code;
    lowered.MakeLower();

    // The key part names the key as the hot-key edit stored it, so the
    // key-name table knows every key it can store ("<F13>", "<Scroll>",
    // the keypad's "<4>"); the key sender's parser serves the rest, such as
    // the program's own "^!r".
    int keyStart = 0;
    UINT prefixModifiers = 0;
    for (; keyStart < code.GetLength(); ++keyStart) {
        const char ch = code[keyStart];
        if (ch == '^')
            prefixModifiers |= MOD_CONTROL;
        else if (ch == '+')
            prefixModifiers |= MOD_SHIFT;
        else if (ch == '!')
            prefixModifiers |= MOD_ALT;
        else if (ch == '#')
            prefixModifiers |= MOD_WIN;
        else
            break;
    }
    const CString keyName = code.Mid(keyStart);
    if (const int tableKey = keyName.IsEmpty() ? 0 : KeyNameToVirtualKey(keyName)) {
        modifiers = prefixModifiers;
        virtualKey = static_cast<UINT>(tableKey);
        return lowered;
    }

    int parsedKey = 0;
    bool shift = false, ctrl = false, alt = false, win = false;
    if (!CKeySender::ParseKeySpec(lowered, &parsedKey, &shift, &ctrl, &alt, &win))
        return CString();
    modifiers = (shift ? MOD_SHIFT : 0) | (ctrl ? MOD_CONTROL : 0) | (alt ? MOD_ALT : 0) | (win ? MOD_WIN : 0);
    virtualKey = static_cast<UINT>(parsedKey);
    return lowered;
}

BOOL CHotKeyTable::Add(const CString& text, const CString& holder)
{
    UINT modifiers = 0, virtualKey = 0;
    const CString code = ParseHotKey(text, modifiers, virtualKey);
    if (code.IsEmpty())
        return FALSE;
    Entry& entry = m_entries[std::string(code)];
    if (entry.holders.empty()) {
        entry.identifier = GlobalAddAtomA(code);
        entry.modifiers = modifiers;
        entry.virtualKey = virtualKey;
    }
    entry.holders.insert(std::string(holder));
    // A key that another program held may have been let go since.
    if (!entry.registered && entry.identifier)
        entry.registered = RegisterHotKey(m_window, entry.identifier, entry.modifiers, entry.virtualKey);
    return entry.registered;
}

BOOL CHotKeyTable::Remove(const CString& text, const CString& holder)
{
    UINT modifiers = 0, virtualKey = 0;
    const CString code = ParseHotKey(text, modifiers, virtualKey);
    auto found = m_entries.find(std::string(code));
    if (code.IsEmpty() || found == m_entries.end() || found->second.holders.erase(std::string(holder)) == 0)
        return FALSE;
    Entry& entry = found->second;
    if (entry.holders.empty()) {
        if (entry.registered)
            UnregisterHotKey(m_window, entry.identifier);
        if (entry.identifier)
            GlobalDeleteAtom(entry.identifier);
        m_entries.erase(found);
    }
    return TRUE;
}

const CHotKeyTable::Entry* CHotKeyTable::Find(const CString& text) const
{
    UINT modifiers = 0, virtualKey = 0;
    const CString code = ParseHotKey(text, modifiers, virtualKey);
    auto found = code.IsEmpty() ? m_entries.end() : m_entries.find(std::string(code));
    return found == m_entries.end() ? nullptr : &found->second;
}

UINT CHotKeyTable::IdentifierOf(const CString& text) const
{
    const Entry* entry = Find(text);
    return entry ? entry->identifier : 0;
}

BOOL CHotKeyTable::IsRegistered(const CString& text) const
{
    const Entry* entry = Find(text);
    return entry && entry->registered;
}

int CHotKeyTable::HolderCount(const CString& text) const
{
    const Entry* entry = Find(text);
    return entry ? static_cast<int>(entry->holders.size()) : 0;
}
