// Stands in for a browser, a mail program or the system information tool:
// appends the command line it was started with to the file named by the
// environment variable TABWRIGHT_PROBE_LOG, one line each start.
#include <windows.h>

#include <cstdio>

int wmain() {
    wchar_t log[MAX_PATH] = {};
    if (!GetEnvironmentVariableW(L"TABWRIGHT_PROBE_LOG", log, MAX_PATH)) return 1;
    FILE* file = _wfopen(log, L"a, ccs=UTF-8");
    if (!file) return 1;
    fwprintf(file, L"%ls\n", GetCommandLineW());
    fclose(file);
    return 0;
}
