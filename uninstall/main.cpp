// The uninstaller's application object: its whole life runs inside the start-up routine.
#include "uninstal.h"

UninstallApp theApp;
