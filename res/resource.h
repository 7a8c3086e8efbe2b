// Resource numbers of Kestrune.exe (Kestrune.rc). The dialog, icon, bitmap
// and control numbers are fixed: other programs and the schedule's jobs do
// not see them, but macro files, saved column layouts and the art do.
#pragma once

// Dialog templates
#define IDD_PANDREL_DIALOG      102

// Icons, bitmaps, cursors and menus
#define IDR_MAINFRAME           128     // the application icon
#define IDR_TRAY_MENU           129
#define IDI_TRAY                131
#define IDB_BACKGROUND          132
#define IDI_BUTTON_RUN          133
#define IDI_BUTTON_ADD          134
#define IDI_BUTTON_EDIT         135
#define IDI_BUTTON_HELP         136
#define IDI_BUTTON_OPTIONS      137
#define IDI_BUTTON_REMOVE       138
#define IDC_LINK_HAND           143     // the cursor over links
#define IDI_BUTTON_SCHEDULE     195
#define IDI_BUTTON_RECORD       207

// Controls of the main window
#define IDC_SCHEDULE            999
#define IDC_MACRO_LIST          1001
#define IDC_RUN                 1002
#define IDC_OPTIONS             1003
#define IDC_HELP_BUTTON         1004
#define IDC_ADD                 1005
#define IDC_EDIT                1006
#define IDC_REMOVE              1007
#define IDC_RECORD              1009
#define IDC_FEEDBACK            1135
#define IDC_SHARE               1148

// The schedule wizard and the schedule list
#include "res/ScheduleResource.h"

// The options, tips, About and share dialogs
#include "res/OptionsHelpShare.h"

// The reusable controls' templates and pane art
#include "res/ControlsResource.h"

// The macro editor and its step editors
#include "res/EditorResource.h"

// The recording dialog
#include "res/RecorderResource.h"

// The action picker and its settings dialogs
#include "res/ActionPickerResource.h"
