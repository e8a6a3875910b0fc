#pragma once
// Base class of the two wizard pages whose rows live in one list-view
// control: the files page and the registry page.

#include <string>
#include <utility>

#include "pakforge/wizard_page.h"
#include "pakforge/project_names.h"

namespace pakforge {

/// A wizard page with one list control that shows its rows.
class ListPage : public WizardPage {
 public:
  /// The page shows dialog `dialog_id` with list control `list_id`.
  ListPage(WizardApp& app, int dialog_id, int list_id) : WizardPage(app, dialog_id), list_id_(list_id) {}

  /// Finds the list control and turns on full-row selection.
  INT_PTR OnInitDialog(HWND window) override;

  /// The list control (null before the dialog exists).
  HWND list() const { return list_; }

 protected:
  HWND list_ = nullptr;

 private:
  int list_id_;
};

}  // namespace pakforge
