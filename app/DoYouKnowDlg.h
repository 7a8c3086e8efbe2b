// CDoYouKnowDlg: the tips dialog of the main window's first showing. It
// shows a random tip of tips.txt (in the program's folder, one tip per
// line), the next one at each Next Tip, and answers whether the tips are to
// be shown again: not when "Do not show this again" was ticked.
#pragma once

#include "controls/TextDispCtrl.h"
#include "framework/Ui.h"
#include "res/resource.h"

#include <vector>

// A number of low..high, both included, from the run-time library's rand.
int RandomInRange(int low, int high);

class CDoYouKnowDlg : public CDialog
{
public:
    enum { IDD = IDD_DO_YOU_KNOW };

    explicit CDoYouKnowDlg(CWnd* parent = nullptr);

    // Reads tips.txt; TRUE when it gave at least one tip.
    BOOL LoadTips();
    // Reads the tips of another file (LoadTips reads the program's own).
    BOOL LoadTipsFrom(const CString& path);

    // After the dialog has run: 1 when the tips are to be shown again, 0 not.
    int GetShowAgain() const { return m_showAgain; }
    // The tip on show, and the text shown for it.
    int GetTipIndex() const { return m_tipIndex; }
    CString GetShownText() const { return m_shownText; }

protected:
    BOOL OnInitDialog() override;
    void OnCancel() override;

    afx_msg void OnNextTip();

    DECLARE_MESSAGE_MAP()

private:
    void ShowTip();

    std::vector<CString> m_tips;
    int m_tipIndex = 0;
    CTextDispCtrl m_text;
    CString m_shownText;
    int m_showAgain = 1;
};
