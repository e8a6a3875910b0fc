#pragma once
// Resource ids of Pakforge: dialogs, controls, strings and icons.
// Shared by pakforge.rc, lists_dialogs.rc and the C++ sources. Control ids
// repeat between dialogs; each dialog has its own set of names.

#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif

// ---- Icons ---------------------------------------------------------------
#define IDI_PAKFORGE_1 1    // program icon shown by the shell
#define IDI_PAKFORGE_2 2    // second program icon (small variant)
#define IDI_PAKFORGE 109    // icon of the window class PakforgeWizard

// ---- Dialogs -------------------------------------------------------------
#define IDD_IO_PAGE 101           // page 1: names, version and folders
#define IDD_INSTALL_PAGE 102      // page 2: install settings
#define IDD_FILES_PAGE 103        // page 3: files to copy
#define IDD_REGISTRY_PAGE 104     // page 4: registry entries
#define IDD_FINISH_PAGE 105       // page 5: finish
#define IDD_REGISTRY_ENTRY 106    // registry entry editor
#define IDD_STARTUP_PICKER 107    // start-up program picker
#define IDD_PROJECT_PICKER 108    // saved-project picker
#define IDD_FOLDER_CHOOSER 109    // destination folder chooser
#define IDD_SOURCE_PICKER 110     // source folder picker

// ---- IDD_IO_PAGE (page 1) -----------------------------------------------
#define IDC_IO_PRODUCT 1000
#define IDC_IO_NAME 1001
#define IDC_IO_OUTPUT 1002
#define IDC_IO_SOURCE 1003
#define IDC_IO_CAPTION 1005
#define IDC_IO_BROWSE 1007
#define IDC_IO_LANGUAGE 1036
#define IDC_IO_VER_MAJOR 1048
#define IDC_IO_VER_MINOR 1049
#define IDC_IO_LVAR 1052

// ---- IDD_INSTALL_PAGE (page 2) ------------------------------------------
#define IDC_INST_DIR 1005
#define IDC_INST_EXE_PATH 1006
#define IDC_INST_SELECT 1007
#define IDC_INST_DEST_BOTH 1008
#define IDC_INST_DEST_MAIN 1009
#define IDC_INST_DEST_CARD 1010
#define IDC_INST_UNINSTALL 1011
#define IDC_INST_UNINST_FILE 1012
#define IDC_INST_PROGRAM_FILES 1037
#define IDC_INST_CMD 1043
#define IDC_INST_REBOOT 1046
#define IDC_INST_UNREGIST 1056

// ---- IDD_FILES_PAGE (page 3) --------------------------------------------
#define IDC_FILES_LIST 1013
#define IDC_FILES_DEST 1029
#define IDC_FILES_REFRESH 1031
#define IDC_FILES_SOURCE_PATH 1050

// ---- IDD_REGISTRY_PAGE (page 4) -----------------------------------------
#define IDC_REG_LIST 1014
#define IDC_REG_ADD 1015
#define IDC_REG_EDIT 1016
#define IDC_REG_DELETE 1017
#define IDC_REG_COPY 1018

// ---- IDD_FINISH_PAGE (page 5) -------------------------------------------
#define IDC_FINISH_NAME 1001
#define IDC_FINISH_VERSION 1004
#define IDC_FINISH_TEXT 1047
#define IDC_FINISH_CREATE 1051

// ---- IDD_REGISTRY_ENTRY (registry entry) --------------------------------
#define IDC_ENTRY_HKLM 1018
#define IDC_ENTRY_HKCU 1019
#define IDC_ENTRY_HKCR 1021
#define IDC_ENTRY_KEY 1022
#define IDC_ENTRY_NAME 1023
#define IDC_ENTRY_VALUE 1024
#define IDC_ENTRY_SZ 1025
#define IDC_ENTRY_DWORD 1026
#define IDC_ENTRY_BINARY 1027
#define IDC_ENTRY_MULTI_SZ 1028

// ---- IDD_STARTUP_PICKER, IDD_PROJECT_PICKER, IDD_SOURCE_PICKER (pickers) ----
#define IDC_PICK_PATH 1029   // IDD_STARTUP_PICKER only: the source folder path
#define IDC_PICK_LIST 1030

// ---- IDD_FOLDER_CHOOSER (destination folder chooser) --------------------
#define IDC_CHOOSER_ADD 1015
#define IDC_CHOOSER_DELETE 1017
#define IDC_CHOOSER_LIST 1034
#define IDC_CHOOSER_SELECT 1040
#define IDC_CHOOSER_CANCEL 1041
#define IDC_CHOOSER_APP 1044
#define IDC_CHOOSER_DOCS 1045
#define IDC_CHOOSER_TEXT 1047

// ---- String table --------------------------------------------------------
// The string ids belong to the portable core, which shows the texts too.
#include "project/text_ids.h"
