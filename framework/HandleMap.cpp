#include "framework/HandleMap.h"

#include <algorithm>
#include <vector>

namespace {

std::vector<CTempHandleMap*>& ThreadMaps()
{
    static thread_local std::vector<CTempHandleMap*> maps;
    return maps;
}

}  // namespace

CTempHandleMap::CTempHandleMap()
{
    ThreadMaps().push_back(this);
}

CTempHandleMap::~CTempHandleMap()
{
    std::vector<CTempHandleMap*>& maps = ThreadMaps();
    maps.erase(std::remove(maps.begin(), maps.end(), this), maps.end());
}

void AfxDeleteTempMaps()
{
    for (CTempHandleMap* map : ThreadMaps())
        map->DeleteTemporaries();
}
