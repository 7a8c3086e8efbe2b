// CNumSpinCtrl: spin arrows for a CNumEdit buddy. The buddy holds the value,
// its step and its range; each arrow click adds or takes one step. The
// arrows' own position (0 to 1000, kept at 500) only carries the clicks.
//
// Set a pair up in this order: SetBuddy, SetRange, SetPos, SetDelta.
#pragma once

#include "controls/NumEdit.h"

class CNumSpinCtrl : public CSpinButtonCtrl
{
public:
    CNumSpinCtrl() = default;

    // Each works through a CNumEdit buddy only: with another buddy, getters
    // give 0 and setters leave the buddy alone.
    virtual void SetDelta(float delta);
    virtual float GetDelta();
    // A CNumEdit buddy is set to 0.
    virtual void SetBuddy(CWnd* buddy);
    virtual CWnd* GetBuddy() const { return CSpinButtonCtrl::GetBuddy(); }
    virtual void GetRange(float& min, float& max);
    virtual void SetRange(float min, float max);
    virtual float GetPos();
    virtual void SetPos(float value);

protected:
    static const int kMiddle = 500;
    static const int kTop = 1000;

    CNumEdit* NumBuddy() const;
    afx_msg void OnDeltaPos(NMHDR* header, LRESULT* result);

    DECLARE_MESSAGE_MAP()
};
