// Resource ids of the framework's window tests.
#pragma once

#define IDD_DATA_EXCHANGE 100
#define IDD_MODAL 101
#define IDD_PARENT 102
#define IDD_VISIBLE 103

#define IDC_NAME 1001
#define IDC_COUNT 1002
#define IDC_UNSIGNED 1003
#define IDC_CHECK 1004
#define IDC_RADIO1 1005
#define IDC_RADIO2 1006
#define IDC_RADIO3 1007
#define IDC_LIST_COMBO 1008
#define IDC_EDIT_COMBO 1009
#define IDC_EDIT 1010
#define IDC_BUTTON1 1011
#define IDC_BUTTON2 1012
#define IDC_LABEL 1013
#define IDC_OWNERDRAW 1014
#define IDC_SECOND_EDIT 1015
