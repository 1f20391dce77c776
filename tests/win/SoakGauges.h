#pragma once
// What a running process holds, read from outside it: kernel handles, GDI
// objects, windows, memory and CPU time. Under Wine several of the system's
// own answers are empty or wrong for another process, so each gauge falls
// back to a source that Wine does fill (see SoakGauges.cpp for which).
#include <windows.h>

#include <string>

namespace wintest {

// -1 where a figure could not be read.
struct ProcessFigures {
    long handles = -1;      // kernel handles in the process's handle table
    long gdiObjects = -1;   // GDI objects, the process's stock objects included
    long windows = -1;      // windows of the process (the USER objects Wine lets us attribute)
    double workingSetMb = -1;
    double privateMb = -1;  // committed private memory
};

ProcessFigures MeasureProcess(DWORD pid);

long HandleCountOf(DWORD pid);
long GdiObjectCountOf(DWORD pid);
long WindowCountOf(DWORD pid);
// Working set and private bytes in bytes; false when unreadable.
bool MemoryOf(DWORD pid, SIZE_T* workingSet, SIZE_T* privateBytes);
// User plus kernel time the process has used so far, in milliseconds
// (GetProcessTimes; under Wine the system's process list); -1 when unknown.
double CpuMillisecondsOf(DWORD pid);

// The process's windows counted by class: "Button 9, #32770 2, ...".
std::string WindowClassesOf(DWORD pid);

// "handles 312 gdi 140 windows 23 ws 40.1 MB private 12.3 MB"
std::string Describe(const ProcessFigures& f);

}  // namespace wintest
