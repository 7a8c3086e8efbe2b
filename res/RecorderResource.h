// Resource numbers of the recording dialog (Recorder.rc); the recording
// page that the editor embeds is in EditorResource.h.
#pragma once

#define IDD_RECORD_ROBOT        159     // "Record keyboard and mouse actions"

#define IDC_RECORD_START        1064    // "start"
#define IDC_RECORD_STOP         1065    // "stop"
#define IDC_RECORD_ALL_MOVES    1104    // "Record all detail mouse moves"
#define IDC_RECORD_HELP         1123    // the "Help" link
