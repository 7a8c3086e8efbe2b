// What the control tests share: a test dialog in front with the mouse out
// of the way, and moving the mouse over a control.
#pragma once

#include "framework/Ui.h"
#include "tests/support/WindowCapture.h"

#include <gtest/gtest.h>

#include <string>

namespace control_tests {

// Shows the dialog in front, with its painting done.
void ShowInFront(CWnd& dialog);
// Moves the mouse where no test window is.
void ParkMouse();
void ReleaseMouseButton();
// Moves the mouse over the window's centre (or a client point) and lets
// the window react.
void HoverOver(HWND hwnd);
void HoverAt(HWND hwnd, int x, int y);
// A window's text.
std::string TextOf(CWnd& wnd);
// Puts the text on the clipboard, for a paste.
void SetClipboardText(const std::string& text);
std::string ClipboardText();

// The pixels of a control's client area as drawn.
inline testing_support::WindowCapture Picture(CWnd& control)
{
    return testing_support::WindowCapture::OfClient(control.m_hWnd);
}

// A test with its dialog (modeless, from template `id`) shown in front.
template <class Dialog, UINT id>
class DialogTest : public testing::Test
{
protected:
    void SetUp() override
    {
        ParkMouse();
        ASSERT_TRUE(m_dlg.Create(id));
        ShowInFront(m_dlg);
    }
    void TearDown() override
    {
        ReleaseMouseButton();   // a test that failed while pressing it
        m_dlg.DestroyWindow();
    }

    Dialog m_dlg;
};

}  // namespace control_tests
