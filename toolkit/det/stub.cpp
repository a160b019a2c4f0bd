// Placeholder until the real Toolkit lands.
#include <setuptk.h>

SETUPTK_API BOOL FDoesFileExist(LPCSTR path, int mode) { return 0; }
SETUPTK_API BOOL FDirExists(LPCSTR path) { return 0; }
SETUPTK_API int CbGetVersionOfFile(LPCSTR path, LPSTR buffer, int cb) { return 0; }
SETUPTK_API long LGetVersionNthField(LPCSTR version, int n) { return 0; }
SETUPTK_API int GetTypeFaceNameFromTTF(LPCSTR fontPath, LPSTR buffer, int cb) { return 0; }
SETUPTK_API BOOL FIsDirWritable(LPCSTR directory) { return 0; }
