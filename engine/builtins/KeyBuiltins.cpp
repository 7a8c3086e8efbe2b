// Key builtins: SEND types a key string, BLOCKINPUT holds the user's input
// back, and KEYSEND, KEYDOWN and KEYUP send one key named as in step lines
// ("<F1>", "a").
#include "engine/ScriptEngine.h"

#include "engine/NumberConversion.h"
#include "engine/WindowSearch.h"
#include "macro/KeyNames.h"

int CPandrel_Script::BuiltinSend(CVariantList& args, CEngineVariant&)
{
    const CEngineString keys(args.GetItem(0).GetString());
    if (args.GetItem(1).GetInt() != 0)
        m_keySender.SendRaw(keys, nullptr);
    else
        m_keySender.SendKeys(keys, nullptr);
    return 0;
}

int CPandrel_Script::BuiltinBlockInput(CVariantList& args, CEngineVariant&)
{
    // Bound at run time: systems without it simply do not block.
    typedef BOOL(WINAPI * BlockInputProc)(BOOL);
    const HMODULE user32 = GetModuleHandleA("user32.dll");
    const BlockInputProc blockInput =
        user32 ? reinterpret_cast<BlockInputProc>(reinterpret_cast<void*>(GetProcAddress(user32, "BlockInput")))
               : nullptr;
    if (blockInput)
        blockInput(args.GetItem(0).GetInt() != 0 ? TRUE : FALSE);
    return 0;
}

int CPandrel_Script::BuiltinKeySend(CVariantList& args, CEngineVariant& result)
{
    return SendNamedKey(args, result, kNamedKeyPress);
}

int CPandrel_Script::BuiltinKeyDown(CVariantList& args, CEngineVariant& result)
{
    return SendNamedKey(args, result, kNamedKeyDown);
}

int CPandrel_Script::BuiltinKeyUp(CVariantList& args, CEngineVariant& result)
{
    return SendNamedKey(args, result, kNamedKeyUp);
}

int CPandrel_Script::SendNamedKey(CVariantList& args, CEngineVariant& result, NamedKeyAction action)
{
    const CEngineString title(args.GetItem(0).GetString());
    const CEngineString text(args.GetItem(1).GetString());
    const CEngineString control(args.GetItem(2).GetString());
    if (!FindControl(title, text, control)) {
        result.SetInt(0);
        return 0;
    }
    // A name that is no key name sends nothing (0 is no key).
    const int vk = KeyNameToVirtualKey(CString(args.GetItem(3).GetString()));
    if (vk == 0) {
        result.SetInt(0);
        SetError(1);
        return 0;
    }
    const HWND window = m_foundWindow;
    AttachToWindowThread(window, true);
    if (action == kNamedKeyDown) {
        m_keySender.KeyDown(vk);
    } else if (action == kNamedKeyUp) {
        m_keySender.KeyUp(vk);
    } else {
        // No count, or an empty one, presses the key once.
        const char* countText = args.GetCount() >= 5 ? args.GetItem(4).GetString() : "";
        const int count = countText[0] ? ReadDecimalInteger(countText) : 1;
        for (int i = 0; i < count; ++i)
            m_keySender.KeyPress(vk);
    }
    AttachToWindowThread(window, false);
    return 0;
}
