#pragma once
// In-process GUI test bed for the wizard: real pages inside a modeless
// wizard-mode property sheet, message pumping, control helpers, automatic
// answers to the modal dialogs the pages open, and a scratch work folder
// that becomes the current directory (the wizard works relative to it).
//
// Everything here runs on the test's one thread, as the wizard itself does.
// Modal loops (pickers, IDD_REGISTRY_ENTRY, IDD_FOLDER_CHOOSER) keep dispatching messages, so a
// thread timer installed by `ModalResponder` reaches into them and answers.

#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "base/test_temp_folder.h"
#include "pakforge/message_boxes.h"
#include "window_harness.h"

namespace guitest {

/// Dispatches every message of this thread until the queue has stayed empty
/// for `quiet_ms`, or until `max_ms` have passed. Messages of the open
/// `WizardSheet` go through `PropSheet_IsDialogMessage` first. With the
/// environment variable GUITEST_TRACE set, every message is logged.
void PumpMessages(DWORD quiet_ms = 60, DWORD max_ms = 5000);

/// Pumps until `done()` is true or `max_ms` pass. Answers `done()`.
bool PumpUntil(const std::function<bool()>& done, DWORD max_ms = 5000);

/// A modeless property sheet in wizard mode (PSH_WIZARD | PSH_MODELESS)
/// holding pages the test creates (e.g. with `WizardPage::CreatePage`).
class WizardSheet {
 public:
  WizardSheet() = default;
  WizardSheet(const WizardSheet&) = delete;
  WizardSheet& operator=(const WizardSheet&) = delete;
  /// Destroys the sheet if it still exists.
  ~WizardSheet();

  /// Creates the sheet over `pages` (ownership of the handles passes to the
  /// sheet), shows it and pumps until idle. Answers false when the sheet
  /// could not be made.
  bool Open(const std::vector<HPROPSHEETPAGE>& pages, HWND parent = nullptr);

  /// The sheet window (null before Open and after Close).
  HWND sheet() const { return sheet_; }
  /// The page dialog now shown, or null once the wizard has ended.
  HWND page() const;
  /// Index of the page shown, or -1 once the wizard has ended.
  int index() const;
  /// True when Finish or Cancel has ended the wizard (the sheet then has no
  /// current page; the window itself stays until `Close`).
  bool ended() const { return sheet_ == nullptr || page() == nullptr; }

  /// Presses a wizard button (PSM_PRESSBUTTON) and pumps until idle.
  void PressNext();
  void PressBack();
  void PressFinish();
  void PressCancel();

  /// Whether the sheet's Back / Next / Finish button is shown enabled.
  bool BackEnabled() const;
  bool NextEnabled() const;
  bool FinishEnabled() const;
  /// The sheet's title text (set by the pages with PSM_SETTITLE).
  std::string Title() const;

  /// Destroys the sheet window.
  void Close();

 private:
  bool ButtonEnabled(int id) const;
  void Press(int button);
  HWND sheet_ = nullptr;
};

// ---- Controls (texts are the program's own bytes: Shift-JIS) ----

/// Sets the text of control `id` of `dialog` (WM_SETTEXT: edits notify
/// EN_UPDATE / EN_CHANGE as when the user types) and pumps.
void SetText(HWND dialog, int id, const std::string& text);
// Reading controls (WindowText, IsChecked, IsEnabled), clicks without
// pumping (ClickNow), list views (ListText, FindListRow, SelectedRows...) and
// Sjis work here as in the end-to-end drivers.
using namespace winharness;
/// The text of control `id`.
inline std::string GetText(HWND dialog, int id) { return winharness::ItemText(dialog, id); }
/// Clicks a button the way the user does (BM_CLICK; a disabled button
/// ignores it), then pumps.
void Click(HWND dialog, int id);
/// Sends WM_COMMAND (BN_CLICKED) from control `id` to `dialog` directly,
/// whatever the button's state, then pumps.
void Command(HWND dialog, int id, int code = BN_CLICKED);
/// The same without pumping, for use inside a modal dialog, whose
/// responder's timer never lets the queue turn quiet.
void CommandNow(HWND dialog, int id, int code = BN_CLICKED);
/// The input limit of an edit (EM_GETLIMITTEXT).
int EditLimit(HWND dialog, int id);
/// Control id of the window that has the keyboard focus (0 if none).
int FocusedId();
/// Selection of an edit as [start, end).
std::pair<int, int> EditSelection(HWND dialog, int id);
/// Window style of control `id`.
LONG Style(HWND dialog, int id);

/// Combo box rows: count, texts, item data; current selection index (-1).
int ComboCount(HWND dialog, int id);
std::string ComboText(HWND dialog, int id, int row);
LPARAM ComboData(HWND dialog, int id, int row);
int ComboSelection(HWND dialog, int id);
/// Selects a row as the user does: CB_SETCURSEL then CBN_SELCHANGE.
void SelectCombo(HWND dialog, int id, int row);

// ---- List views ----

/// Replaces the selection by `rows` (LVN_ITEMCHANGED reaches the parent)
/// and pumps.
void SelectRows(HWND list, const std::vector<int>& rows);
/// The same without pumping (see CommandNow); negative rows are skipped.
inline void SelectRowsNow(HWND list, const std::vector<int>& rows) { winharness::SetSelectedRows(list, rows); }
/// Sends the parent the LVN_ITEMACTIVATE that a double click on `row`
/// produces, then pumps.
void ActivateRow(HWND list, int row);
/// Double-clicks row `row` with the mouse (WM_LBUTTONDBLCLK at the middle
/// of its label, as the list view receives it), without pumping.
void DoubleClickRowNow(HWND list, int row);

// ---- Modal dialogs opened by the code under test ----

/// Answers modal dialogs of this thread in the order they are expected.
/// While an instance lives, a 20 ms thread timer looks for a visible,
/// enabled top-level dialog (other than the test's sheet) that has not been
/// handled yet. If the first expected step's title matches, its action runs
/// with the dialog handle. A dialog that matches no step for `grace_ms` is
/// recorded as unexpected and cancelled (IDCANCEL, then WM_CLOSE), so a test
/// never waits for a human.
class ModalResponder {
 public:
  using Action = std::function<void(HWND dialog)>;

