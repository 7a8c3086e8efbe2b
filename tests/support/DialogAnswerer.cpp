#include "tests/support/DialogAnswerer.h"

#include "tests/support/DialogWindows.h"

#include <algorithm>

namespace testing_support {

namespace {

BOOL CALLBACK CollectStaticText(HWND child, LPARAM param)
{
    if (ClassName(child) == "Static") {
        std::string text = WindowText(child);
        if (!text.empty()) {
            std::string& all = *reinterpret_cast<std::string*>(param);
            if (!all.empty())
                all += "\n";
            all += text;
        }
    }
    return TRUE;
}

}  // namespace

DialogAnswerer::DialogAnswerer(int button, DWORD delayMs, const std::vector<HWND>& ignore)
    : m_button(button), m_delayMs(delayMs), m_answered(ignore), m_thread([this] { Watch(); })
{
}

DialogAnswerer::~DialogAnswerer()
{
    m_stop = true;
    m_thread.join();
}

void DialogAnswerer::Watch()
{
    while (!m_stop) {
        for (HWND dialog : VisibleDialogsOfThisProcess()) {
            bool known;
            {
                std::lock_guard<std::mutex> lock(m_mutex);
                known = std::find(m_answered.begin(), m_answered.end(), dialog) != m_answered.end();
            }
            if (!known)
                Answer(dialog);
        }
        Sleep(20);
    }
}

void DialogAnswerer::Answer(HWND dialog)
{
    if (m_delayMs)
        Sleep(m_delayMs);
    Seen seen;
    seen.caption = WindowText(dialog);
    EnumChildWindows(dialog, CollectStaticText, reinterpret_cast<LPARAM>(&seen.text));
    seen.style = static_cast<DWORD>(GetWindowLongA(dialog, GWL_STYLE));
    seen.exStyle = static_cast<DWORD>(GetWindowLongA(dialog, GWL_EXSTYLE));
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_answered.push_back(dialog);
        m_seen.push_back(seen);
    }
    HWND control = GetDlgItem(dialog, m_button);
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(m_button, BN_CLICKED), reinterpret_cast<LPARAM>(control));
}

std::vector<DialogAnswerer::Seen> DialogAnswerer::Dialogs() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_seen;
}

bool DialogAnswerer::WaitFor(size_t count, DWORD timeoutMs) const
{
    DWORD start = GetTickCount();
    for (;;) {
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            if (m_seen.size() >= count)
                return true;
        }
        if (GetTickCount() - start >= timeoutMs)
            return false;
        Sleep(10);
    }
}

}  // namespace testing_support
