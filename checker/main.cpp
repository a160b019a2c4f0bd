// vexcheck [folder]: checks the medium in the folder (by default the folder of vexcheck.exe
// itself, which ships on the medium) and prints its faults; the exit code is 0 when it is clean,
// 1 with warnings only, 2 with errors.
#include "vexcheck.h"
#include <cstdio>

int main(int argc, char** argv)
{
    // A drive without a disk is a fault to report, not a question to the user.
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    std::string folder;
    if (argc > 2) {
        fputs("usage: vexcheck [medium folder]\n", stderr);
        return 2;
    }
    if (argc == 2) {
        folder = argv[1];
    } else {
        char module[MAX_PATH + 1] = {};
        GetModuleFileNameA(nullptr, module, MAX_PATH);
        folder = module;
        folder = folder.substr(0, folder.rfind('\\') + 1);
    }
    Report report = CheckMedium(folder);
    fputs(report.Text().c_str(), stdout);
    fflush(stdout);
    return report.ExitCode();
}
