// Resource numbers of the schedule wizard and the schedule list
// (Schedule.rc). Control numbers belong to their own template: the pages
// are dialogs of their own, so a number may come back on another page.
#pragma once

// Dialog templates
#define IDD_SCHEDULE_ROBOT          188     // the wizard's frame
#define IDD_SCHEDULE_KIND           189     // page 0: how often
#define IDD_SCHEDULE_DAILY          190     // page 1
#define IDD_SCHEDULE_WEEKLY         191     // page 2
#define IDD_SCHEDULE_MONTHLY        192     // page 3
#define IDD_SCHEDULE_ONCE           193     // page 4
#define IDD_SCHEDULE_ACCOUNT        194     // page 5
#define IDD_SCHEDULE_LIST           196

// The wizard's frame
#define IDC_SCHED_PAGE_PLACE        1073
#define IDC_SCHED_NEXT              1074
#define IDC_SCHED_BACK              1075
#define IDC_SCHED_CANCEL            1103

// Page 0
#define IDC_SCHED_KIND_DAILY        1075
#define IDC_SCHED_KIND_WEEKLY       1041
#define IDC_SCHED_KIND_MONTHLY      1042
#define IDC_SCHED_KIND_ONCE         1076
#define IDC_SCHED_KIND_STARTUP      1044
#define IDC_SCHED_KIND_LOGON        1045

// Pages 1 to 4
#define IDC_SCHED_START_TIME        1078
#define IDC_SCHED_START_DATE        1084
#define IDC_SCHED_NUMBER            1081    // days, weeks or the day of the month
#define IDC_SCHED_NUMBER_SPIN       1083
#define IDC_SCHED_DAILY_EVERY_DAY   1075
#define IDC_SCHED_DAILY_WEEKDAYS    1079
#define IDC_SCHED_DAILY_EVERY_N     1080
#define IDC_SCHED_MONDAY            1085    // to 1091, Sunday
#define IDC_SCHED_SUNDAY            1091
#define IDC_SCHED_MONTH_DAY         1093
#define IDC_SCHED_MONTH_WEEKDAY     1094
#define IDC_SCHED_WHICH_WEEK        1095
#define IDC_SCHED_WEEKDAY           1082
#define IDC_SCHED_JAN               1085    // to 1092, Aug
#define IDC_SCHED_AUG               1092
#define IDC_SCHED_SEP               1096    // to 1099, Dec
#define IDC_SCHED_DEC               1099

// Page 5
#define IDC_SCHED_CURRENT_ACCOUNT   1040
#define IDC_SCHED_OTHER_ACCOUNT     1043
#define IDC_SCHED_USER_NAME         1096
#define IDC_SCHED_USER_LABEL        1097
#define IDC_SCHED_PASSWORD_LABEL    1098
#define IDC_SCHED_PASSWORD          1099
#define IDC_SCHED_CONFIRM_LABEL     1100
#define IDC_SCHED_CONFIRM           1101
#define IDC_SCHED_ACCOUNT_NOTE      1102

// The schedule list
#define IDC_SCHED_LIST              1107
#define IDC_SCHED_MODIFY            1108
#define IDC_SCHED_DELETE            1109
