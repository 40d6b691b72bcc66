#include "app/process_end.h"

#include <windows.h>

void EndProcessNow(int code)
{
    // ExitProcess would still run the libraries' detach code, which can wait
    // on a lock the stuck print thread holds.
    TerminateProcess(GetCurrentProcess(), static_cast<UINT>(code));
    for (;;)
        Sleep(INFINITE);
}
