#include "window_harness.h"

#include <commctrl.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "base/encoding.h"

namespace winharness {
namespace {

int g_faults = 0;

// Memory a list view can read its LVITEM from and write its texts into:
// a buffer of this process for its own lists, else a page reserved in the
// list's process (list-view messages carry pointers Windows does not copy
// between processes).
class ListMemory {
 public:
  static constexpr std::size_t kSize = 4096;
  static constexpr std::size_t kText = 512;  // where the text buffer begins

  explicit ListMemory(HWND list) {
    DWORD pid = 0;
    GetWindowThreadProcessId(list, &pid);
    if (pid == GetCurrentProcessId()) {
      at_ = local_;
      return;
    }
    process_ = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
    if (process_ != nullptr) {
      at_ = static_cast<char*>(VirtualAllocEx(process_, nullptr, kSize, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
    }
    if (at_ == nullptr) std::fprintf(stderr, "window_harness: no memory in the list's process\n");
  }
  ~ListMemory() {
    if (process_ != nullptr) {
      if (at_ != nullptr) VirtualFreeEx(process_, at_, 0, MEM_RELEASE);
      CloseHandle(process_);
    }
  }
  ListMemory(const ListMemory&) = delete;
  ListMemory& operator=(const ListMemory&) = delete;

  /// The address as the list sees it (null when none could be had).
  char* at() const { return at_; }

  bool Put(const LVITEMA& item) {
    if (process_ == nullptr) return at_ != nullptr && (std::memcpy(at_, &item, sizeof item), true);
    SIZE_T done = 0;
    return at_ != nullptr && WriteProcessMemory(process_, at_, &item, sizeof item, &done);
  }
  void Get(std::size_t offset, void* out, std::size_t size) {
    if (process_ == nullptr) {
      std::memcpy(out, at_ + offset, size);
      return;
    }
    SIZE_T done = 0;
    ReadProcessMemory(process_, at_ + offset, out, size, &done);
  }

 private:
  HANDLE process_ = nullptr;
  char* at_ = nullptr;
  char local_[kSize] = {};
};

void SetRowState(HWND list, ListMemory& memory, int row, UINT state, UINT mask) {
  LVITEMA item{};
  item.state = state;
  item.stateMask = mask;
  if (memory.Put(item)) Send(list, LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(memory.at()));
}

// ---- PNG: 8-bit RGB rows, each with filter byte 0, in stored deflate blocks ----

uint32_t Crc32(const std::string& bytes, uint32_t crc = 0) {
  crc = ~crc;
  for (unsigned char c : bytes) {
    crc ^= c;
    for (int bit = 0; bit < 8; ++bit) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
  }
  return ~crc;
}

std::string BigEndian(uint32_t value) {
  return {static_cast<char>(value >> 24), static_cast<char>(value >> 16), static_cast<char>(value >> 8),
          static_cast<char>(value)};
}

std::string Chunk(const char* type, const std::string& data) {
  const std::string body = type + data;
  return BigEndian(static_cast<uint32_t>(data.size())) + body + BigEndian(Crc32(body));
}

std::string Png(int width, int height, const std::string& rgb_rows) {
  std::string zlib = "\x78\x01";
  uint32_t a = 1, b = 0;
  for (unsigned char c : rgb_rows) {
    a = (a + c) % 65521;
    b = (b + a) % 65521;
  }
  for (std::size_t at = 0; at == 0 || at < rgb_rows.size(); at += 65535) {
    const std::size_t n = rgb_rows.size() - at < 65535 ? rgb_rows.size() - at : 65535;
    zlib += static_cast<char>(at + n == rgb_rows.size() ? 1 : 0);
    zlib += {static_cast<char>(n), static_cast<char>(n >> 8), static_cast<char>(~n), static_cast<char>(~n >> 8)};
    zlib.append(rgb_rows, at, n);
  }
  zlib += BigEndian((b << 16) | a);
  const std::string header = BigEndian(static_cast<uint32_t>(width)) + BigEndian(static_cast<uint32_t>(height)) +
                             std::string("\x08\x02\x00\x00\x00", 5);
  return std::string("\x89PNG\r\n\x1A\n", 8) + Chunk("IHDR", header) + Chunk("IDAT", zlib) + Chunk("IEND", "");
}

}  // namespace

// ---- Waiting and messages ----

bool WaitFor(const std::function<bool()>& done, DWORD timeout_ms) {
  const DWORD start = GetTickCount();
  while (!done()) {
    if (GetTickCount() - start >= timeout_ms) return done();
    Sleep(50);
  }
  return true;
}

LRESULT Send(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  DWORD_PTR result = 0;
  // A window that went meanwhile is no fault: the caller sees it go.
  if (!SendMessageTimeoutA(window, message, wparam, lparam, SMTO_ABORTIFHUNG, 5000, &result) && IsWindow(window)) {
    ++g_faults;
    std::fprintf(stderr, "window_harness: message 0x%X to window %p timed out\n", message, static_cast<void*>(window));
  }
  return static_cast<LRESULT>(result);
}

int Faults() { return g_faults; }

void PostCommand(HWND dialog, int id, int code) {
  PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, code), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

void ClickNow(HWND dialog, int id) { Send(GetDlgItem(dialog, id), BM_CLICK); }

// ---- Texts and states ----

std::string WindowText(HWND window) {
  if (window == nullptr) return std::string();
  std::string text(static_cast<std::size_t>(Send(window, WM_GETTEXTLENGTH)) + 2, '\0');
  Send(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
  return text.c_str();
}

std::wstring WideText(HWND window) {
  DWORD_PTR length = 0;
  if (window == nullptr ||
      !SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 5000, &length)) {
    return std::wstring();
  }
  std::wstring text(static_cast<std::size_t>(length) + 2, L'\0');
  DWORD_PTR copied = 0;
  SendMessageTimeoutW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()), SMTO_ABORTIFHUNG,
                      5000, &copied);
  return text.c_str();
}

std::string ItemText(HWND dialog, int id) { return WindowText(GetDlgItem(dialog, id)); }

void SetItemText(HWND dialog, int id, const std::string& text) {
  HWND control = GetDlgItem(dialog, id);
  if (control == nullptr) {
    ++g_faults;
    std::fprintf(stderr, "window_harness: control %d missing\n", id);
    return;
  }
  Send(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

std::string ClassOf(HWND window) {
  char name[64] = {};
  GetClassNameA(window, name, sizeof name);
  return name;
}

bool IsChecked(HWND dialog, int id) { return Send(GetDlgItem(dialog, id), BM_GETCHECK) == BST_CHECKED; }

bool IsEnabled(HWND dialog, int id) {
  HWND control = GetDlgItem(dialog, id);
  return control != nullptr && IsWindowEnabled(control);
}

// ---- Finding windows ----

namespace {
struct WindowQuery {
  DWORD pid;
  const std::function<bool(HWND)>* match;
  bool visible_only;
  std::vector<HWND> found;
};

BOOL CALLBACK CollectWindow(HWND window, LPARAM param) {
  WindowQuery* query = reinterpret_cast<WindowQuery*>(param);
  DWORD pid = 0;
  GetWindowThreadProcessId(window, &pid);
  if (pid == query->pid && (!query->visible_only || IsWindowVisible(window)) && (*query->match)(window)) {
    query->found.push_back(window);
  }
  return TRUE;
}
}  // namespace

std::vector<HWND> TopWindows(DWORD pid, const std::function<bool(HWND)>& match, bool visible_only) {
  WindowQuery query{pid, &match, visible_only, {}};
  EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&query));
  return query.found;
}

HWND WaitTopWindow(DWORD pid, const std::function<bool(HWND)>& match, DWORD timeout_ms) {
  HWND found = nullptr;
  WaitFor(
      [&] {
        const std::vector<HWND> windows = TopWindows(pid, match);
        found = windows.empty() ? nullptr : windows.front();
        return found != nullptr;
      },
      timeout_ms);
  return found;
}

std::function<bool(HWND)> DialogTitled(const std::string& title) {
  return [title](HWND window) { return ClassOf(window) == "#32770" && WindowText(window) == title; };
}

HWND FindChildDialog(HWND parent, int marker) {
  for (HWND child = FindWindowExA(parent, nullptr, "#32770", nullptr); child != nullptr;
       child = FindWindowExA(parent, child, "#32770", nullptr)) {
    if (IsWindowVisible(child) && GetDlgItem(child, marker) != nullptr) return child;
  }
  return nullptr;
}

bool WaitGone(HWND window, DWORD timeout_ms) {
  return WaitFor([&] { return !IsWindow(window) || !IsWindowVisible(window); }, timeout_ms);
}

// ---- Message boxes ----

std::string MessageText(HWND box) {
  std::string text;
  for (HWND child = GetWindow(box, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
    if (lstrcmpiA(ClassOf(child).c_str(), "Static") == 0) text += WindowText(child);
  }
  return text;
}

bool AnswerMessage(HWND box, int button, DWORD timeout_ms) {
  PostCommand(box, button);
  return WaitGone(box, timeout_ms);
}

// ---- List views ----

int ListCount(HWND list) { return static_cast<int>(Send(list, LVM_GETITEMCOUNT)); }

std::string ListText(HWND list, int row, int column) {
  ListMemory memory(list);
  LVITEMA item{};
  item.iSubItem = column;
  item.pszText = memory.at() + ListMemory::kText;
  item.cchTextMax = static_cast<int>(ListMemory::kSize - ListMemory::kText);
  if (!memory.Put(item)) return std::string();
  Send(list, LVM_GETITEMTEXTA, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(memory.at()));
  char text[ListMemory::kSize - ListMemory::kText + 1] = {};
  memory.Get(ListMemory::kText, text, sizeof text - 1);
  return text;
}

LPARAM ListData(HWND list, int row) {
  ListMemory memory(list);
  LVITEMA item{};
  item.mask = LVIF_PARAM;
  item.iItem = row;
  if (!memory.Put(item)) return 0;
  Send(list, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(memory.at()));
  memory.Get(0, &item, sizeof item);
  return item.lParam;
}

std::vector<std::vector<std::string>> ListRows(HWND list, int columns) {
  std::vector<std::vector<std::string>> rows;
  const int count = ListCount(list);
  for (int row = 0; row < count; ++row) {
    std::vector<std::string> texts;
    for (int column = 0; column < columns; ++column) texts.push_back(ListText(list, row, column));
    rows.push_back(texts);
  }
  return rows;
}

std::vector<std::string> ListColumn(HWND list, int column) {
  std::vector<std::string> texts;
  const int count = ListCount(list);
  for (int row = 0; row < count; ++row) texts.push_back(ListText(list, row, column));
  return texts;
}

int FindListRow(HWND list, const std::string& text) {
  const int count = ListCount(list);
  for (int row = 0; row < count; ++row) {
    if (ListText(list, row, 0) == text) return row;
  }
  return -1;
}

void SetSelectedRows(HWND list, const std::vector<int>& rows) {
  ListMemory memory(list);
  SetRowState(list, memory, -1, 0, LVIS_SELECTED);
  for (int row : rows) {
    if (row >= 0) SetRowState(list, memory, row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
  }
}

std::vector<int> SelectedRows(HWND list) {
  std::vector<int> rows;
  for (int row = -1; (row = static_cast<int>(Send(list, LVM_GETNEXTITEM, static_cast<WPARAM>(row),
                                                   MAKELPARAM(LVNI_SELECTED, 0)))) != -1;) {
    rows.push_back(row);
  }
  return rows;
}

std::string Sjis(const char* utf8) {
  std::string out;
  if (!base::Utf8ToCp932(utf8, &out)) {
    std::fprintf(stderr, "no Shift-JIS form for a test text\n");
    std::abort();
  }
  return out;
}

// ---- Screenshots ----

std::string ScreenshotFolder(const std::string& language) {
  char shots[MAX_PATH] = {};
  const DWORD length = GetEnvironmentVariableA("PAK_SCREENSHOTS", shots, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return std::string();
  CreateDirectoryA(shots, nullptr);
  const std::string folder = std::string(shots) + "\\" + language;
  CreateDirectoryA(folder.c_str(), nullptr);
  return folder;
}

bool SaveScreenArea(HWND window, const std::string& path) {
  RECT r;
  if (!GetWindowRect(window, &r) || r.right <= r.left || r.bottom <= r.top) return false;
  const int width = r.right - r.left, height = r.bottom - r.top;
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
  HGDIOBJ old = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, width, height, screen, r.left, r.top, SRCCOPY);
  SelectObject(memory, old);
  BITMAPINFOHEADER info = {};
  info.biSize = sizeof info;
  info.biWidth = width;
  info.biHeight = -height;  // rows top down, as PNG stores them
  info.biPlanes = 1;
  info.biBitCount = 24;
  const std::size_t stride = (static_cast<std::size_t>(width) * 3 + 3) / 4 * 4;
  std::string pixels(stride * static_cast<std::size_t>(height), '\0');
  GetDIBits(memory, bitmap, 0, static_cast<UINT>(height), pixels.data(), reinterpret_cast<BITMAPINFO*>(&info),
            DIB_RGB_COLORS);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  std::string rows;
  rows.reserve((static_cast<std::size_t>(width) * 3 + 1) * static_cast<std::size_t>(height));
  for (int y = 0; y < height; ++y) {
    rows += '\0';
    const char* bgr = pixels.data() + stride * static_cast<std::size_t>(y);
    for (int x = 0; x < width; ++x, bgr += 3) rows += {bgr[2], bgr[1], bgr[0]};
  }
  const std::string png = Png(width, height, rows);
  HANDLE out = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (out == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  const bool ok = WriteFile(out, png.data(), static_cast<DWORD>(png.size()), &written, nullptr) &&
                  written == png.size();
  CloseHandle(out);
  return ok;
}

bool Screenshot(HWND window, const std::string& folder, const std::string& name) {
  if (folder.empty()) return true;
  RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_ERASE);
  Sleep(500);
  return SaveScreenArea(window, folder + "\\" + name + ".png");
}

}  // namespace winharness
