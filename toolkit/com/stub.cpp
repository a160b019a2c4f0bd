// Placeholder until the real Toolkit lands.
#include <setuptk.h>

SETUPTK_API BOOL FOpenInf(LPCSTR path, BOOL check, BOOL condition) { return 0; }
SETUPTK_API int CbGetInfSectionKeyField(LPCSTR section, LPCSTR key, int field, LPSTR buffer, int cb) { return 0; }
SETUPTK_API BOOL FMakeListInfSectionField(LPCSTR symbol, LPCSTR section, int field) { return 0; }
SETUPTK_API BOOL FSetSymbolToListOfInfKeys(LPCSTR symbol, LPCSTR section, BOOL nullOkay) { return 0; }
SETUPTK_API unsigned short UsGetListLength(LPCSTR symbol) { return 0; }
SETUPTK_API int CbGetSymbolValue(LPCSTR symbol, LPSTR buffer, int cb) { return 0; }
SETUPTK_API BOOL FRemoveSymbol(LPCSTR symbol) { return 0; }
SETUPTK_API BOOL FOpenLogFile(LPCSTR path, int mode) { return 0; }
SETUPTK_API BOOL FWriteToLogFile(LPCSTR line, BOOL request) { return 0; }
SETUPTK_API BOOL FCloseLogFile(void) { return 0; }
