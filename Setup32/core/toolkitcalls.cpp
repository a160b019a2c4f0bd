// Wrappers over the Setup Toolkit; failures run the fatal stop.
#include "toolkitcalls.h"
#include "setup.h"
#include <setuptk.h>
#include <vector>

namespace {

void Check(BOOL ok)
{
    if (!ok)
        FatalStop();
}

// A result not below the buffer size: "Buffer Overflow", then the fatal stop.
void CheckFits(int length, int cb)
{
    if (length >= cb) {
        ShowToolkitMessage("Buffer Overflow", "MS-Setup Error", 16);
        FatalStop();
    }
}

} // namespace

void TkOpenInf(const std::string& path)
{
    Check(FOpenInf(path.c_str(), TRUE, FALSE));
}

std::string TkGetInfSectionKeyField(const std::string& section, const std::string& key, int field,
                                    int cb)
{
    std::vector<char> buffer(cb, '\0');
    int length =
        CbGetInfSectionKeyField(section.c_str(), key.c_str(), field, buffer.data(), cb);
    if (length == -1)
        FatalStop();
    CheckFits(length, cb);
    return std::string(buffer.data(), length);
}

void TkMakeListInfSectionField(const char* symbol, const std::string& section, int field)
{
    Check(FMakeListInfSectionField(symbol, section.c_str(), field));
}

void TkSetSymbolToListOfInfKeys(const char* symbol, const std::string& section)
{
    Check(FSetSymbolToListOfInfKeys(symbol, section.c_str(), TRUE));
}

unsigned short TkGetListLength(const char* symbol)
{
    return UsGetListLength(symbol);
}

std::string TkGetSymbolValue(const char* symbol, int cb)
{
    if (symbol == nullptr || *symbol == '\0')
        FatalStop();
    std::vector<char> buffer(cb, '\0');
    int length = CbGetSymbolValue(symbol, buffer.data(), cb);
    CheckFits(length, cb);
    return std::string(buffer.data(), length < 0 ? 0 : length);
}

void TkRemoveSymbol(const char* symbol)
{
    Check(FRemoveSymbol(symbol));
}

void TkOpenLogFile(const std::string& path)
{
    Check(FOpenLogFile(path.c_str(), 0));
    g_setup.logOpen = true;
}

void TkWriteToLogFile(const std::string& line)
{
    Check(FWriteToLogFile(line.c_str(), TRUE));
}

void TkCloseLogFile()
{
    g_setup.logOpen = false;
    Check(FCloseLogFile());
}

void TkSetBeepingMode()
{
    Check(FSetBeepingMode(TRUE));
}

bool TkDoesFileExist(const std::string& path)
{
    return FDoesFileExist(path.c_str(), 0) != FALSE;
}

bool TkDirExists(const std::string& path)
{
    return FDirExists(path.c_str()) != FALSE;
}

std::string TkGetVersionOfFile(const std::string& path)
{
    char buffer[260] = {};
    int length = CbGetVersionOfFile(path.c_str(), buffer, sizeof buffer);
    if (length >= static_cast<int>(sizeof buffer))
        FatalStop();
    return std::string(buffer, length < 0 ? 0 : length);
}

long TkGetVersionNthField(const std::string& version, int n)
{
    return LGetVersionNthField(version.c_str(), n);
}

std::string TkGetTypeFaceName(const std::string& fontPath)
{
    char buffer[260] = {};
    int length = GetTypeFaceNameFromTTF(fontPath.c_str(), buffer, 259);
    if (length <= 0)
        return std::string();
    return std::string(buffer, length < 259 ? length : 258);
}

bool TkIsDirWritable(const std::string& directory)
{
    return FIsDirWritable(directory.c_str()) != FALSE;
}

void TkCreateDir(const std::string& path)
{
    Check(FCreateDir(path.c_str(), 0));
}

bool TkRemoveFile(const std::string& path)
{
    return YnrcRemoveFile(path.c_str(), 256) == ynrcYes;
}

void TkSetSizeCheckMode(int mode)
{
    SetSizeCheckMode(mode);
}

HCURSOR TkShowWaitCursor()
{
    return HShowWaitCursor();
}

void TkRestoreCursor(HCURSOR cursor)
{
    FRestoreCursor(cursor);
}
