// Key builtins: SEND types a key string, BLOCKINPUT holds the user's input
// back, and KEYSEND, KEYDOWN and KEYUP send one key named as in step lines
// ("<F1>", "a").
#include "engine/builtins/BuiltinFamily.h"

#include "engine/NumberConversion.h"
#include "engine/automation/WindowThreads.h"
#include "macro/KeyNames.h"

namespace {

int BuiltinSend(BuiltinContext& context, CVariantList& args, CEngineVariant& result)
{
    const CEngineString keys(args.GetItem(0).GetString());
    if (args.GetItem(1).GetInt() != 0)
        context.KeySender().SendRaw(keys, nullptr);
    else
        context.KeySender().SendKeys(keys, nullptr);
    return 0;
}

int BuiltinBlockInput(BuiltinContext& context, CVariantList& args, CEngineVariant& result)
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

enum NamedKeyAction { kNamedKeyPress, kNamedKeyDown, kNamedKeyUp };

// KEYSEND, KEYDOWN and KEYUP: one named key into the control (title, text, control).
int SendNamedKey(BuiltinContext& context, CVariantList& args, CEngineVariant& result, NamedKeyAction action)
{
    const CEngineString title(args.GetItem(0).GetString());
    const CEngineString text(args.GetItem(1).GetString());
    const CEngineString control(args.GetItem(2).GetString());
    CWindowSearch& search = context.WindowSearch();
    if (!search.FindControl(title, text, control)) {
        result.SetInt(0);
        return 0;
    }
    // A name that is no key name sends nothing (0 is no key).
    const int vk = KeyNameToVirtualKey(CString(args.GetItem(3).GetString()));
    if (vk == 0) {
        result.SetInt(0);
        context.SetError(1);
        return 0;
    }
    CKeySender& sender = context.KeySender();
    const HWND window = search.FoundWindow;
    AttachToWindowThread(window, true);
    if (action == kNamedKeyDown) {
        sender.KeyDown(vk);
    } else if (action == kNamedKeyUp) {
        sender.KeyUp(vk);
    } else {
        // No count, or an empty one, presses the key once.
        const char* countText = args.GetCount() >= 5 ? args.GetItem(4).GetString() : "";
        const int count = countText[0] ? ReadDecimalInteger(countText) : 1;
        for (int i = 0; i < count && context.RunGoesOn(); ++i)
            sender.KeyPress(vk);
    }
    AttachToWindowThread(window, false);
    return 0;
}

int BuiltinKeySend(BuiltinContext& context, CVariantList& args, CEngineVariant& result)
{
    return SendNamedKey(context, args, result, kNamedKeyPress);
}

int BuiltinKeyDown(BuiltinContext& context, CVariantList& args, CEngineVariant& result)
{
    return SendNamedKey(context, args, result, kNamedKeyDown);
}

int BuiltinKeyUp(BuiltinContext& context, CVariantList& args, CEngineVariant& result)
{
    return SendNamedKey(context, args, result, kNamedKeyUp);
}

const BuiltinBinding kBindings[] = {
    {"BLOCKINPUT", BuiltinBlockInput},
    {"KEYSEND", BuiltinKeySend},
    {"KEYUP", BuiltinKeyUp},
    {"KEYDOWN", BuiltinKeyDown},
    {"SEND", BuiltinSend},
};

}  // namespace

extern const BuiltinFamily kKeyBuiltins = MakeBuiltinFamily("keys", kBindings);
