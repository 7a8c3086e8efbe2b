// Message boxes (with an optional time-out), the balloon tip, and the title
// of the engine's window. The engine has no window of its own: its boxes
// have no owner, and the title pair sets and reads nothing.
#include "engine/builtins/BuiltinFamily.h"

#include "base/OsVersion.h"
#include "engine/builtins/NotifySystem.h"
#include "engine/support/TextHelpers.h"
#include "engine/support/TimedMessageBox.h"

NotifyIconCall& NotifyIconSender()
{
    static NotifyIconCall send = Shell_NotifyIconA;
    return send;
}

namespace {

// The icon that the balloon tips come from: the program's own icon (or the
// system's application icon) in the notification area, under a hidden
// window of the engine's thread, added on the first tip and removed with
// the engine.
class BalloonIcon : public BuiltinFamilyState
{
public:
    ~BalloonIcon() override
    {
        if (m_added) {
            NOTIFYICONDATAA data = Data();
            NotifyIconSender()(NIM_DELETE, &data);
        }
        if (m_window)
            DestroyWindow(m_window);
    }

    // The data of the icon, zeroed but for its identity.
    NOTIFYICONDATAA Data() const
    {
        NOTIFYICONDATAA data = {};
        data.cbSize = sizeof data;
        data.hWnd = m_window;
        data.uID = 1;
        return data;
    }

    void EnsureAdded()
    {
        if (!m_window)
            m_window = CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, nullptr, nullptr, GetModuleHandleA(nullptr),
                                       nullptr);
        if (m_added)
            return;
        NOTIFYICONDATAA data = Data();
        data.uFlags = NIF_ICON;
        data.hIcon = LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(128));   // the program's icon
        if (!data.hIcon)
            data.hIcon = LoadIconA(nullptr, IDI_APPLICATION);
        m_added = NotifyIconSender()(NIM_ADD, &data) != FALSE;
    }

private:
    HWND m_window = nullptr;
    bool m_added = false;
};

int BuiltinMsgBox(BuiltinContext&, CVariantList& args, CEngineVariant& result)
{
    const UINT type = static_cast<UINT>(args.GetItem(0).GetInt()) | MB_SETFOREGROUND;
    const CString title = args.GetItem(1).GetString();
    const CString text = args.GetItem(2).GetString();
    if (args.GetCount() > 3) {
        const double seconds = args.GetItem(3).GetNumber();
        const DWORD timeoutMs = seconds > 0 ? static_cast<DWORD>(seconds * 1000.0) : 0;
        result.SetInt(EngineSupport::MessageBoxWithTimeout(nullptr, text, title, type, timeoutMs));
    } else {
        result.SetInt(MessageBoxA(nullptr, text, title, type));
    }
    return 0;
}

int BuiltinTrayTip(BuiltinContext& context, CVariantList& args, CEngineVariant&)
{
    if (!g_OsVersion.Is2000OrLater)
        return 0;
    BalloonIcon& icon = context.FamilyState<BalloonIcon>();
    icon.EnsureAdded();
    NOTIFYICONDATAA data = icon.Data();
    data.uFlags = NIF_INFO;
    EngineSupport::CopyStringBounded(data.szInfoTitle, args.GetItem(0).GetString(), sizeof data.szInfoTitle);
    EngineSupport::CopyStringBounded(data.szInfo, args.GetItem(1).GetString(), sizeof data.szInfo);
    const int seconds = args.GetItem(2).GetInt();
    data.uTimeout = seconds > 0 ? static_cast<UINT>(seconds) * 1000 : 0;
    data.dwInfoFlags = args.GetCount() > 3 ? static_cast<DWORD>(args.GetItem(3).GetInt()) : 0;
    NotifyIconSender()(NIM_MODIFY, &data);
    return 0;
}

// The engine's window is empty: nothing to set, and its title is empty.
int BuiltinWinSetTitle(BuiltinContext&, CVariantList&, CEngineVariant&)
{
    return 0;
}

int BuiltinWinGetTitle(BuiltinContext&, CVariantList&, CEngineVariant& result)
{
    result.SetString("");
    return 0;
}

const BuiltinBinding kBindings[] = {
    {"MSGBOX", BuiltinMsgBox},
    {"ORVEXWINGETTITLE", BuiltinWinGetTitle},
    {"ORVEXWINSETTITLE", BuiltinWinSetTitle},
    {"TRAYTIP", BuiltinTrayTip},
};

}  // namespace

extern const BuiltinFamily kMessageBuiltins = MakeBuiltinFamily("message boxes", kBindings);
