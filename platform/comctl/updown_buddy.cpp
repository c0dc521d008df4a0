// The up-down control's buddy: the text it shows and the arrow keys it
// passes on.
#include <cctype>
#include <cstdio>
#include <unordered_map>

#include "updown.h"

namespace lv::ctl::updown {
namespace {

// Thousands are grouped with the separator of the German locale.
constexpr char kThousandsSeparator = '.';

struct BuddyHook {
  HWND updown;       // the up-down control the keys go to (0 once it is gone)
  LONG_PTR oldProc;  // the buddy's window procedure before
};

std::unordered_map<HWND, BuddyHook> g_hooks;

LRESULT CALLBACK BuddyProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  auto it = g_hooks.find(hwnd);
  if (it == g_hooks.end()) return DefWindowProcA(hwnd, msg, wParam, lParam);
  const BuddyHook hook = it->second;
  auto oldProc = reinterpret_cast<WNDPROC>(hook.oldProc);
  if (msg == WM_NCDESTROY) {
    g_hooks.erase(it);
    SetWindowLongPtrA(hwnd, GWLP_WNDPROC, hook.oldProc);
  } else if (msg == WM_KEYDOWN && (wParam == VK_UP || wParam == VK_DOWN) && hook.updown && IsWindow(hook.updown) &&
             (GetWindowLongA(hook.updown, GWL_STYLE) & UDS_ARROWKEYS)) {
    Step(hook.updown, wParam == VK_UP ? 1 : -1);
    return 0;
  }
  return CallWindowProcA(oldProc, hwnd, msg, wParam, lParam);
}

std::string GroupThousands(const std::string& digits) {
  std::string out;
  const size_t first = digits.size() % 3 == 0 ? 3 : digits.size() % 3;
  out.append(digits, 0, first);
  for (size_t i = first; i < digits.size(); i += 3) {
    out.push_back(kThousandsSeparator);
    out.append(digits, i, 3);
  }
  return out;
}

}  // namespace

std::string FormatPosition(int pos, int base, bool thousands) {
  char buffer[32];
  if (base == 16) {
    std::snprintf(buffer, sizeof buffer, "0x%04X", static_cast<unsigned>(pos));
    return buffer;
  }
  const long long value = pos;
  std::snprintf(buffer, sizeof buffer, "%lld", value < 0 ? -value : value);
  std::string digits = thousands ? GroupThousands(buffer) : std::string(buffer);
  return value < 0 ? "-" + digits : digits;
}

bool ParsePosition(const std::string& text, int base, int* value) {
  size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
  bool negative = false;
  if (base == 10 && i < text.size() && text[i] == '-') {
    negative = true;
    ++i;
  }
  if (base == 16 && i + 1 < text.size() && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X')) i += 2;
  long long result = 0;
  bool anyDigit = false;
  for (; i < text.size(); ++i) {
    const char c = text[i];
    if (base == 10 && c == kThousandsSeparator && anyDigit) continue;
    int digit = -1;
    if (c >= '0' && c <= '9') digit = c - '0';
    else if (base == 16 && std::isxdigit(static_cast<unsigned char>(c))) digit = std::toupper(c) - 'A' + 10;
    if (digit < 0) break;
    result = result * base + digit;
    anyDigit = true;
    if (result > 0x7FFFFFFFLL) return false;
  }
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
  if (!anyDigit || i != text.size()) return false;
  *value = static_cast<int>(negative ? -result : result);
  return true;
}

void SubclassBuddy(HWND updown, HWND buddy) {
  if (!buddy || !IsWindow(buddy)) return;
  auto it = g_hooks.find(buddy);
  if (it != g_hooks.end()) {
    it->second.updown = updown;
    return;
  }
  const LONG_PTR oldProc = GetWindowLongPtrA(buddy, GWLP_WNDPROC);
  if (!oldProc) return;
  g_hooks[buddy] = BuddyHook{updown, oldProc};
  SetWindowLongPtrA(buddy, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&BuddyProc));
}

void ReleaseBuddy(HWND updown, HWND buddy) {
  auto it = g_hooks.find(buddy);
  if (it == g_hooks.end() || it->second.updown != updown) return;
  if (IsWindow(buddy) && GetWindowLongPtrA(buddy, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(&BuddyProc)) {
    SetWindowLongPtrA(buddy, GWLP_WNDPROC, it->second.oldProc);
    g_hooks.erase(it);
  } else {
    it->second.updown = 0;
  }
}

}  // namespace lv::ctl::updown
