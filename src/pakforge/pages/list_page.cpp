#include "pakforge/pages/list_page.h"

#include <map>

#include "project/row_store.h"
#include "pakforge/pages/list_view_rows.h"

namespace pakforge {
namespace {

using SortKeys = std::map<LPARAM, std::pair<std::string, std::string>>;

// LVM_SORTITEMS callback: compares the keys of two rows by their item data.
int CALLBACK CompareRows(LPARAM first, LPARAM second, LPARAM keys_param) {
  const SortKeys& keys = *reinterpret_cast<const SortKeys*>(keys_param);
  const auto a = keys.find(first);
  const auto b = keys.find(second);
  if (a == keys.end() || b == keys.end()) return 0;
  // The core's order, the running numbers (low 16 bits) settling ties.
  return CompareRowKeys(a->second, static_cast<std::uint32_t>(first) & 0xFFFFu, b->second,
                        static_cast<std::uint32_t>(second) & 0xFFFFu);
}

}  // namespace

INT_PTR ListPage::OnInitDialog(HWND window) {
  WizardPage::OnInitDialog(window);
  list_ = GetDlgItem(window, list_id_);
  SendMessageA(list_, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
  return 0;
}

void ListPage::SortRows() {
  if (!sort_key_) return;
  SortKeys keys;
  const int count = ListViewRowCount(list_);
  for (int row = 0; row < count; ++row) keys[ListViewData(list_, row)] = sort_key_(list_, row);
  SendMessageA(list_, LVM_SORTITEMS, reinterpret_cast<WPARAM>(&keys),
               reinterpret_cast<LPARAM>(&CompareRows));
}

}  // namespace pakforge
