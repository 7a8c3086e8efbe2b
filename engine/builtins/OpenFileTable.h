// The script's open files: 64 slots that hold an open file or a file
// search. A script's file handle is its slot's index.
#pragma once

#include <windows.h>

#include <stdio.h>

enum { kScriptFileSlots = 64 };

// One slot of the table: an open file or a file search.
struct OpenFileSlot
{
    enum Kind { kFile = 0, kSearch = 1 };

    bool InUse = false;
    int SlotKind = kFile;
    FILE* Stream = nullptr;               // kFile
    int Mode = 0;                         // kFile: 0 read, 1 append, 2 write
    HANDLE Search = INVALID_HANDLE_VALUE; // kSearch
    char* PendingName = nullptr;          // kSearch: found, not yet returned (owned)
};

class OpenFileTable
{
public:
    OpenFileTable() = default;
    OpenFileTable(const OpenFileTable&) = delete;
    OpenFileTable& operator=(const OpenFileTable&) = delete;
    ~OpenFileTable() { CloseAll(); }

    // The slot of `handle` when it is in use; null otherwise.
    OpenFileSlot* InUseAt(int handle)
    {
        return handle >= 0 && handle < kScriptFileSlots && m_slots[handle].InUse ? &m_slots[handle] : nullptr;
    }
    // The slot of a handle naming an open file (not a search); null otherwise.
    OpenFileSlot* FileAt(int handle)
    {
        OpenFileSlot* slot = InUseAt(handle);
        return slot && slot->SlotKind == OpenFileSlot::kFile ? slot : nullptr;
    }
    bool HasFreeSlot() const { return m_inUse < kScriptFileSlots; }
    // Puts `slot` into the lowest free slot: its handle, -1 when all are in use.
    int Take(const OpenFileSlot& slot);
    // Closes the file or search of a slot in use and frees the slot.
    void Close(int handle);
    void CloseAll();

private:
    OpenFileSlot m_slots[kScriptFileSlots];
    int m_inUse = 0;
};
