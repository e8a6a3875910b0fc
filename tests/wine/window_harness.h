#pragma once
// Driving windows in tests, the same way whether the window belongs to the
// test's own process (the wizard's in-process GUI tests) or to a program the
// test started (the end-to-end drivers of Pakforge.exe and Setup.exe):
// finding windows, reading and setting controls by id, pressing buttons,
// answering message boxes, list views and screenshots. Every message to a
// window goes with a time limit, so a hung program never hangs the test.

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace winharness {

// ---- Waiting and messages ----

/// Polls `done` every 50 ms until it holds or `timeout_ms` have passed;
/// answers its last value. Does not dispatch this thread's messages.
bool WaitFor(const std::function<bool()>& done, DWORD timeout_ms);

/// Sends `message` with a time limit of five seconds (SMTO_ABORTIFHUNG);
/// answers the result, 0 when it failed: a fault (see below) when the window
/// still exists, so it timed out.
LRESULT Send(HWND window, UINT message, WPARAM wparam = 0, LPARAM lparam = 0);

/// How many messages timed out and how many controls `SetItemText` did not
/// find so far; each is also reported on standard error.
int Faults();

/// Posts WM_COMMAND from control `id` (BN_CLICKED: a click on a push
/// button) to `dialog`; posted, so the caller never waits inside a modal
/// loop the command opens.
void PostCommand(HWND dialog, int id, int code = BN_CLICKED);

/// BM_CLICK on control `id`: a check box or radio button changes its state
/// and notifies the dialog, as the user's click does.
void ClickNow(HWND dialog, int id);

// ---- Texts and states ----

/// The text of a window of any process (the program's ANSI bytes). Sent as
/// WM_GETTEXT, because only the message reaches an edit control's text.
std::string WindowText(HWND window);
/// The same as UTF-16, exactly as the user sees it whatever the code page.
std::wstring WideText(HWND window);
/// The text of control `id` of `dialog`.
std::string ItemText(HWND dialog, int id);
/// Sets the text of control `id` (an edit notifies EN_CHANGE as for typing).
void SetItemText(HWND dialog, int id, const std::string& text);
/// The window's class name.
std::string ClassOf(HWND window);
bool IsChecked(HWND dialog, int id);
/// True when control `id` exists and is enabled.
bool IsEnabled(HWND dialog, int id);

// ---- Finding windows ----

/// The top-level windows of process `pid` for which `match` holds, in
/// z-order; hidden ones too unless `visible_only`.
std::vector<HWND> TopWindows(DWORD pid, const std::function<bool(HWND)>& match, bool visible_only = true);

/// Waits for the first visible top-level window of `pid` that `match`es;
/// null when none came within `timeout_ms`.
HWND WaitTopWindow(DWORD pid, const std::function<bool(HWND)>& match, DWORD timeout_ms);

/// A dialog (class "#32770") with the title `title` (ANSI bytes): a picker,
/// a chooser or a message box.
std::function<bool(HWND)> DialogTitled(const std::string& title);

/// The visible child dialog (a page) of `parent` that holds control `marker`.
HWND FindChildDialog(HWND parent, int marker);

/// Waits until `window` is destroyed or hidden; false after `timeout_ms`.
bool WaitGone(HWND window, DWORD timeout_ms);

// ---- Message boxes ----

/// The texts of the static controls of message box `box`, joined.
std::string MessageText(HWND box);

/// Answers message box `box` with `button` and waits until it has gone;
/// false when it stays.
bool AnswerMessage(HWND box, int button, DWORD timeout_ms);

// ---- List views of any process ----

int ListCount(HWND list);
/// The text of cell (`row`, `column`).
std::string ListText(HWND list, int row, int column);
/// The item data (LVIF_PARAM) of `row`.
LPARAM ListData(HWND list, int row);
/// Every row's texts of columns 0..columns-1.
std::vector<std::vector<std::string>> ListRows(HWND list, int columns);
/// The texts of one column of all rows.
std::vector<std::string> ListColumn(HWND list, int column = 0);
/// Index of the first row whose column 0 equals `text`, or -1.
int FindListRow(HWND list, const std::string& text);
/// Replaces the selection by `rows` (negative rows are skipped); the list
/// notifies its parent (LVN_ITEMCHANGED) as for the user's click.
void SetSelectedRows(HWND list, const std::vector<int>& rows);
/// Indices of the selected rows, ascending.
std::vector<int> SelectedRows(HWND list);

/// Converts UTF-8 to the Shift-JIS bytes Pakmak and Pakforge hold (for
/// readable literals in the tests). Aborts the test program on an
/// unconvertible text.
std::string Sjis(const char* utf8);

// ---- Screenshots ----

/// The folder for the screenshots of `language`: PAK_SCREENSHOTS (a Windows
/// path) followed by "\<language>", both made when missing; empty when
/// PAK_SCREENSHOTS is unset (no screenshots are asked for).
std::string ScreenshotFolder(const std::string& language);

/// Saves what the screen shows of `window` (of any process, with its frame)
/// as a PNG file at `path`; false when it cannot be written.
bool SaveScreenArea(HWND window, const std::string& path);

/// Redraws `window` of another process, gives it time to paint and saves it
/// as `folder`\`name`.png. True when saved or when `folder` is empty.
bool Screenshot(HWND window, const std::string& folder, const std::string& name);

}  // namespace winharness
