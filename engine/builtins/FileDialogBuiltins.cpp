// The standard open, save and folder dialogs. None has an owner window, so
// they appear on their own while the script waits for the user.
#include "engine/builtins/BuiltinFamily.h"

#include "engine/builtins/BuiltinSupport.h"

#include <commdlg.h>
#include <objbase.h>
#include <shlobj.h>
#include <string.h>

#include <vector>

namespace {

const int kFileBufferSize = 65535;
const int kMaxTitle = 32767;

// At most `limit` characters of `text`.
CString Bounded(const char* text, int limit)
{
    const CString whole(text);
    return whole.GetLength() > limit ? whole.Left(limit) : whole;
}

// Runs the open (or save) dialog: 0 after a choice, 1 when cancelled, 2 for
// a filter without "(...)" (a script error).
int RunFileDialog(CVariantList& args, bool save, CString& chosen)
{
    // The filter "Texts (*.txt;*.log)": the whole text describes the
    // pattern between the brackets.
    const CString filter(args.GetItem(2).GetString());
    const int open = filter.Find('(');
    const int close = open >= 0 ? filter.Find(')', open + 1) : -1;
    if (close < 0)
        return 2;
    const CString description = Bounded(filter, MAX_PATH - 1);
    const CString pattern = Bounded(filter.Mid(open + 1, close - open - 1), MAX_PATH - 1);
    std::vector<char> filterList;
    filterList.insert(filterList.end(), description.GetString(), description.GetString() + description.GetLength() + 1);
    filterList.insert(filterList.end(), pattern.GetString(), pattern.GetString() + pattern.GetLength() + 1);
    filterList.push_back('\0');

    const CString title = Bounded(args.GetItem(0).GetString(), kMaxTitle);
    const CString folder = Bounded(args.GetItem(1).GetString(), MAX_PATH - 1);
    std::vector<char> file(kFileBufferSize, '\0');
    if (args.GetCount() > 4)
        lstrcpynA(file.data(), args.GetItem(4).GetString(), kFileBufferSize);

    DWORD flags = OFN_HIDEREADONLY | OFN_EXPLORER | OFN_NODEREFERENCELINKS;
    const int options = args.GetItem(3).GetInt();
    if (options >= 0 && options <= 31) {
        static const DWORD kOptionFlags[] = {OFN_FILEMUSTEXIST, OFN_PATHMUSTEXIST, OFN_ALLOWMULTISELECT,
                                             OFN_CREATEPROMPT, OFN_OVERWRITEPROMPT};
        for (int bit = 0; bit < 5; ++bit)
            if (options & (1 << bit))
                flags |= kOptionFlags[bit];
    }

    OPENFILENAMEA dialog = {};
    dialog.lStructSize = sizeof dialog;
    dialog.lpstrFilter = filterList.data();
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = file.data();
    dialog.nMaxFile = kFileBufferSize;
    dialog.lpstrInitialDir = folder.IsEmpty() ? nullptr : folder.GetString();
    dialog.lpstrTitle = title.IsEmpty() ? nullptr : title.GetString();
    dialog.Flags = flags;
    const BOOL ok = save ? GetSaveFileNameA(&dialog) : GetOpenFileNameA(&dialog);
    if (!ok)
        return 1;

    // Several files come as the folder and then each name, all ending in a
    // zero: they are joined with "|".
    chosen = file.data();
    if (!save && (flags & OFN_ALLOWMULTISELECT)) {
        const char* name = file.data() + chosen.GetLength() + 1;
        while (name < file.data() + kFileBufferSize && *name) {
            chosen += "|";
            chosen += name;
            name += strlen(name) + 1;
        }
    }
    return 0;
}

int FileDialogBuiltin(BuiltinContext& context, CVariantList& args, CEngineVariant& result, bool save)
{
    CString chosen;
    switch (RunFileDialog(args, save, chosen)) {
    case 2:
        context.ShowScriptError("Invalid file filter given.", -1);
        return 1;
    case 1:
        context.SetError(1);
        return 0;
    default:
        result.SetString(chosen);
        return 0;
    }
}

int BuiltinFileOpenDialog(BuiltinContext& context, CVariantList& args, CEngineVariant& result)
{
    return FileDialogBuiltin(context, args, result, false);
}

int BuiltinFileSaveDialog(BuiltinContext& context, CVariantList& args, CEngineVariant& result)
{
    return FileDialogBuiltin(context, args, result, true);
}

int BuiltinFileSelectFolder(BuiltinContext& context, CVariantList& args, CEngineVariant& result)
{
    IMalloc* allocator = nullptr;
    if (FAILED(SHGetMalloc(&allocator)) || !allocator) {
        context.SetError(1);
        return 0;
    }
    // The new dialog style needs COM on the calling thread.
    const bool comStarted = SUCCEEDED(CoInitialize(nullptr));

    const CString prompt(args.GetItem(0).GetString());
    const CString root(args.GetItem(1).GetString());
    const int options = args.GetItem(2).GetInt();
    UINT flags = (options & 1) ? BIF_NEWDIALOGSTYLE : BIF_NONEWFOLDERBUTTON;
    if (options & 2)
        flags |= BIF_NEWDIALOGSTYLE;
    if (options & 4)
        flags |= BIF_EDITBOX;

    // An empty root is the desktop.
    LPITEMIDLIST rootItem = nullptr;
    if (!root.IsEmpty()) {
        IShellFolder* desktop = nullptr;
        if (SUCCEEDED(SHGetDesktopFolder(&desktop)) && desktop) {
            std::wstring wide = BuiltinSupport::ToWide(root);
            desktop->ParseDisplayName(nullptr, nullptr, &wide[0], nullptr, &rootItem, nullptr);
            desktop->Release();
        }
    }

    char displayName[MAX_PATH] = "";
    BROWSEINFOA browse = {};
    browse.pidlRoot = rootItem;
    browse.pszDisplayName = displayName;
    browse.lpszTitle = prompt;
    browse.ulFlags = flags;
    LPITEMIDLIST chosen = SHBrowseForFolderA(&browse);
    if (chosen) {
        char path[MAX_PATH] = "";
        SHGetPathFromIDListA(chosen, path);
        result.SetString(path);
        allocator->Free(chosen);
    } else {
        result.SetString("");
        context.SetError(1);
    }
    if (rootItem)
        allocator->Free(rootItem);
    allocator->Release();
    if (comStarted)
        CoUninitialize();
    return 0;
}

const BuiltinBinding kBindings[] = {
    {"FILEOPENDIALOG", BuiltinFileOpenDialog},
    {"FILESAVEDIALOG", BuiltinFileSaveDialog},
    {"FILESELECTFOLDER", BuiltinFileSelectFolder},
};

}  // namespace

extern const BuiltinFamily kFileDialogBuiltins = MakeBuiltinFamily("file dialogs", kBindings);
