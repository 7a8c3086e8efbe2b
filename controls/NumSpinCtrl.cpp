#include "controls/NumSpinCtrl.h"

BEGIN_MESSAGE_MAP(CNumSpinCtrl, CSpinButtonCtrl)
    ON_NOTIFY_REFLECT(UDN_DELTAPOS, OnDeltaPos)
END_MESSAGE_MAP()

CNumEdit* CNumSpinCtrl::NumBuddy() const
{
    HWND buddy = reinterpret_cast<HWND>(::SendMessageA(m_hWnd, UDM_GETBUDDY, 0, 0));
    return dynamic_cast<CNumEdit*>(CWnd::FromHandlePermanent(buddy));
}

void CNumSpinCtrl::SetBuddy(CWnd* buddy)
{
    CSpinButtonCtrl::SetBuddy(buddy);
    if (CNumEdit* edit = NumBuddy())
        edit->SetValue(0);
}

void CNumSpinCtrl::SetDelta(float delta)
{
    if (CNumEdit* edit = NumBuddy())
        edit->SetDelta(delta);
}

float CNumSpinCtrl::GetDelta()
{
    CNumEdit* edit = NumBuddy();
    return edit ? edit->GetDelta() : 0.0f;
}

void CNumSpinCtrl::GetRange(float& min, float& max)
{
    min = max = 0;
    if (CNumEdit* edit = NumBuddy())
        edit->GetRange(min, max);
}

void CNumSpinCtrl::SetRange(float min, float max)
{
    SetRange32(0, kTop);
    if (CNumEdit* edit = NumBuddy())
        edit->SetRange(min, max);
}

float CNumSpinCtrl::GetPos()
{
    CNumEdit* edit = NumBuddy();
    return edit ? edit->GetValue() : 0.0f;
}

void CNumSpinCtrl::SetPos(float value)
{
    CSpinButtonCtrl::SetPos(kMiddle);
    if (CNumEdit* edit = NumBuddy())
        edit->SetValue(value);
}

void CNumSpinCtrl::OnDeltaPos(NMHDR* header, LRESULT* result)
{
    NMUPDOWN* updown = reinterpret_cast<NMUPDOWN*>(header);
    if (CNumEdit* edit = NumBuddy())
        edit->ChangeValue(updown->iDelta);
    // The arrows' own position stays in the middle, so that they never stop
    // at an end of it, and never writes itself into the buddy (as it would
    // with UDS_SETBUDDYINT).
    *result = 1;
}
