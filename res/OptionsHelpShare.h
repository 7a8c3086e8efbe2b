// Resource numbers of the options dialog, the tips dialog, the About box and
// the share dialog (OptionsHelpShare.rc).
#pragma once

#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif

// Dialog templates
#define IDD_ABOUTBOX                130
#define IDD_ROBOT_UPLOAD            161
#define IDD_OPTIONS                 197
#define IDD_DO_YOU_KNOW             208

// The options dialog
#define IDC_EXPORT_MACROS           1111
#define IDC_IMPORT_MACROS           1112
#define IDC_START_ADVANCED_INPUT    1120

// The tips dialog
#define IDC_TIP_TEXT                1000    // the text display, made at run time
#define IDC_TIP_AREA                1081    // hidden: gives the text's rectangle
#define IDC_NEXT_TIP                1138
#define IDC_DONT_SHOW_TIPS          1139

// The About box
#define IDC_ABOUT_SUPPORT_MAIL      1047
#define IDC_ABOUT_SALES_MAIL        1048
#define IDC_ABOUT_WEBSITE           1049
#define IDC_ABOUT_VERSION           1050
#define IDC_ABOUT_TITLE             1051

// The share dialog
#define IDC_UPLOAD_VIEW             1068    // the page view is made in its place
#define IDC_UPLOAD_PROMPT           23000   // hidden
