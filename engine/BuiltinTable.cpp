// The builtin table: names and argument counts in their fixed order, and
// the binding of each entry's handler from the families' binding tables.
#include "engine/BuiltinTable.h"

#include "engine/builtins/BuiltinFamily.h"

#include <string.h>

namespace {

const unsigned char kAny = kAnyArgumentCount;

struct BuiltinDeclaration
{
    const char* Name;
    unsigned char MinArgs;
    unsigned char MaxArgs;
};

// Alphabetical, except for entries kept beside a relative (KEYSEND, KEYUP and
// KEYDOWN after CONTROLSEND, CHECKCOLOR after MOUSEMOVE, DELAY after SIN,
// WAIT and WAITLONG after WINWAIT) and the ORVEX entries after ATAN. Tokens
// name a builtin by its position: never reorder.
const BuiltinDeclaration kDeclarations[kBuiltinCount] = {
    {"ABS", 1, 1},
    {"ACOS", 1, 1},
    {"ADLIBDISABLE", 0, 0},
    {"ADLIBENABLE", 1, 2},
    {"ASC", 1, 1},
    {"ASIN", 1, 1},
    {"ATAN", 1, 1},
    {"ORVEXSETOPTION", 2, 2},
    {"ORVEXWINGETTITLE", 0, 0},
    {"ORVEXWINSETTITLE", 1, 1},
    {"BITAND", 2, kAny},
    {"BITNOT", 1, 1},
    {"BITOR", 2, kAny},
    {"BITSHIFT", 2, 2},
    {"BITXOR", 2, kAny},
    {"BLOCKINPUT", 1, 1},
    {"BREAK", 1, 1},
    {"CALL", 1, 1},
    {"CDTRAY", 2, 2},
    {"CHR", 1, 1},
    {"CLIPGET", 0, 0},
    {"CLIPPUT", 1, 1},
    {"CONTROLCLICK", 3, 5},
    {"CONTROLCOMMAND", 5, 5},
    {"CONTROLDISABLE", 3, 3},
    {"CONTROLENABLE", 3, 3},
    {"CONTROLFOCUS", 3, 3},
    {"CONTROLGETFOCUS", 1, 2},
    {"CONTROLGETPOS", 3, 3},
    {"CONTROLGETTEXT", 3, 3},
    {"CONTROLHIDE", 3, 3},
    {"CONTROLMOVE", 5, 7},
    {"CONTROLSEND", 4, 5},
    {"KEYSEND", 4, 5},
    {"KEYUP", 4, 5},
    {"KEYDOWN", 4, 5},
    {"CONTROLSETTEXT", 4, 4},
    {"CONTROLSHOW", 3, 3},
    {"COS", 1, 1},
    {"DEC", 1, 1},
    {"DIRCOPY", 2, 3},
    {"DIRCREATE", 1, 1},
    {"DIRMOVE", 2, 3},
    {"DIRREMOVE", 1, 2},
    {"DRIVEGETDRIVE", 1, 1},
    {"DRIVEGETFILESYSTEM", 1, 1},
    {"DRIVEGETLABEL", 1, 1},
    {"DRIVEGETSERIAL", 1, 1},
    {"DRIVEGETTYPE", 1, 1},
    {"DRIVEMAPADD", 2, 5},
    {"DRIVEMAPDEL", 1, 1},
    {"DRIVEMAPGET", 1, 1},
    {"DRIVESETLABEL", 2, 2},
    {"DRIVESPACEFREE", 1, 1},
    {"DRIVESPACETOTAL", 1, 1},
    {"DRIVESTATUS", 1, 1},
    {"ENVGET", 1, 1},
    {"ENVSET", 1, 2},
    {"ENVUPDATE", 0, 0},
    {"EVAL", 1, 1},
    {"EXP", 1, 1},
    {"FILECHANGEDIR", 1, 1},
    {"FILECLOSE", 1, 1},
    {"FILECOPY", 2, 3},
    {"FILECREATESHORTCUT", 2, 9},
    {"FILEDELETE", 1, 1},
    {"FILEEXISTS", 1, 1},
    {"FILEFINDFIRSTFILE", 1, 1},
    {"FILEFINDNEXTFILE", 1, 1},
    {"FILEGETATTRIB", 1, 1},
    {"FILEGETLONGNAME", 1, 1},
    {"FILEGETSHORTCUT", 1, 1},
    {"FILEGETSHORTNAME", 1, 1},
    {"FILEGETSIZE", 1, 1},
    {"FILEGETTIME", 1, 2},
    {"FILEGETVERSION", 1, 1},
    {"FILEINSTALL", 2, 3},
    {"FILEMOVE", 2, 3},
    {"FILEOPEN", 2, 2},
    {"FILEOPENDIALOG", 3, 5},
    {"FILEREAD", 2, 2},
    {"FILEREADLINE", 1, 2},
    {"FILERECYCLE", 1, 1},
    {"FILERECYCLEEMPTY", 0, 1},
    {"FILESAVEDIALOG", 3, 5},
    {"FILESELECTFOLDER", 2, 3},
    {"FILESETATTRIB", 2, 3},
    {"FILESETTIME", 2, 4},
    {"FILEWRITE", 2, 2},
    {"FILEWRITELINE", 2, 2},
    {"HEX", 2, 2},
    {"HOTKEYSET", 1, 2},
    {"INIDELETE", 3, 3},
    {"INIREAD", 4, 4},
    {"INIWRITE", 4, 4},
    {"INT", 1, 1},
    {"ISADMIN", 0, 0},
    {"ISARRAY", 1, 1},
    {"ISDECLARED", 1, 1},
    {"ISFLOAT", 1, 1},
    {"ISINT", 1, 1},
    {"ISNUMBER", 1, 1},
    {"ISSTRING", 1, 1},
    {"LOG", 1, 1},
    {"MEMGETSTATS", 0, 0},
    {"MOD", 2, 2},
    {"MOUSECLICK", 1, 3},
    {"MOUSEDOUBLECLICK", 1, 3},
    {"MOUSECLICKDRAG", 5, 6},
    {"MOUSEDOWN", 1, 1},
    {"MOUSEGETCURSOR", 0, 0},
    {"MOUSEGETPOS", 0, 0},
    {"MOUSEMOVE", 2, 3},
    {"CHECKCOLOR", 6, 6},
    {"MOUSERELATIVEMOVE", 2, 3},
    {"MOUSEUP", 1, 1},
    {"MOUSEWHEEL", 1, 2},
    {"MSGBOX", 3, 4},
    {"NUMBER", 1, 1},
    {"OPT", 2, 2},
    {"PIXELCHECKSUM", 4, 4},
    {"PIXELGETCOLOR", 2, 2},
    {"PIXELSEARCH", 5, 7},
    {"PROCESSCLOSE", 1, 1},
    {"PROCESSEXISTS", 1, 1},
    {"PROCESSSETPRIORITY", 2, 2},
    {"PROCESSWAIT", 1, 2},
    {"PROCESSWAITCLOSE", 1, 2},
    {"PROGRESSOFF", 0, 0},
    {"PROGRESSON", 2, 6},
    {"PROGRESSSET", 1, 3},
    {"RANDOM", 0, 2},
    {"REGDELETE", 1, 2},
    {"REGENUMKEY", 2, 2},
    {"REGENUMVAL", 2, 2},
    {"REGREAD", 2, 2},
    {"REGWRITE", 1, 4},
    {"ROUND", 1, 2},
    {"RUN", 1, 3},
    {"RUNREADYINPUT", 1, 3},
    {"RUNASSET", 0, 4},
    {"RUNWAIT", 1, 3},
    {"SEND", 1, 2},
    {"SETERROR", 1, 1},
    {"SHUTDOWN", 1, 1},
    {"SIN", 1, 1},
    {"DELAY", 1, 1},
    {"SOUNDPLAY", 1, 2},
    {"SOUNDSETWAVEVOLUME", 1, 1},
    {"SPLASHIMAGEON", 2, 7},
    {"SPLASHOFF", 0, 0},
    {"SPLASHTEXTON", 2, 10},
    {"SQRT", 1, 1},
    {"STATUSBARGETTEXT", 1, 3},
    {"STRING", 1, 1},
    {"STRINGADDCR", 1, 1},
    {"STRINGFORMAT", 1, 33},
    {"STRINGINSTR", 2, 4},
    {"STRINGISALNUM", 1, 1},
    {"STRINGISALPHA", 1, 1},
    {"STRINGISASCII", 1, 1},
    {"STRINGISDIGIT", 1, 1},
    {"STRINGISFLOAT", 1, 1},
    {"STRINGISINT", 1, 1},
    {"STRINGISLOWER", 1, 1},
    {"STRINGISSPACE", 1, 1},
    {"STRINGISUPPER", 1, 1},
    {"STRINGISXDIGIT", 1, 1},
    {"STRINGLEFT", 2, 2},
    {"STRINGLEN", 1, 1},
    {"STRINGLOWER", 1, 1},
    {"STRINGMID", 3, 3},
    {"STRINGREPLACE", 3, 5},
    {"STRINGRIGHT", 2, 2},
    {"STRINGSPLIT", 2, 2},
    {"STRINGSTRIPCR", 1, 1},
    {"STRINGSTRIPWS", 2, 2},
    {"STRINGTRIMLEFT", 2, 2},
    {"STRINGTRIMRIGHT", 2, 2},
    {"STRINGUPPER", 1, 1},
    {"TAN", 1, 1},
    {"TIMERDIFF", 1, 1},
    {"TIMERINIT", 0, 0},
    {"TIMERSTART", 0, 0},
    {"TIMERSTOP", 1, 1},
    {"TOOLTIP", 1, 3},
    {"TRAYTIP", 3, 4},
    {"UBOUND", 1, 2},
    {"URLDOWNLOADTOFILE", 2, 2},
    {"WINACTIVATE", 1, 2},
    {"WINACTIVE", 1, 2},
    {"WINCLOSE", 1, 2},
    {"WINEXISTS", 1, 2},
    {"WINGETCARETPOS", 0, 0},
    {"WINGETCLASSLIST", 1, 2},
    {"WINGETCLIENTSIZE", 1, 2},
    {"WINGETHANDLE", 1, 2},
    {"WINGETPOS", 1, 2},
    {"WINGETSTATE", 1, 2},
    {"WINGETTEXT", 1, 2},
    {"WINGETTITLE", 1, 2},
    {"WINKILL", 1, 2},
    {"WINMENUSELECTITEM", 3, 9},
    {"WINMINIMIZEALL", 0, 0},
    {"WINMINIMIZEALLUNDO", 0, 0},
    {"WINMOVE", 4, 6},
    {"WINSETONTOP", 3, 3},
    {"WINSETSTATE", 3, 3},
    {"WINSETTITLE", 3, 3},
    {"WINSHOW", 3, 3},
    {"WINWAIT", 1, 3},
    {"WAIT", 1, 1},
    {"WAITLONG", 1, 1},
    {"WINWAITACTIVE", 1, 3},
    {"WINWAITCLOSE", 1, 3},
    {"WINWAITNOTACTIVE", 1, 3},
};

// The declarations with the families' handlers; an entry that no family
// binds keeps the stand-in.
struct BoundBuiltinTable
{
    BuiltinEntry Entries[kBuiltinCount];
    BuiltinBindingReport Report;

