#pragma once
// Ids of Pakforge's string table, shared by the portable core (which names
// its messages by these ids), pakforge-build and the Win32 program, whose
// resource script holds the texts (strings_ja.rc, strings_en.rc beside this
// file) and includes this header through resource.h. Plain #defines, so that
// the resource compiler reads them as well.

#define IDS_TITLE 1                 // wizard and host window title
#define IDS_FOLDER_NOT_FOUND 4      // folder '%s' not found
#define IDS_COL_ROOT 5
#define IDS_COL_KEY 6
#define IDS_COL_NAME 7
#define IDS_COL_TYPE 8
#define IDS_COL_VALUE 9
#define IDS_COL_FILE_NAME 10
#define IDS_NO_FILES 12
#define IDS_FILL_ALL 13
#define IDS_MESSAGE_CAPTION 14      // caption of every message box
#define IDS_SELECT_EXE 15
#define IDS_KEY_VALUE_REQUIRED 16
#define IDS_VERSION 17              // "Pakforge.exe Ver 1.00.%02dJ\n"
#define IDS_BAD_BINARY 18
#define IDS_BAD_DWORD 19
#define IDS_BAD_SZ 20
#define IDS_BAD_MULTI_SZ 21
#define IDS_APP_FOLDER 22           // "(ｱﾌﾟﾘｹｰｼｮﾝﾌｫﾙﾀﾞ)"
#define IDS_COL_DEST 23
#define IDS_LANG_US 28
#define IDS_LANG_JP 29
#define IDS_INSTDIR_TOO_LONG 30
#define IDS_OUTPUT_FAILED 31
#define IDS_NAME_TOO_LONG 32
#define IDS_OUTPUT_TOO_LONG 33
#define IDS_SOURCE_TOO_LONG 34
#define IDS_EXISTING 35
#define IDS_OWN 36
#define IDS_NEW_FOLDER 37
#define IDS_BAD_NAME 38
#define IDS_NO_NATIVE_INA 39
#define IDS_FOLDER_EXISTS 40
#define IDS_FINISH_TEXT 41
#define IDS_NOT_FOUND 42
#define IDS_MANY_NATIVE_INA 43
#define IDS_DUPLICATE_NAMES 44
#define IDS_NO_PAKMAK 45
#define IDS_PATH_TOO_LONG 46
#define IDS_NESTED_FOLDERS 47
#define IDS_MISSING_FILES 49
#define IDS_CHOOSER_DOCS_TEXT 50    // chooser explanation, "My Documents" mode
#define IDS_CHOOSER_APP_TEXT 51     // chooser explanation, application folder mode
#define IDS_SAVE_FAILED 52          // the project file could not be written

// Finish's question about other files and its report of the build; page 2's
// refusals of settings the archive builder cannot take.
#define IDS_FOREIGN_OUTPUTS 70      // other .txt/.inf files would be deleted (Yes/No)
#define IDS_BUILD_DONE 71           // the archive was made: name, size
#define IDS_BUILD_FAILED 72         // the archive was not made: the builder's messages
#define IDS_BUILD_RUNNING 73        // the builder has not ended within the wait
#define IDS_CMD_QUOTE 74            // a double quote in the start-up command line
#define IDS_UNINSTALL_REQUIRED 75   // the builder requires uninstall information

// Closing the wizard with changes that Finish has not saved: the question.
#define IDS_CONFIRM_CLOSE 76

// Page 3's questions about the files list.
#define IDS_REREAD_FILES 80         // a re-read resets the chosen destinations (Yes/No)
#define IDS_UNLISTED_FILES 81       // files not in a loaded project's list: add them? (Yes/No)

// Refusals that keep Finish's files inside the project's folders.
#define IDS_OUTPUT_NAME_CLASH 90    // two files Finish writes would share a name: which
#define IDS_SOURCE_OUTSIDE 91       // the source folder leads out of the project's folder: where

// A hand-written project file's registry row with a root or type word the
// wizard does not write: which rows and words.
#define IDS_UNKNOWN_REGISTRY_WORDS 92

// A hand-written project file's words that the wizard never writes and
// names it does not read, told once when it is opened: the message and the
// forms of its lines.
#define IDS_PROJECT_FILE_REVIEW 93
#define IDS_REVIEW_WORD 94          // line, key, value, the words written, the word read
#define IDS_REVIEW_SECTION 95       // line, section
#define IDS_REVIEW_KEY 96           // line, key
#define IDS_REVIEW_SUGGESTION 97    // a name one edit away
#define IDS_REVIEW_MORE 98          // how many more

// The words of the wizard sheet's buttons and of the message boxes' buttons,
// set from these tables whatever the system's language.
#define IDS_BUTTON_BACK 100
#define IDS_BUTTON_NEXT 101
#define IDS_BUTTON_FINISH 102
#define IDS_BUTTON_CANCEL 103
#define IDS_BUTTON_OK 104
#define IDS_BUTTON_YES 105
#define IDS_BUTTON_NO 106

// Refusals of Finish: a copied file that a written file would overwrite,
// a folder path the batch file cannot quote, a control character in a
// project value.
#define IDS_COPIED_FILE_OVERWRITTEN 120
#define IDS_BATCH_PATH_UNSAFE 121
#define IDS_CONTROL_CHARACTER 122

// A project file saved as UTF-8 with a character that Shift-JIS lacks,
// told when it is opened: line, key and character, or line and character.
#define IDS_UNCONVERTIBLE_IN_VALUE 123
#define IDS_UNCONVERTIBLE_IN_LINE 124
// A project file that begins with the UTF-8 byte-order mark but holds a
// byte that is no UTF-8, told when it is opened: line and byte.
#define IDS_MALFORMED_UTF8 125