  explicit ModalResponder(DWORD grace_ms = 1500);
  ~ModalResponder();
  ModalResponder(const ModalResponder&) = delete;
  ModalResponder& operator=(const ModalResponder&) = delete;

  /// Queues one expected dialog by its title (Shift-JIS) and its answer.
  void Expect(const std::string& title, Action action);
  /// Number of expected steps not reached yet.
  size_t pending() const { return steps_.size(); }
  /// Titles of the dialogs that arrived unexpected (and were cancelled).
  const std::vector<std::string>& unexpected() const { return unexpected_; }
  /// Titles of the dialogs answered so far, in order.
  const std::vector<std::string>& answered() const { return answered_; }

 private:
  struct Step {
    std::string title;
    Action action;
  };
  static void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD);
  void Poll();

  UINT_PTR timer_ = 0;
  DWORD grace_ms_;
  bool busy_ = false;
  std::vector<std::pair<HWND, DWORD>> waiting_;  // unmatched dialogs, first seen
  std::vector<Step> steps_;
  std::vector<HWND> handled_;
  std::vector<std::string> unexpected_;
  std::vector<std::string> answered_;
};

/// Common answers for `ModalResponder` steps.
/// Presses a button of the dialog (WM_COMMAND, as a click does).
ModalResponder::Action PressButton(int id);
/// Selects the list row whose column 0 is `text` in list `list_id`, then
/// presses `button_id`. If no row matches, cancels with `cancel_id`.
ModalResponder::Action ChooseRow(int list_id, const std::string& text, int button_id,
                                 int cancel_id = IDCANCEL);
/// Records the dialog's list rows (column 0) and the enabled state of
/// `button_id`, then presses `then_id`.
ModalResponder::Action InspectList(int list_id, std::vector<std::string>* rows, int button_id,
                                   bool* button_enabled, int then_id);

// ---- Recorded message boxes ----

/// One message box the wizard would have shown.
struct ShownMessage {
  int id = 0;
  std::string text;
  UINT style = 0;
  HWND owner = nullptr;
};

/// The wizard's message boxes, recorded and answered instead of shown: the
/// application object and the dialogs under test are handed this recorder.
class MessageRecorder : public pakforge::MessageBoxes {
 public:
  MessageRecorder() = default;
  MessageRecorder(const MessageRecorder&) = delete;
  MessageRecorder& operator=(const MessageRecorder&) = delete;

  const std::vector<ShownMessage>& messages() const { return messages_; }
  /// Ids of the recorded messages in order.
  std::vector<int> ids() const;
  void Clear() { messages_.clear(); }
  /// Queues the answer of the next message (IDYES, IDNO...); a message with
  /// no queued answer gets the standing answer (see SetAnswer).
  void Answer(int result) { answers_.push_back(result); }
  /// The answer every later message without a queued answer gets (IDOK
  /// until changed).
  void SetAnswer(int answer) { default_answer_ = answer; }
  /// Records the message and answers it.
  int ShowText(HWND owner, int string_id, const std::string& text, UINT style) override;

 private:
  std::vector<ShownMessage> messages_;
  std::vector<int> answers_;
  int default_answer_ = IDOK;
};

// ---- Scratch work folder ----

/// A fresh folder under the system's temporary folder that is the current
/// directory while the object lives; removed with everything in it after.
class WorkFolder {
 public:
  WorkFolder();
  ~WorkFolder();
  WorkFolder(const WorkFolder&) = delete;
  WorkFolder& operator=(const WorkFolder&) = delete;

  /// Full path, without a trailing backslash.
  const std::string& path() const { return path_; }
  /// `path()` + "\\" + relative.
  std::string Full(const std::string& relative) const;
  /// Creates a folder (relative to the work folder; parents must exist).
  bool MakeFolder(const std::string& relative) const;
  /// Writes `bytes` into a file (created or replaced).
  bool WriteFile(const std::string& relative, const std::string& bytes) const;
  /// Writes each (relative path, bytes) of `files`; false when one fails.
  bool WriteFiles(const std::vector<std::pair<std::string, std::string>>& files) const;
  /// Reads a whole file; `ok` false when it cannot be opened.
  std::string ReadFile(const std::string& relative, bool* ok = nullptr) const;
  bool Exists(const std::string& relative) const;
  bool Remove(const std::string& relative) const;
  /// Makes a folder inside the work folder whose full path is exactly
  /// `length` bytes long (nested when needed) and makes it the current
  /// directory. Answers the path, or "" when it cannot be made.
  std::string EnterFolderOfLength(size_t length);

 private:
  base::TestTempFolder folder_;
  std::string path_;
  std::string previous_;
};

/// A `Native.ina` image of `size` bytes with a recognisable pattern.
std::string NativeInaBytes(size_t size = 192);


}  // namespace guitest
