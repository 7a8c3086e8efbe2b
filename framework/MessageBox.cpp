#include "framework/MessageBox.h"

#include "framework/String.h"

namespace {

CString& AppName()
{
    static CString name;
    if (name.IsEmpty()) {
        char path[MAX_PATH];
        DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
        CString file(path, static_cast<int>(length < sizeof path ? length : 0));
        file = file.Mid(file.ReverseFind('\\') + 1);
        int dot = file.ReverseFind('.');
        name = dot < 0 ? file : file.Left(dot);
    }
    return name;
}

}  // namespace

LPCSTR AfxGetAppName()
{
    return AppName();
}

void AfxSetAppName(LPCSTR title)
{
    AppName() = title;
}

int AfxMessageBox(LPCSTR text, UINT type, UINT)
{
    return MessageBoxA(GetActiveWindow(), text, AfxGetAppName(), type);
}
