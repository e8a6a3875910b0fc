#pragma once
// Base class of the two wizard pages whose rows live in one list-view
// control: the files page and the registry page.

#include <string>
#include <utility>

#include "pakforge/wizard_page.h"
#include "pakforge/project_names.h"

namespace pakforge {

/// The two texts by which a row of `list` is ordered: the first, then the
/// second.
using RowSortKey = std::pair<std::string, std::string> (*)(HWND list, int row);

/// A wizard page with one list control that holds its rows.
class ListPage : public WizardPage {
 public:
  /// The page shows dialog `dialog_id` with list control `list_id`, whose
  /// rows `sort_key` orders (null for a list that shows rows held
  /// elsewhere, in their order).
  ListPage(WizardApp& app, int dialog_id, int list_id, RowSortKey sort_key)
      : WizardPage(app, dialog_id), list_id_(list_id), sort_key_(sort_key) {}

  /// Finds the list control and turns on full-row selection.
  INT_PTR OnInitDialog(HWND window) override;

  /// The list control (null before the dialog exists).
  HWND list() const { return list_; }

 protected:
  /// Orders the rows by their sort keys as the core orders them
  /// (CompareRowKeys), ties by running number.
  void SortRows();

  HWND list_ = nullptr;

 private:
  int list_id_;
  RowSortKey sort_key_;
};

}  // namespace pakforge
