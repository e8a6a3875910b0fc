// Resource ids of the launcher (Setup.exe).
#pragma once

// Dialogs (pages).
#define IDD_WELCOME 101
#define IDD_LICENSE 103
#define IDD_TEXT 105

// Picture shown on every page, and the program's icon.
#define IDB_PICTURE 102
#define IDI_SETUP 105

// Controls of the pages.
#define IDC_TEXT 1001
#define IDC_WELCOME 1006
#define IDC_INSTRUCTION 1008
#define IDC_PICTURE 1010
#define IDC_RULE 1011

// Strings.
#define IDS_CLASS_NAME 1
#define IDS_TITLE 2
#define IDS_CONFIRM_CANCEL 3
#define IDS_READ_ERROR 5
#define IDS_WELCOME 6
#define IDS_LICENSE_INSTRUCTION 7
#define IDS_LICENSE_TITLE 8
#define IDS_DEFAULT_APP_NAME 14
#define IDS_TEXT_TITLE 16
#define IDS_TEXT_INSTRUCTION 17

// Strings: the application manager could not be started.
#define IDS_NO_MANAGER_REGISTRY 20
#define IDS_NO_MANAGER_FILE 21
#define IDS_MANAGER_START_FAILED 22

// Strings: the words of the message boxes' buttons, set from these tables
// whatever the system's language.
#define IDS_BUTTON_OK 30
#define IDS_BUTTON_CANCEL 31
