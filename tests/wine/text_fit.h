#pragma once
// Helpers of the GUI tests that check, under Wine, that every text of a
// dialog fits its control in each language: a dialog shown from its
// template, the measure of one control's text, and a screenshot.

#include <windows.h>

#include <string>

namespace textfit {

/// Why the text of `control` (a static, push button, check box, radio
/// button or group box) does not fit it, measured in the control's font
/// with DrawText(DT_CALCRECT), word-wrapped where the control wraps; empty
/// when it fits or the control shows no text of its own (pictures, rules,
/// edits, lists).
std::string Misfit(HWND control);

/// Why some control of `dialog` does not fit its text ("control <id>
/// [<text>] needs WxH, has WxH" per line); empty when all fit.
std::string DialogMisfits(HWND dialog);

/// A dialog made from `layout` and shown at the top left of the screen,
/// with a procedure that does nothing; a child dialog (a page) gets a plain
/// frame window around it. Destroys both when it goes.
class ShownDialog {
 public:
  ShownDialog(HINSTANCE instance, const DLGTEMPLATE* layout);
  ~ShownDialog();
  ShownDialog(const ShownDialog&) = delete;
  ShownDialog& operator=(const ShownDialog&) = delete;
  /// The dialog (null when it could not be made).
  HWND dialog() const { return dialog_; }
  /// Saves what the screen shows of the dialog (with its frame) as a PNG
  /// file at `path` once it has painted; false when it cannot be written.
  bool Screenshot(const std::string& path) const;

 private:
  HWND frame_ = nullptr;
  HWND dialog_ = nullptr;
};

}  // namespace textfit
