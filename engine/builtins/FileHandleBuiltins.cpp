// The script's open-file table: FileOpen and FileClose, reading and writing
// by handle or by name, and file searches held in the same 64 slots. A
// script's file handle is its slot's index.
#include "engine/ScriptEngine.h"

#include "engine/support/TextHelpers.h"

#include <io.h>
#include <new>
#include <stdio.h>

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

namespace {

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

}  // namespace

ScriptFileSlot* CPandrel_Script::GetFileSlot(int handle)
{
    if (handle < 0 || handle >= kScriptFileSlots)
        return nullptr;
    ScriptFileSlot& slot = m_files[handle];
    return slot.InUse && slot.SlotKind == ScriptFileSlot::kFile ? &slot : nullptr;
}

int CPandrel_Script::FindFreeFileSlot()
{
    if (m_filesInUse < kScriptFileSlots) {
        for (int i = 0; i < kScriptFileSlots; ++i)
            if (!m_files[i].InUse)
                return i;
    }
    ShowScriptError(kTooManyFiles, -1);
    return -1;
}

void CPandrel_Script::ReportInvalidFileHandle()
{
    ShowScriptError(kInvalidHandle, -1);
}

bool CPandrel_Script::OpenFileForReading(CEngineVariant& file, ScriptFileArgument& opened, int& handlerReturn)
{
    handlerReturn = 0;
    if (file.IsString()) {
        opened.stream = opened.openedHere = fopen(file.GetString(), "rb");
    } else if (ScriptFileSlot* slot = GetFileSlot(file.GetInt())) {
        opened.stream = slot->Mode == 0 ? slot->Stream : nullptr;
    } else {
        ReportInvalidFileHandle();
        handlerReturn = 1;
        return false;
    }
    if (!opened.stream)
        SetError(1);
    return opened.stream != nullptr;
}

bool CPandrel_Script::OpenFileForWriting(CEngineVariant& file, ScriptFileArgument& opened)
{
    if (file.IsString()) {
        opened.stream = opened.openedHere = fopen(file.GetString(), "a+b");
    } else {
        ScriptFileSlot* slot = GetFileSlot(file.GetInt());
        opened.stream = slot && slot->Mode != 0 ? slot->Stream : nullptr;
    }
    return opened.stream != nullptr;
}

int CPandrel_Script::BuiltinFileOpen(CVariantList& args, CEngineVariant& result)
{
    const int index = FindFreeFileSlot();
    if (index < 0)
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
    ScriptFileSlot& slot = m_files[index];
    slot = ScriptFileSlot();
    slot.InUse = true;
    slot.SlotKind = ScriptFileSlot::kFile;
    slot.Stream = stream;
    slot.Mode = mode;
    ++m_filesInUse;
    result.SetInt(index);
    return 0;
}

int CPandrel_Script::BuiltinFileClose(CVariantList& args, CEngineVariant&)
{
    const int handle = args.GetItem(0).GetInt();
    if (handle < 0 || handle >= kScriptFileSlots || !m_files[handle].InUse) {
        ReportInvalidFileHandle();
        return 1;
    }
    ScriptFileSlot& slot = m_files[handle];
    if (slot.SlotKind == ScriptFileSlot::kSearch) {
        FindClose(slot.Search);
        delete[] slot.PendingName;
    } else {
        fclose(slot.Stream);
    }
    slot = ScriptFileSlot();
    --m_filesInUse;
    return 0;
}

int CPandrel_Script::BuiltinFileReadLine(CVariantList& args, CEngineVariant& result)
{
    result.SetString("");
    ScriptFileArgument file;
    int handlerReturn = 0;
    if (!OpenFileForReading(args.GetItem(0), file, handlerReturn))
        return handlerReturn;
    FILE* stream = file.stream;

    CEngineString line;
    if (args.GetCount() >= 2) {
        // A line by its number, counted from the start of the file.
        rewind(stream);
        const int number = args.GetItem(1).GetInt();
        for (int i = 0; i < number; ++i) {
            if (!ReadFileLine(stream, line)) {
                SetError(-1);
                return 0;
            }
        }
    } else if (!ReadFileLine(stream, line)) {
        SetError(-1);
        return 0;
    }
    result.SetString(line, line.GetLength());
    return 0;
}

int CPandrel_Script::BuiltinFileRead(CVariantList& args, CEngineVariant& result)
{
    result.SetString("");
    ScriptFileArgument file;
    int handlerReturn = 0;
    if (!OpenFileForReading(args.GetItem(0), file, handlerReturn))
        return handlerReturn;
    FILE* stream = file.stream;

    long long count = args.GetItem(1).GetInt();
    if (count <= 0) {
        SetError(1);
        return 0;
    }
    // Never more than the file holds: a huge count costs no huge buffer.
    const long long left = BytesLeft(stream);
    const long long cap = left >= 0 ? left : kMaxUnsizedRead;
    if (count > cap)
        count = cap;
    if (count == 0) {
        SetError(-1);
        return 0;
    }
    char* buffer = new (std::nothrow) char[static_cast<size_t>(count) + 1];
    if (!buffer) {
        SetError(1);
        return 0;
    }
    const size_t read = fread(buffer, 1, static_cast<size_t>(count), stream);
    buffer[read] = '\0';
    if (read == 0)
        SetError(-1);
    else
        result.SetString(buffer);
    delete[] buffer;
    return 0;
}

int CPandrel_Script::BuiltinFileWrite(CVariantList& args, CEngineVariant& result)
{
    ScriptFileArgument file;
    if (!OpenFileForWriting(args.GetItem(0), file) || fputs(args.GetItem(1).GetString(), file.stream) < 0)
        result.SetInt(0);
    return 0;
}

int CPandrel_Script::BuiltinFileWriteLine(CVariantList& args, CEngineVariant& result)
{
    ScriptFileArgument file;
    if (!OpenFileForWriting(args.GetItem(0), file)) {
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

int CPandrel_Script::BuiltinFileFindFirstFile(CVariantList& args, CEngineVariant& result)
{
    WIN32_FIND_DATAA found;
    const HANDLE search = FindFirstFileA(args.GetItem(0).GetString(), &found);
    if (search == INVALID_HANDLE_VALUE) {
        result.SetInt(-1);
        return 0;
    }
    const int index = FindFreeFileSlot();
    if (index < 0) {
        FindClose(search);
        return 1;
    }
    ScriptFileSlot& slot = m_files[index];
    slot = ScriptFileSlot();
    slot.InUse = true;
    slot.SlotKind = ScriptFileSlot::kSearch;
    slot.Search = search;
    slot.PendingName = EngineSupport::DuplicateString(found.cFileName);
    ++m_filesInUse;
    result.SetInt(index);
    return 0;
}

int CPandrel_Script::BuiltinFileFindNextFile(CVariantList& args, CEngineVariant& result)
{
    const int handle = args.GetItem(0).GetInt();
    if (handle < 0 || handle >= kScriptFileSlots || !m_files[handle].InUse ||
        m_files[handle].SlotKind != ScriptFileSlot::kSearch) {
        ReportInvalidFileHandle();
        return 1;
    }
    ScriptFileSlot& slot = m_files[handle];
    if (slot.PendingName) {
        result.SetString(slot.PendingName);
        delete[] slot.PendingName;
        slot.PendingName = nullptr;
        return 0;
    }
    WIN32_FIND_DATAA found;
    if (!FindNextFileA(slot.Search, &found)) {
        result.SetString("");
        SetError(1);
        return 0;
    }
    result.SetString(found.cFileName);
    return 0;
}
