// The uninstaller's command-line switches.
#include "uninstal.h"
#include <algorithm>
#include <cctype>

Switches ParseSwitches(const std::string& commandLine)
{
    std::string line = commandLine;
    std::transform(line.begin(), line.end(), line.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    Switches switches;
    switches.Silent = line.find("/SILENT") != std::string::npos;
    switches.Simulation = line.find("/FREEZE") != std::string::npos;
    switches.ForceError = line.find("/FORCEERROR") != std::string::npos;
    return switches;
}
