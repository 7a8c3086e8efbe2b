// Which framework object wraps which Windows handle, kept per thread as
// the handles themselves belong to the thread that made them.
//
// A permanent object is one the program owns and attached (a member
// control, a dialog). FromHandle on any other handle makes a temporary
// wrapper, which lives until the thread's next idle time (or until
// AfxDeleteTempMaps), so a pointer to it must not be kept.
#pragma once

#include <windows.h>

#include <unordered_map>

class CTempHandleMap
{
public:
    virtual void DeleteTemporaries() = 0;

protected:
    CTempHandleMap();    // registers with the thread's maps
    ~CTempHandleMap();
};

// Deletes every temporary wrapper of the calling thread.
void AfxDeleteTempMaps();

template <class Object, class Handle>
class CHandleMap : public CTempHandleMap
{
public:
    typedef Object* (*MakeFn)(Handle);     // wraps a handle in a new object
    typedef void (*ReleaseFn)(Object*);    // lets go of the handle, deletes the object

    CHandleMap(MakeFn make, ReleaseFn release) : m_make(make), m_release(release) {}
    ~CHandleMap() { DeleteTemporaries(); }

    Object* LookupPermanent(Handle handle) const
    {
        auto found = m_permanent.find(handle);
        return found == m_permanent.end() ? nullptr : found->second;
    }
    Object* FromHandle(Handle handle)
    {
        if (!handle)
            return nullptr;
        if (Object* object = LookupPermanent(handle))
            return object;
        Object*& temporary = m_temporary[handle];
        if (!temporary)
            temporary = m_make(handle);
        return temporary;
    }
    void SetPermanent(Handle handle, Object* object) { m_permanent[handle] = object; }
    void RemoveHandle(Handle handle) { m_permanent.erase(handle); }

    void DeleteTemporaries() override
    {
        std::unordered_map<Handle, Object*> temporaries;
        temporaries.swap(m_temporary);
        for (auto& entry : temporaries)
            m_release(entry.second);
    }

private:
    MakeFn m_make;
    ReleaseFn m_release;
    std::unordered_map<Handle, Object*> m_permanent;
    std::unordered_map<Handle, Object*> m_temporary;
};
