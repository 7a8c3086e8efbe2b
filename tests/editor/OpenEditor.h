// The fixture of the step editors' tests: the macro editor open in front
// with all its panes, the way to press a pane's buttons, and its step list
// read back.
#pragma once

#include "app/editor/InputRobotDlg.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace editor_tests {

class OpenEditor : public testing::Test
{
protected:
    // Waits until no program holds the keys that the panes and the path
    // measurer take (one that a test before this one held may take a moment
    // to be let go), then opens the editor in front.
    void SetUp() override;
    void TearDown() override { m_editor.DestroyWindow(); }

    static void Click(HWND page, int button);
    // Runs the editor's messages until the control shows the text.
    static bool PumpUntilText(HWND page, int id, const std::string& text);
    std::vector<std::string> Steps() const;

    // The caption bar just above a pane's body, in the column.
    static HWND CaptionAbove(HWND body);
    // Opens a collapsed pane by a click on its caption bar; whether its body
    // then shows at the full height of its template (in dialog units).
    static bool ExpandPane(HWND body, int templateHeight);

    CWinApp m_app{ "Brenvik Kestrune" };
    CInputRobotDlg m_editor;
};

}  // namespace editor_tests
