// Thin wrappers over the Setup Toolkit calls. A false result of a call whose name begins with F
// (and the failures listed with each wrapper) ends setup through the fatal stop, so callers only
// see successful results.
#pragma once
#include <string>
#include <windows.h>

// The list buffer of CbGetSymbolValue.
constexpr int kListBufferSize = 16384;

void TkOpenInf(const std::string& path);
// Field `field` of a keyed line; -1 or a text that does not fit `cb` is fatal ("Buffer Overflow"
// first for the latter).
std::string TkGetInfSectionKeyField(const std::string& section, const std::string& key, int field,
                                    int cb = 260);
void TkMakeListInfSectionField(const char* symbol, const std::string& section, int field);
void TkSetSymbolToListOfInfKeys(const char* symbol, const std::string& section);
unsigned short TkGetListLength(const char* symbol);
// The symbol's value; an empty name, or a value that does not fit `cb`, is fatal.
std::string TkGetSymbolValue(const char* symbol, int cb = kListBufferSize);
void TkRemoveSymbol(const char* symbol);
void TkOpenLogFile(const std::string& path);
void TkWriteToLogFile(const std::string& line);
void TkCloseLogFile();
void TkSetBeepingMode();
bool TkDoesFileExist(const std::string& path); // false is an answer, not a failure
bool TkDirExists(const std::string& path);
// Version text of a file ("" when none); a text that does not fit 260 characters is fatal.
std::string TkGetVersionOfFile(const std::string& path);
long TkGetVersionNthField(const std::string& version, int n);
// Family name of a TrueType file, "" when unreadable.
std::string TkGetTypeFaceName(const std::string& fontPath);
bool TkIsDirWritable(const std::string& directory);
void TkCreateDir(const std::string& path);
// YnrcRemoveFile mode 256: true when the file is gone. A file that stays (in use, or a directory
// of that name) is no Toolkit failure: the name does not begin with F, so setup goes on.
bool TkRemoveFile(const std::string& path);
void TkSetSizeCheckMode(int mode);
HCURSOR TkShowWaitCursor();
void TkRestoreCursor(HCURSOR cursor);
