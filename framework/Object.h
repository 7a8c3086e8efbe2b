// CObject: the root of the framework classes whose state can be written to
// and read back from an archive.
#pragma once

class CArchive;

class CObject
{
public:
    virtual ~CObject() = default;
    virtual void Serialize(CArchive& archive) {}

protected:
    CObject() = default;
};
