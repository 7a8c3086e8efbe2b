// CColorPickerDlg: "Pick color" (template 201) picks a colour for a colour
// condition: the user drags the pick icon over the screen and lets go on
// the colour (Escape ends the drag where it is), or chooses one in the
// standard colour dialog. The caller reads the colour after IDOK, and the
// point it was picked at when the user ticked "Check to add position for
// picked color".
#pragma once

#include "controls/ImageStatic.h"
#include "framework/Ui.h"
#include "res/resource.h"

class CColorPickerDlg : public CDialog
{
public:
    enum { IDD = IDD_COLOR_PICKER };

    explicit CColorPickerDlg(CWnd* parent = nullptr) : CDialog(IDD, parent) {}

    COLORREF GetColor() const { return m_color; }
    BOOL GetAddPosition() const { return m_addPosition != 0; }
    // The screen point of the last colour picked by dragging.
    POINT GetPickedPoint() const { return { m_pickedX, m_pickedY }; }

    // Ends a drag: lets the mouse go and shows the arrow again.
    virtual void EndPick();

    BOOL PreTranslateMessage(MSG* msg) override;

protected:
    void DoDataExchange(CDataExchange* dx) override;
    BOOL OnInitDialog() override;

    afx_msg void OnLButtonDown(UINT flags, CPoint point);
    afx_msg void OnMouseMove(UINT flags, CPoint point);
    afx_msg void OnLButtonUp(UINT flags, CPoint point);
    afx_msg void OnGetStandardColor();
    afx_msg HBRUSH OnCtlColor(CDC* dc, CWnd* wnd, UINT ctlColor);

    DECLARE_MESSAGE_MAP()

private:
    // Shows the colour: the swatch and its decimal and hexadecimal texts.
    void ShowColor();

    CStatic m_swatch;
    CImageStatic m_pickIcon;
    CEdit m_positionEdit;
    int m_addPosition = 0;
    COLORREF m_color = 0;
    int m_capturing = 0;
    HCURSOR m_pickCursor = nullptr;
    int m_pickedX = 0;
    int m_pickedY = 0;
    CBrush m_swatchBrush;   // the colour, once one is shown
};
