// Shell shortcuts (.lnk files) through the shell's link object.
#include "engine/builtins/BuiltinFamily.h"

#include "engine/builtins/BuiltinSupport.h"
#include "engine/support/PathHelpers.h"

#include <objbase.h>
#include <shlobj.h>

namespace {

// The link file's name: ".lnk" is added unless it is there already.
CString LinkFileName(const char* name)
{
    CString link(name);
    if (link.GetLength() < 4 || link.Right(4).CompareNoCase(".lnk") != 0)
        link += ".lnk";
    return link;
}

// COM for the calling thread for the time of one builtin, and the shell
// link object with its file interface.
class ShortcutObject
{
public:
    ShortcutObject()
    {
        const HRESULT init = CoInitialize(nullptr);
        m_comStarted = SUCCEEDED(init);
        if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                       reinterpret_cast<void**>(&m_link))))
            m_link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&m_file));
    }
    ~ShortcutObject()
    {
        if (m_file)
            m_file->Release();
        if (m_link)
            m_link->Release();
        if (m_comStarted)
            CoUninitialize();
    }
    ShortcutObject(const ShortcutObject&) = delete;
    ShortcutObject& operator=(const ShortcutObject&) = delete;

    bool IsReady() const { return m_link && m_file; }
    IShellLinkA* operator->() const { return m_link; }
    bool Save(const char* path) { return SUCCEEDED(m_file->Save(BuiltinSupport::ToWide(path).c_str(), TRUE)); }
    bool Load(const char* path) { return SUCCEEDED(m_file->Load(BuiltinSupport::ToWide(path).c_str(), STGM_READ)); }

private:
    bool m_comStarted = false;
    IShellLinkA* m_link = nullptr;
    IPersistFile* m_file = nullptr;
};

int BuiltinFileCreateShortcut(BuiltinContext& context, CVariantList& args, CEngineVariant& result)
{
    const int count = args.GetCount();
    const CString target(args.GetItem(0).GetString());
    const CString link = LinkFileName(args.GetItem(1).GetString());
    ShortcutObject shortcut;
    if (!shortcut.IsReady()) {
        result.SetInt(0);
        return 0;
    }
    shortcut->SetPath(target);
    if (count > 2)
        shortcut->SetWorkingDirectory(args.GetItem(2).GetString());
    if (count > 3)
        shortcut->SetArguments(args.GetItem(3).GetString());
    if (count > 4)
        shortcut->SetDescription(args.GetItem(4).GetString());
    const CString iconFile(args.GetItem(5).GetString());
    if (count > 5)
        shortcut->SetIconLocation(iconFile, 0);
    if (count > 6 && args.GetItem(6).GetStringLength() > 0) {
        // A shortcut's hot key is always Ctrl+Alt, with Shift when the code has it.
        int vk = 0;
        bool shift = false, ctrl = false, alt = false, win = false;
        if (CKeySender::ParseKeySpec(args.GetItem(6).GetString(), &vk, &shift, &ctrl, &alt, &win)) {
            const BYTE modifiers = HOTKEYF_CONTROL | HOTKEYF_ALT | (shift ? HOTKEYF_SHIFT : 0);
            shortcut->SetHotkey(MAKEWORD(vk, modifiers));
        }
    }
    if (count > 7)
        shortcut->SetIconLocation(iconFile, args.GetItem(7).GetInt());
    if (count > 8)
        shortcut->SetShowCmd(args.GetItem(8).GetInt());
    if (!shortcut.Save(link))
        result.SetInt(0);
    return 0;
}

int BuiltinFileGetShortcut(BuiltinContext& context, CVariantList& args, CEngineVariant& result)
{
    const CString link = LinkFileName(args.GetItem(0).GetString());
    context.SetError(1);
    if (!EngineSupport::FileExistsPattern(link))
        return 0;
    ShortcutObject shortcut;
    if (!shortcut.IsReady() || !shortcut.Load(link))
        return 0;

    char target[MAX_PATH] = "", folder[MAX_PATH] = "", arguments[MAX_PATH] = "";
    char description[MAX_PATH] = "", iconFile[MAX_PATH] = "";
    int iconIndex = 0, showCommand = 0;
    shortcut->GetPath(target, MAX_PATH, nullptr, 0);
    shortcut->GetWorkingDirectory(folder, MAX_PATH);
    shortcut->GetArguments(arguments, MAX_PATH);
    shortcut->GetDescription(description, MAX_PATH);
    shortcut->GetIconLocation(iconFile, MAX_PATH, &iconIndex);
    shortcut->GetShowCmd(&showCommand);

    BuiltinSupport::MakeArray(result, 7);
    const char* const texts[] = {target, folder, arguments, description, iconFile};
    for (int i = 0; i < 5; ++i)
        BuiltinSupport::ArrayElement(result, i)->SetString(texts[i]);
    BuiltinSupport::ArrayElement(result, 5)->SetInt(iconIndex);
    BuiltinSupport::ArrayElement(result, 6)->SetInt(showCommand);
    context.SetError(0);
    return 0;
}

const BuiltinBinding kBindings[] = {
    {"FILECREATESHORTCUT", BuiltinFileCreateShortcut},
    {"FILEGETSHORTCUT", BuiltinFileGetShortcut},
};

}  // namespace

extern const BuiltinFamily kShortcutBuiltins = MakeBuiltinFamily("shortcuts", kBindings);
