// The options file noctil.gid beside the program.
#pragma once
#include <windows.h>

#include "state/options_layout.h"

extern const char kOptionsFileName[];   // "noctil.gid"
extern const char kOptionsFreshName[];  // "noctil.new": the next file, written whole before it replaces the old one
extern const char kOptionsAsideName[];  // "noctil.old": the old file, while it is replaced without MoveFileExA
extern const char kCompanionProgram[];  // "noctillink.exe"

// Reads g_app.options from the file; on the first run (no file, or an empty
// one) starts the companion program instead and keeps the start values.
void loadOptions();
// Writes g_app.options. A save that fails leaves the previous file as it was.
void saveOptions();

// The parts of the two above, for the tests.

// Reads the options file over `inOut` as it stands, or, only when it is
// missing, the complete file an interrupted save left beside it (also under
// the earlier versions' names). False when there was nothing to read (the
// first run).
bool readOptionsFile(Options& inOut);
// Writes the whole file beside the old one, then puts it in its place; where
// no new file can be made beside it, rewrites the file in place.
bool writeOptionsFile(const Options& options);
// Puts the complete file `fresh` in the place of `target`. Without a working
// MoveFileExA (Windows 95, 98 and Me, or `allowMoveFileEx` false) the old
// target is first renamed to `aside` and removed at the end. A read-only
// target or a directory is not replaced. On failure `target` is as it was
// and `fresh` is removed; only if even putting the old file back failed do
// `aside` (old) and `fresh` (new) remain for the next load.
bool replaceFileSafely(const char* fresh, const char* target, const char* aside, bool allowMoveFileEx);
