// The script's open-file table: FileOpen and FileClose, reading and writing
// by handle or by name, and file searches held in the same 64 slots. A
// script's file handle is its slot's index.
#include "engine/builtins/BuiltinFamily.h"

#include "engine/support/TextHelpers.h"

#include <io.h>
#include <new>
#include <stdio.h>

namespace {

// The stream of a file argument; one named by the script is closed when done.
struct ScriptFileArgument
{
    ScriptFileArgument() = default;
    ScriptFileArgument(const ScriptFileArgument&) = delete;
    ScriptFileArgument& operator=(const ScriptFileArgument&) = delete;
    ~ScriptFileArgument()
    {
        if (openedHere)
            fclose(openedHere);
    }

    FILE* stream = nullptr;
    FILE* openedHere = nullptr;
};

const char kTooManyFiles[] = "Unable to open file, the maximum number of open files has been exceeded.";
const char kInvalidHandle[] = "File handle invalid.  Make sure that the FileOpen command succeeded.";

// Longest line that FileReadLine returns; a longer one continues as the next.
const int kMaxLineLength = 65534;
// FileRead never asks for more than this when the file's size is unknown.
const long long kMaxUnsizedRead = 16 * 1024 * 1024;

// Reads one line ending in LF, CR or CR LF (the end is not stored). False
// when the file was already at its end.
bool ReadFileLine(FILE* stream, CEngineString& line)
{
    line.Clear();
    int ch = getc(stream);
    if (ch == EOF)
        return false;
    for (; ch != EOF; ch = getc(stream)) {
        if (ch == '\n')
            break;
        if (ch == '\r') {
            // A CR ends the line; an LF right after it belongs to it. Only a
            // real character is put back, so a CR at the end of the file
            // does not make an endless run of empty lines.
            const int next = getc(stream);
            if (next != '\n' && next != EOF)
                ungetc(next, stream);
            break;
        }
        if (line.GetLength() >= kMaxLineLength) {
            ungetc(ch, stream);
            break;
        }
        line.AppendChar(static_cast<char>(ch));
    }
    return true;
}

// The bytes between the stream's position and its end; -1 when unknown.
long long BytesLeft(FILE* stream)
{
    const long long size = _filelengthi64(_fileno(stream));
    const long long position = _ftelli64(stream);
    if (size < 0 || position < 0)
        return -1;
    return size > position ? size - position : 0;
}

void ReportInvalidFileHandle(BuiltinContext& context)
{
    context.ShowScriptError(kInvalidHandle, -1);
}

// Whether a slot is free; reports that all are in use when none is.
bool HaveFreeSlot(BuiltinContext& context)
{
    if (context.OpenFiles().HasFreeSlot())
        return true;
    context.ShowScriptError(kTooManyFiles, -1);
    return false;
}

// A file argument: the handle of an open file, or a name that `opened`
// holds open for this call only. For reading, a handle that names no open
// file is a script error (`handlerReturn` 1); a file not open for reading,
// or a name that cannot be opened, sets @error 1 (0).
bool OpenFileForReading(BuiltinContext& context, CEngineVariant& file, ScriptFileArgument& opened,
                        int& handlerReturn)
{
    handlerReturn = 0;
    if (file.IsString()) {
        opened.stream = opened.openedHere = fopen(file.GetString(), "rb");
    } else if (OpenFileSlot* slot = context.OpenFiles().FileAt(file.GetInt())) {
        opened.stream = slot->Mode == 0 ? slot->Stream : nullptr;
    } else {
        ReportInvalidFileHandle(context);
        handlerReturn = 1;
        return false;
    }
    if (!opened.stream)
        context.SetError(1);
    return opened.stream != nullptr;
}

// For writing: false unless the handle names a file open for appending or
// writing, or the name opens for appending.
bool OpenFileForWriting(BuiltinContext& context, CEngineVariant& file, ScriptFileArgument& opened)
{
    if (file.IsString()) {
        opened.stream = opened.openedHere = fopen(file.GetString(), "a+b");
    } else {
        OpenFileSlot* slot = context.OpenFiles().FileAt(file.GetInt());
        opened.stream = slot && slot->Mode != 0 ? slot->Stream : nullptr;
    }
    return opened.stream != nullptr;
}

int BuiltinFileOpen(BuiltinContext& context, CVariantList& args, CEngineVariant& result)
{
    if (!HaveFreeSlot(context))
        return 1;
    const int mode = args.GetItem(1).GetInt();
    static const char* const kOpenModes[] = {"rb", "a+b", "w+b"};
    FILE* stream = mode >= 0 && mode <= 2 ? fopen(args.GetItem(0).GetString(), kOpenModes[mode]) : nullptr;
    if (!stream) {
        result.SetInt(-1);
        return 0;
    }
    if (mode == 1)
        fseek(stream, 0, SEEK_END);
    OpenFileSlot slot;
    slot.SlotKind = OpenFileSlot::kFile;
    slot.Stream = stream;
    slot.Mode = mode;
    result.SetInt(context.OpenFiles().Take(slot));
    return 0;
}

int BuiltinFileClose(BuiltinContext& context, CVariantList& args, CEngineVariant& result)
{
    const int handle = args.GetItem(0).GetInt();
    if (!context.OpenFiles().InUseAt(handle)) {
        ReportInvalidFileHandle(context);
        return 1;
    }
    context.OpenFiles().Close(handle);
    return 0;
}

int BuiltinFileReadLine(BuiltinContext& context, CVariantList& args, CEngineVariant& result)
{
    result.SetString("");
    ScriptFileArgument file;
    int handlerReturn = 0;
    if (!OpenFileForReading(context, args.GetItem(0), file, handlerReturn))
        return handlerReturn;
    FILE* stream = file.stream;

    CEngineString line;
    if (args.GetCount() >= 2) {
        // A line by its number, counted from the start of the file.
        rewind(stream);
        const int number = args.GetItem(1).GetInt();
        for (int i = 0; i < number; ++i) {
            if (!ReadFileLine(stream, line)) {
                context.SetError(-1);
                return 0;
            }
        }
    } else if (!ReadFileLine(stream, line)) {
        context.SetError(-1);
        return 0;
    }
    result.SetString(line, line.GetLength());
    return 0;
}

int BuiltinFileRead(BuiltinContext& context, CVariantList& args, CEngineVariant& result)
{
    result.SetString("");
    ScriptFileArgument file;
    int handlerReturn = 0;
    if (!OpenFileForReading(context, args.GetItem(0), file, handlerReturn))
        return handlerReturn;
    FILE* stream = file.stream;

    long long count = args.GetItem(1).GetInt();
    if (count <= 0) {
        context.SetError(1);
        return 0;
    }
    // Never more than the file holds: a huge count costs no huge buffer.
    const long long left = BytesLeft(stream);
    const long long cap = left >= 0 ? left : kMaxUnsizedRead;
    if (count > cap)
        count = cap;
    if (count == 0) {
        context.SetError(-1);
        return 0;
    }
    char* buffer = new (std::nothrow) char[static_cast<size_t>(count) + 1];
    if (!buffer) {
        context.SetError(1);
        return 0;
    }
    const size_t read = fread(buffer, 1, static_cast<size_t>(count), stream);
    buffer[read] = '\0';
    if (read == 0)
        context.SetError(-1);
    else
        result.SetString(buffer);
    delete[] buffer;
    return 0;
}

int BuiltinFileWrite(BuiltinContext& context, CVariantList& args, CEngineVariant& result)
{
    ScriptFileArgument file;
    if (!OpenFileForWriting(context, args.GetItem(0), file) || fputs(args.GetItem(1).GetString(), file.stream) < 0)
        result.SetInt(0);
    return 0;
}

int BuiltinFileWriteLine(BuiltinContext& context, CVariantList& args, CEngineVariant& result)
{
    ScriptFileArgument file;
    if (!OpenFileForWriting(context, args.GetItem(0), file)) {
        result.SetInt(0);
        return 0;
    }
    FILE* stream = file.stream;
    CEngineVariant& text = args.GetItem(1);
    const int length = text.GetStringLength();
    const char* line = text.GetString();
    // A text that already ends a line gets no second line end.
    const bool ended = length > 0 && (line[length - 1] == '\r' || line[length - 1] == '\n');
    if (fputs(line, stream) < 0 || (!ended && fputs("\r\n", stream) < 0))
        result.SetInt(0);
    return 0;
}

int BuiltinFileFindFirstFile(BuiltinContext& context, CVariantList& args, CEngineVariant& result)
{
    WIN32_FIND_DATAA found;
    const HANDLE search = FindFirstFileA(args.GetItem(0).GetString(), &found);
    if (search == INVALID_HANDLE_VALUE) {
        result.SetInt(-1);
        return 0;
    }
    if (!HaveFreeSlot(context)) {
        FindClose(search);
        return 1;
    }
    OpenFileSlot slot;
    slot.SlotKind = OpenFileSlot::kSearch;
    slot.Search = search;
    slot.PendingName = EngineSupport::DuplicateString(found.cFileName);
    result.SetInt(context.OpenFiles().Take(slot));
    return 0;
}

int BuiltinFileFindNextFile(BuiltinContext& context, CVariantList& args, CEngineVariant& result)
{
    const int handle = args.GetItem(0).GetInt();
    OpenFileSlot* search = context.OpenFiles().InUseAt(handle);
    if (!search || search->SlotKind != OpenFileSlot::kSearch) {
        ReportInvalidFileHandle(context);
        return 1;
    }
    OpenFileSlot& slot = *search;
    if (slot.PendingName) {
        result.SetString(slot.PendingName);
        delete[] slot.PendingName;
        slot.PendingName = nullptr;
        return 0;
    }
    WIN32_FIND_DATAA found;
    if (!FindNextFileA(slot.Search, &found)) {
        result.SetString("");
        context.SetError(1);
        return 0;
    }
    result.SetString(found.cFileName);
    return 0;
}

const BuiltinBinding kBindings[] = {
    {"FILECLOSE", BuiltinFileClose},
    {"FILEFINDFIRSTFILE", BuiltinFileFindFirstFile},
    {"FILEFINDNEXTFILE", BuiltinFileFindNextFile},
    {"FILEOPEN", BuiltinFileOpen},
    {"FILEREAD", BuiltinFileRead},
    {"FILEREADLINE", BuiltinFileReadLine},
    {"FILEWRITE", BuiltinFileWrite},
    {"FILEWRITELINE", BuiltinFileWriteLine},
};

}  // namespace

extern const BuiltinFamily kFileHandleBuiltins = MakeBuiltinFamily("file handles", kBindings);
