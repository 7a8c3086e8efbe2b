// CRobotRepeatOption: "Macro Repeat Options" (template 140): run the macro
// a number of times, or until its end key is pressed.
#pragma once

#include "controls/NumEdit.h"
#include "controls/NumSpinCtrl.h"
#include "framework/Ui.h"
#include "res/resource.h"

class CRobotRepeatOption : public CDialog
{
public:
    enum { IDD = IDD_REPEAT_OPTION };

    explicit CRobotRepeatOption(CWnd* parent = nullptr) : CDialog(IDD, parent) {}

    int m_nOption = 0;   // 0: m_nCount times; 1: until the end key
    int m_nCount = 1;

protected:
    void DoDataExchange(CDataExchange* dx) override;
    BOOL OnInitDialog() override;
    void OnOK() override;

private:
    CNumEdit m_countEdit;
    CNumSpinCtrl m_countSpin;
};
