// CChildDialog: a dialog that lives as a page inside another window (a
// page of a wizard, say). Enter and Escape inside the page close nothing:
// its OK and Cancel do nothing, and only its owner ends it.
#pragma once

#include "framework/Ui.h"

class CChildDialog : public CDialog
{
public:
    explicit CChildDialog(UINT templateId, CWnd* parent = nullptr) : CDialog(templateId, parent) {}

protected:
    void OnOK() override {}
    void OnCancel() override {}
};
