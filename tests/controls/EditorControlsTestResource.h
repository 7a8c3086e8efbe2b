// Resource ids of the tests of the editor's controls: the hot-key and
// numeric edits, and a dialog with a column of panes.
#pragma once

#define IDD_KEY_EDITS 20000
#define IDD_NUM_EDITS 20001
#define IDD_PANE_HOST 20002
#define IDD_PANE_BODY_SHORT 20003
#define IDD_PANE_BODY_TALL 20004
#define IDD_SKINNED_POPUP 20005

#define IDC_HOT_KEY_EDIT 20010
#define IDC_PLAIN_KEY_EDIT 20011
#define IDC_KEY_SAVE 20012

#define IDC_NUM_EDIT 20020
#define IDC_NUM_SPIN 20021
#define IDC_PLAIN_BUDDY 20022
#define IDC_PLAIN_SPIN 20023
