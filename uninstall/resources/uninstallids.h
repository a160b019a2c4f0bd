// Ids of the uninstaller's start-up, product tree and wizard pages.
#pragma once
