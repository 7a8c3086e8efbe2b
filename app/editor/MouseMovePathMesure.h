// CMouseMovePathMesure: "Measure Path" (template 200) measures the distance
// between two screen points for a relative mouse move. The user holds the
// cursor over a point and presses Ctrl+Alt+1 to store it as point 1, then
// Ctrl+Alt+2 for point 2; the texts follow the cursor while a point is not
// stored yet.
#pragma once

#include "framework/Ui.h"
#include "res/resource.h"

class CMouseMovePathMesure : public CDialog
{
public:
    enum { IDD = IDD_PATH_MEASURE };
    enum { IDT_CURSOR = 1 };

    explicit CMouseMovePathMesure(CWnd* parent = nullptr) : CDialog(IDD, parent) {}

    // Point 2 minus point 1 when both are stored, otherwise 0.
    int GetDeltaX() const { return m_point1Stored && m_point2Stored ? m_x2 - m_x1 : 0; }
    int GetDeltaY() const { return m_point1Stored && m_point2Stored ? m_y2 - m_y1 : 0; }

protected:
    void DoDataExchange(CDataExchange* dx) override;
    BOOL OnInitDialog() override;

    afx_msg void OnTimer(UINT_PTR id);
    afx_msg void OnHotKey(UINT identifier, UINT modifiers, UINT virtualKey);
    afx_msg void OnDestroy();

    DECLARE_MESSAGE_MAP()

private:
    void StorePoint(int which);
    void ShowTexts();

    CString m_point1Text;
    CString m_point2Text;
    CString m_relativeText;
    UINT_PTR m_timer = 0;
    BOOL m_point1Stored = FALSE;
    BOOL m_point2Stored = FALSE;
    int m_x1 = 0, m_y1 = 0;
    int m_x2 = 0, m_y2 = 0;
};