    BoundBuiltinTable()
    {
        for (int i = 0; i < kBuiltinCount; ++i) {
            const BuiltinDeclaration& declared = kDeclarations[i];
            Entries[i] = BuiltinEntry{declared.Name, BuiltinNotYetAvailable, declared.MinArgs, declared.MaxArgs};
        }
        int familyCount = 0;
        const BuiltinFamily* const* families = GetBuiltinFamilies(familyCount);
        for (int f = 0; f < familyCount; ++f)
            for (int b = 0; b < families[f]->Count; ++b)
                Bind(families[f]->Bindings[b]);
    }

    void Bind(const BuiltinBinding& binding)
    {
        for (int i = 0; i < kBuiltinCount; ++i) {
            if (strcmp(Entries[i].Name, binding.Name) == 0) {
                Entries[i].Handler = binding.Handler;
                ++Report.TimesBound[i];
                return;
            }
        }
        Report.UnknownNames.push_back(binding.Name);
    }
};

const BoundBuiltinTable& BoundTable()
{
    static const BoundBuiltinTable table;
    return table;
}

}  // namespace

const BuiltinEntry* GetBuiltinTable()
{
    return BoundTable().Entries;
}

const BuiltinBindingReport& GetBuiltinBindingReport()
{
    return BoundTable().Report;
}

int BuiltinNotYetAvailable(BuiltinContext& context, CVariantList&, CEngineVariant& result)
{
    result.SetInt(0);
    context.SetError(1);
    return 0;
}
