#include "base/resource_string_win32.h"

namespace base {
namespace {

/// The bytes of resource `name` of `type` in `language_id`, or null.
const void* FindResourceBytes(HINSTANCE instance, LPCSTR type, LPCSTR name, WORD language_id,
                              DWORD* size) {
  HRSRC found = FindResourceExA(instance, type, name, language_id);
  if (found == nullptr) return nullptr;
  HGLOBAL loaded = LoadResource(instance, found);
  if (loaded == nullptr) return nullptr;
  *size = SizeofResource(instance, found);
  return LockResource(loaded);
}

}  // namespace

std::string LoadResourceString(HINSTANCE instance, UINT id, int room, WORD language_id) {
  if (room < 1) return std::string();
  // Strings are stored in blocks of 16: block id / 16 + 1 holds string id at
  // position id % 16, each as a count of UTF-16 units followed by the units.
  DWORD size = 0;
  const auto* block = static_cast<const WCHAR*>(FindResourceBytes(
      instance, RT_STRING, MAKEINTRESOURCEA(id / 16 + 1), language_id, &size));
  if (block == nullptr) return std::string();
  const WCHAR* end = block + size / sizeof(WCHAR);
  const WCHAR* entry = block;
  for (UINT skip = id % 16; skip > 0 && entry < end; --skip) entry += 1 + *entry;
  if (entry >= end || *entry == 0 || entry + 1 + *entry > end) return std::string();
  const int units = static_cast<int>(*entry);
  const int bytes = WideCharToMultiByte(CP_ACP, 0, entry + 1, units, nullptr, 0, nullptr, nullptr);
  if (bytes <= 0) return std::string();
  std::string text(static_cast<std::size_t>(bytes), '\0');
  WideCharToMultiByte(CP_ACP, 0, entry + 1, units, text.data(), bytes, nullptr, nullptr);
  if (text.size() > static_cast<std::size_t>(room - 1)) {
    std::size_t keep = 0;
    for (std::size_t i = 0; i < text.size();) {
      const std::size_t width = IsDBCSLeadByte(static_cast<BYTE>(text[i])) ? 2 : 1;
      if (i + width > static_cast<std::size_t>(room - 1)) break;
      i += width;
      keep = i;
    }
    text.resize(keep);
  }
  return text;
}

const DLGTEMPLATE* FindDialogTemplate(HINSTANCE instance, UINT id, WORD language_id) {
  DWORD size = 0;
  return static_cast<const DLGTEMPLATE*>(FindResourceBytes(
      instance, RT_DIALOG, MAKEINTRESOURCEA(id), language_id, &size));
}

}  // namespace base
