#pragma once
// Marks of where a process's start-up spends its time and memory, for the
// benchmarks (tools/bench/startup-trace.sh). A build whose setting allows it
// (the scripted build) appends one line per mark to the file that the
// environment variable ZUVA_STARTUP_TRACE names:
//   <process id> TAB <ms since the process was created> TAB <private KB> TAB <mark>
// Zuva.exe never writes any; without the variable nothing is written either.

// Appends the mark `step` (plain ASCII, no tabs or line breaks).
void TraceStartupStep(const char* step);
