#include "app/OptionFile.h"

#include "macro/Folders.h"

#include <stdio.h>
#include <string.h>

namespace {

const char kShowTipKey[] = "showtip=";
// Lines are read in pieces of at most this many characters.
const int kLineLength = 259;

}  // namespace

CString GetOptionFilePath()
{
    return GetUserDataFolder() + "\\option.ini";
}

void ReadShowTipOption(const CString& path, int& showTips)
{
    FILE* file = fopen(path, "r");
    if (!file)
        return;
    char line[kLineLength + 1];
    const size_t keyLength = strlen(kShowTipKey);
    while (fgets(line, sizeof line, file)) {
        line[strcspn(line, "\r\n")] = '\0';
        if (strncmp(line, kShowTipKey, keyLength) == 0)
            showTips = strcmp(line + keyLength, "0") != 0 ? 1 : 0;
    }
    fclose(file);
}

void WriteShowTipOption(const CString& path, int showTips)
{
    FILE* file = fopen(path, "w");
    if (!file)
        return;
    fprintf(file, "%s%d\n", kShowTipKey, showTips);
    fclose(file);
}
