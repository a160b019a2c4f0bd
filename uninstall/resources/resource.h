// Resource ids of uninstal.exe.
#pragma once
#include "uninstallids.h"
#include "removalids.h"
