#pragma once
// Arranges for the running executable to be deleted after its process ends,
// by a hidden batch script in the temporary folder: a file made new under a
// random name, which only administrators may open.
//
// The script is written in the ANSI code page (what cmd reads). A path that
// the code page cannot spell is replaced by its short form; when even that
// cannot be spelled no script is written, since a "?" put in its place would
// be a wildcard to "del". True when the script was started.
bool WriteSelfDeleteScript();
