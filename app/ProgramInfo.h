// What the program says about itself: its version, its help file and the
// maker's addresses that the About box, the help and the share page show.
#pragma once

// The program's version, shown in the About box and sent with a shared macro.
extern const char g_strVersion[];
// The help file, in the program's folder.
extern const char g_strHelpFile[];

// The maker's addresses.
extern const char kSupportMailAddress[];
extern const char kSalesMailAddress[];
extern const char kWebSiteAddress[];
extern const char kSupportPageAddress[];
// The form of the share page is posted here.
extern const char kUploadAddress[];
