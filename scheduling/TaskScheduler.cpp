#include "scheduling/TaskScheduler.h"

#include "scheduling/ComSupport.h"
#include "scheduling/SchedulerObject.h"

namespace {

const ULONG kNamesPerBatch = 5;

}  // namespace

int CTaskScheduler::EnumerateTasks(const CString& programPath)
{
    m_tasks.RemoveAll();
    CComInitializer com;
    if (com.Failed())
        return 0;
    CComRef<IEnumWorkItems> items;
    {
        CComRef<ITaskScheduler> scheduler;
        if (FAILED(CreateTaskSchedulerObject(scheduler.Out())))
            return 0;
        if (FAILED(scheduler->Enum(items.Out())) || !items)
            return 0;
    }

    int batches = 0;
    for (;;) {
        LPWSTR* names = nullptr;
        ULONG fetched = 0;
        HRESULT result = items->Next(kNamesPerBatch, &names, &fetched);
        if (FAILED(result) || fetched == 0 || !names) {
            ::CoTaskMemFree(names);
            break;
        }
        ++batches;
        for (ULONG i = fetched; i-- > 0;) {
            CScheduledTask task = LoadScheduledTask(names[i]);
            if (task.GetApplicationName().CompareNoCase(programPath) == 0)
                m_tasks.AddTail(task);
            ::CoTaskMemFree(names[i]);
        }
        ::CoTaskMemFree(names);
    }
    return batches > 0 ? 1 : 0;
}
