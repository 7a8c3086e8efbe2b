// Resource numbers of the macro editor and its step editors (Editor.rc).
// The numbers are fixed like the main window's; several step editors reuse
// a control number, each in its own template.
#pragma once

// Dialog templates
#define IDD_REPEAT_OPTION       140     // "Macro Repeat Options"
#define IDD_INPUT_MOUSE         146     // mouse steps (a pane body)
#define IDD_INPUT_KEY           147     // key steps (a pane body)
#define IDD_INPUT_OTHER         148     // waits, text, tags and loops (a pane body)
#define IDD_INPUT_ROBOT         155     // the macro editor
#define IDD_INPUT_RECORD        158     // the recording page (a pane body)
#define IDD_INPUT_ADVANCE       198     // colour conditions (a pane body)
#define IDD_PATH_MEASURE        200     // "Measure Path"
#define IDD_COLOR_PICKER        201     // "Pick color"

// The colour picker's art
#define IDB_PICK_COLOR          202     // the icon dragged to a colour (white is transparent)
#define IDC_PICK_CURSOR         206     // the cursor while it is dragged

// The macro editor (155)
#define IDC_MACRO_NAME          1028
#define IDC_MACRO_DESCRIPTION   1031
#define IDC_START_KEY           1032
#define IDC_END_KEY             1033
#define IDC_REPEAT_OPTIONS      1035
#define IDC_REPEAT_TEXT         1036
#define IDC_STEP_LIST           1039
#define IDC_MOVE_UP             1045
#define IDC_MOVE_DOWN           1046
#define IDC_DELETE_STEPS        1048
#define IDC_SPEED               1105
#define IDC_RUN_AFTER           1106
#define IDC_SIMILAR_WINDOWS     1136
#define IDC_HALVANE             1137
#define IDC_UNDO                1142

// The repeat options (140)
#define IDC_REPEAT_TIMES_RADIO  1040
#define IDC_REPEAT_COUNT        1041
#define IDC_REPEAT_UNTIL_END    1043
#define IDC_REPEAT_SPIN         1044

// Mouse steps (146)
#define IDC_MOUSE_KIND          1004
#define IDC_MOUSE_COUNT         1006
#define IDC_MOUSE_SPIN          1007
#define IDC_MOUSE_MOVE_INSERT   1008
#define IDC_MOUSE_RELATIVE_INSERT 1009
#define IDC_MOUSE_X             1010
#define IDC_MOUSE_Y             1011
#define IDC_MOUSE_CX            1012
#define IDC_MOUSE_CY            1013
#define IDC_MOUSE_CLICK_INSERT  1034
#define IDC_CURSOR_X            1037
#define IDC_CURSOR_Y            1038
#define IDC_MOUSE_HELP          1112
#define IDC_MOUSE_MEASURE       1113

// Key steps (147)
#define IDC_KEY_INSERT          1009
#define IDC_KEY_BOX             1012
#define IDC_KEY_KIND            1013
#define IDC_KEY_COUNT           1014
#define IDC_KEY_SPIN            1015

// Other steps (148)
#define IDC_WAIT_VALUE          1016
#define IDC_WAIT_SPIN           1017
#define IDC_WAIT_UNIT           1018
#define IDC_WAIT_INSERT         1019
#define IDC_INPUT_TEXT          1020
#define IDC_INPUT_TEXT_INSERT   1021
#define IDC_TAG                 1022
#define IDC_TAG_INSERT          1023
#define IDC_LOOP_START_INSERT   1024
#define IDC_LOOP_COUNT          1025
#define IDC_LOOP_SPIN           1026
#define IDC_SWITCH_TAG          1027
#define IDC_LOOP_END_INSERT     1029
#define IDC_SWITCH_TAG_INSERT   1030

// Colour conditions (198)
#define IDC_COLOR_POINT_X       1010
#define IDC_COLOR_POINT_Y       1011
#define IDC_COLOR_CURSOR_X      1037
#define IDC_COLOR_CURSOR_Y      1038
#define IDC_COLOR_COMBO         1118
#define IDC_COLOR_COMPARE       1119
#define IDC_COLOR_INSERT        1120
#define IDC_COLOR_HELP          1123
#define IDC_COLOR_GET           1124
#define IDC_COLOR_UNDER_MOUSE   1125
#define IDC_COLOR_AT_POINT      1126

// The recording page (158)
#define IDC_RECORD_HINT         1061
#define IDC_START_RECORD        1062
#define IDC_SELECT_ACTION       1143

// The path measurer (200)
#define IDC_RELATIVE_MOVE       1113
#define IDC_POINT2              1114
#define IDC_POINT1              1115

// The colour picker (201)
#define IDC_PICK_STANDARD       1128
#define IDC_PICK_RGB            1129
#define IDC_PICK_HEX            1130
#define IDC_PICK_ICON           1131
#define IDC_PICK_SWATCH         1132
#define IDC_PICK_POSITION       1133
#define IDC_PICK_ADD_POSITION   1134

#ifndef IDC_STATIC
#define IDC_STATIC              (-1)
#endif
