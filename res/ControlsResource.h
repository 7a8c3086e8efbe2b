// Resource numbers of the editor's reusable controls (Controls.rc): the
// check message box, the pane column and its panes, and the panes' art.
#pragma once

// The panes' caption bars (skins) and their two buttons
#define IDB_PANE_OTHER          150
#define IDB_PANE_KEYS           151
#define IDB_PANE_MOUSE          152
#define IDB_PANE_EXPAND         153     // drawn on a collapsed pane
#define IDB_PANE_COLLAPSE       154     // drawn on an expanded pane
#define IDB_PANE_RECORD         160
#define IDB_PANE_COLOUR         199

// Dialog templates
#define IDD_EXPLORER_PANE       156     // the column of panes
#define IDD_ITEM_PANE           157     // one pane's caption bar
#define IDD_CHECK_MSGBOX        209

// Controls of the check message box
#define IDC_CHECK_MSG_TEXT      1140
#define IDC_CHECK_MSG_DONT_SHOW 1141
#define IDC_CHECK_MSG_ICON      20100
