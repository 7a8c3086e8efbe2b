#include "tests/support/DialogDriver.h"

#include "tests/support/DialogWindows.h"

namespace testing_support {

namespace {

const DWORD kAppearTimeout = 10000;
const DWORD kSettleTime = 300;
const DWORD kCloseTimeout = 5000;

HWND FindDialog(const std::string& caption)
{
    for (HWND dialog : VisibleDialogsOfThisProcess())
        if (WindowText(dialog) == caption)
            return dialog;
    return nullptr;
}

struct DescendantSearch
{
    const char* className;
    HWND found;
};

BOOL CALLBACK MatchClass(HWND child, LPARAM param)
{
    DescendantSearch& search = *reinterpret_cast<DescendantSearch*>(param);
    if (ClassName(child) != search.className)
        return TRUE;
    search.found = child;
    return FALSE;
}

}  // namespace

DialogDriver::DialogDriver(const std::string& caption, std::function<void(HWND)> steps)
    : m_caption(caption), m_steps(std::move(steps)), m_thread([this] { Drive(); })
{
}

DialogDriver::~DialogDriver()
{
    Finish();
}

bool DialogDriver::Finish()
{
    if (!m_finished) {
        m_thread.join();
        m_finished = true;
    }
    return m_found;
}

void DialogDriver::Drive()
{
    HWND dialog = nullptr;
    const DWORD start = GetTickCount();
    while (!(dialog = FindDialog(m_caption)) && GetTickCount() - start < kAppearTimeout)
        Sleep(20);
    if (!dialog)
        return;
    m_found = true;
    Sleep(kSettleTime);
    m_steps(dialog);
    const DWORD stepsDone = GetTickCount();
    while (IsWindow(dialog) && GetTickCount() - stepsDone < kCloseTimeout)
        Sleep(20);
    if (IsWindow(dialog))
        PressDialogButton(dialog, IDCANCEL);
}

void TypeIntoDialogItem(HWND dialog, int id, const char* text)
{
    SendMessageA(GetDlgItem(dialog, id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
}

void PressDialogButton(HWND dialog, int id)
{
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

HWND FindDialogDescendant(HWND dialog, const char* className)
{
    DescendantSearch search = {className, nullptr};
    EnumChildWindows(dialog, MatchClass, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

}  // namespace testing_support
