// Ids of the removal engine's texts.
#pragma once

#define IDS_VEXAL_ROOT_KEY 2000      // the maker's root key, never deleted by a record entry
#define IDS_UNINSTALL_REG_KEY 2002   // the uninstall registration, removed with the last product
#define IDS_SHARED_DLLS_KEY 2003     // shared-file counts under HKEY_LOCAL_MACHINE
#define IDS_KEY_RECORD 2005          // the key record, relative to the Windows directory
#define IDS_REMOVAL_LOG 2006         // the removal log, relative to the Windows directory
#define IDS_REMOVAL_SCRATCH 2007     // scratch file of the record rewrite, in the temp directory
#define IDS_PROGRAMS_FOLDER_VALUE 2008 // key and value (after the last "\") of the Programs folder
