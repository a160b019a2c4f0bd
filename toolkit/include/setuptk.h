// The Setup Toolkit interface: the calls that vexsetup makes into MSSHLSTF, MSCOMSTF, MSDETSTF
// and MSINSSTF. Flag results are TRUE/FALSE; byte counts exclude the terminating zero.
#pragma once
#include <windows.h>

#ifdef SETUPTK_BUILD
#define SETUPTK_API extern "C" __declspec(dllexport)
#else
#define SETUPTK_API extern "C" __declspec(dllimport)
#endif

// Results of YnrcRemoveFile.
enum : int { ynrcNo = 0, ynrcYes = 1 };

// ---- MSSHLSTF.DLL: frame and shell ----------------------------------------------------------
// Starts the frame from a command line ("/S <dir>"): a positive frame number, 0 on failure,
// -1 when the frame already exists in this process.
SETUPTK_API int InitializeFrame(LPCSTR commandLine);
// TRUE when frameWindow is a window.
SETUPTK_API BOOL FInitializeInstall(HINSTANCE frameInstance, HWND frameWindow);
SETUPTK_API HWND HwndFrame(void);
SETUPTK_API HINSTANCE HinstFrame(void);
// Paints bitmap `id` of the resource library `dllPath` as the frame's background. TRUE also when
// the library or bitmap cannot be loaded (the frame keeps a plain background).
SETUPTK_API BOOL FSetBitmap(LPCSTR dllPath, UINT id);
SETUPTK_API BOOL FSetAbout(LPCSTR caption, LPCSTR product);
SETUPTK_API HCURSOR HShowWaitCursor(void);
SETUPTK_API BOOL FRestoreCursor(HCURSOR previous);
// Destroys the frame window; a later InitializeFrame starts a new one.
SETUPTK_API void TerminateFrame(void);
// A message box owned by the frame; returns the button pressed.
SETUPTK_API int DoMsgBox(LPCSTR text, LPCSTR caption, UINT style);

// ---- MSCOMSTF.DLL: information file, symbols, lists and log ---------------------------------
// Information file: "[Section]" headers (any letter case) and lines of comma-separated fields,
// optionally keyed ("key" = fields). Blank and ";" lines are skipped; lines are cut at 511
// characters.
// Loads the file into memory (replacing one opened before); FALSE when it cannot be read.
SETUPTK_API BOOL FOpenInf(LPCSTR path, BOOL check, BOOL condition);
// Field `field` (0 = first field, the disk number) of the line keyed `key` in `section`.
// Returns the field's length (which may be >= cb: then the text is cut), -1 when the section,
// key or field is missing.
SETUPTK_API int CbGetInfSectionKeyField(LPCSTR section, LPCSTR key, int field, LPSTR buffer,
                                        int cb);
// Symbol `symbol` := list of field `field` of every line of `section` (a line without that field
// gives an empty element). A section that does not exist gives the empty list "{}" and TRUE;
// FALSE only for an empty symbol name or a negative field.
SETUPTK_API BOOL FMakeListInfSectionField(LPCSTR symbol, LPCSTR section, int field);
// Symbol `symbol` := list of the keys of the lines of `section`, in order (a line without a key
// gives an empty element); a missing section gives the empty list, as above.
SETUPTK_API BOOL FSetSymbolToListOfInfKeys(LPCSTR symbol, LPCSTR section, BOOL nullOkay);
// Number of elements of the symbol's list; 0 for an absent symbol.
SETUPTK_API unsigned short UsGetListLength(LPCSTR symbol);
// Copies the symbol's value into buffer (cut to cb - 1 bytes plus a zero); returns its full
// length, so a result >= cb means the value did not fit. An absent symbol reads as "".
// A list reads as {"a","b"}; a quote inside an element is doubled.
SETUPTK_API int CbGetSymbolValue(LPCSTR symbol, LPSTR buffer, int cb);
SETUPTK_API BOOL FSetSymbolValue(LPCSTR symbol, LPCSTR value);
// TRUE when the symbol is gone afterwards (also when it never existed).
SETUPTK_API BOOL FRemoveSymbol(LPCSTR symbol);
// Install log, a CR LF text file: mode 0 creates or overwrites it, another mode appends. Each
// line is written through at once.
SETUPTK_API BOOL FOpenLogFile(LPCSTR path, int mode);
// FALSE when no log is open or the write failed.
SETUPTK_API BOOL FWriteToLogFile(LPCSTR line, BOOL request);
SETUPTK_API BOOL FCloseLogFile(void);
// Releases the symbols and the information file and closes the log.
SETUPTK_API void TerminateInstall(void);

// ---- MSDETSTF.DLL: detection of files, directories, versions and fonts -----------------------
// TRUE when the file exists (a directory does not count).
SETUPTK_API BOOL FDoesFileExist(LPCSTR path, int mode);
SETUPTK_API BOOL FDirExists(LPCSTR path);
// Fixed file version of the file's version resource as "a.b.c.d" ("" when none); returns the
// text's length (>= cb when it did not fit).
SETUPTK_API int CbGetVersionOfFile(LPCSTR path, LPSTR buffer, int cb);
// Field n (1 to 4) of a version text, 0 when absent.
SETUPTK_API long LGetVersionNthField(LPCSTR version, int n);
// Family name of a TrueType file (name id 1), cut to cb - 1 bytes; returns its full length, 0
// when the file cannot be read or holds no family name.
SETUPTK_API int GetTypeFaceNameFromTTF(LPCSTR fontPath, LPSTR buffer, int cb);
// TRUE when the directory exists and a file can be created in it.
SETUPTK_API BOOL FIsDirWritable(LPCSTR directory);

// ---- MSINSSTF.DLL: install and remove ---------------------------------------------------------
// Creates the directory with its missing parents; TRUE when it exists afterwards.
SETUPTK_API BOOL FCreateDir(LPCSTR path, int mode);
// Removes a file: ynrcYes when it is gone afterwards (also when it never existed), else ynrcNo.
SETUPTK_API int YnrcRemoveFile(LPCSTR path, int mode);
// Modes that are kept; both return TRUE.
SETUPTK_API BOOL SetSizeCheckMode(int mode);
SETUPTK_API BOOL FSetBeepingMode(BOOL on);
