#include "app/editor/StepLinks.h"

#include "res/resource.h"

#include <shellapi.h>

namespace {

// The maker's help pages of the steps.
const char kStepHelpPage[] = "https://www.brenvik.example/support/step_help.html";

}  // namespace

void StyleStepLink(CLabel& link)
{
    link.SetTransparent(TRUE)
        .SetFontName("Tahoma")
        .SetFontSize(10)
        .SetTextColor(0xFF0005)
        .SetFontUnderline(TRUE)
        .SetLink(TRUE, TRUE)
        .SetLinkCursor(AfxGetApp()->LoadCursor(IDC_LINK_HAND));
}

void OpenStepHelp(CWnd* owner, const char* fragment)
{
    const CString address = CString(kStepHelpPage) + fragment;
    HINSTANCE started = ::ShellExecuteA(::GetDesktopWindow(), "open", address, nullptr, nullptr, SW_SHOWNORMAL);
    if (reinterpret_cast<INT_PTR>(started) <= 32)
        owner->MessageBox("Unable to load web " + address + ".", nullptr, MB_OK);
}
