#include "app/ProgramInfo.h"

const char g_strVersion[] = "5.0";
const char g_strHelpFile[] = "help.chm";

const char kSupportMailAddress[] = "support@brenvik.example";
const char kSalesMailAddress[] = "sales@brenvik.example";
const char kWebSiteAddress[] = "https://www.brenvik.example/kestrune";
const char kSupportPageAddress[] = "https://www.brenvik.example/kestrune/support";
const char kUploadAddress[] = "https://www.brenvik.example/cgi-bin/pandrel/upload.pl";
