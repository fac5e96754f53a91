#pragma once

#include <QString>

class CommandLine;

// The jobs the program does for scripts, without any window or display: a
// map exported or imported, a patch created or applied. Each reads and writes
// through the same code as the editor's menus (the cartridge through its one
// door, with the backup before the first write), and leaves every file as it
// was when it refuses an input or cannot write.
namespace HeadlessJobs {

struct Result {
    int exitCode = 0;  // 0 done, 1 refused or failed, 2 a usage error
    QString output;  // one line: what was written (0), or why not (1, 2)
};

Result Run(const CommandLine& commandLine);

}  // namespace HeadlessJobs
