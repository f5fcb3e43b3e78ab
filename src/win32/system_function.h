// A function of a system library looked up at run time, for functions that
// older Windows versions (or the 32-bit build's headers) lack. Null when the
// running system does not have it.
#pragma once

#include <windows.h>

namespace tabwright::win32 {

template <typename Function>
Function SystemFunction(const wchar_t* module, const char* name) {
    const HMODULE library = GetModuleHandleW(module);
    if (!library) return nullptr;
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(library, name)));
}

}  // namespace tabwright::win32
