// Resource numbers of the action picker and its two settings dialogs
// (ActionPicker.rc), which the recording page opens with "Select Action".
#pragma once

// Dialog templates
#define IDD_TASK_SELECT         212     // "Select Action"
#define IDD_TASK_RUN_EXE        215     // "Run program/open document"
#define IDD_TASK_SHUTDOWN       219     // "Shut Down/Log Off"

// The pictures of the picker's actions (16 x 16, in this order in its
// image list)
#define IDB_TASK_PROGRAM        213
#define IDB_TASK_DOCUMENT       214
#define IDB_TASK_SHUTDOWN       218

// The picker (212)
#define IDC_TASK_TREE           1144

// The run-program settings (215)
#define IDC_RUN_WAIT            1096
#define IDC_BROWSE_PROGRAM      1120
#define IDC_BROWSE_FOLDER       1121
#define IDC_RUN_PARAMETERS      1145
#define IDC_RUN_PROGRAM         1146
#define IDC_RUN_WINDOW          1147
#define IDC_RUN_FOLDER          1148

// The shut-down settings (219)
#define IDC_SHUTDOWN_POWER_OFF  1041
#define IDC_SHUTDOWN_RESTART    1042
#define IDC_SHUTDOWN_LOG_OFF    1043
#define IDC_SHUTDOWN_PLAIN      1149

#ifndef IDC_STATIC
#define IDC_STATIC              (-1)
#endif
