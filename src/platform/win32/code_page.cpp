#include "platform/code_page.h"

#include <windows.h>
#include <shellapi.h>

#include <vector>

namespace orvo::platform {
namespace {

std::wstring Widened(const std::string& text, UINT codePage) {
  if (text.empty()) return {};
  const int length = MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(length), L'\0');
  MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), wide.data(), length);
  return wide;
}

// The conversion the system makes for a program's ANSI view: unmappable characters become
// their best fit or '?'.
std::string Narrowed(const std::wstring& wide, UINT codePage) {
  if (wide.empty()) return {};
  const int length =
      WideCharToMultiByte(codePage, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0, nullptr, nullptr);
  std::string text(static_cast<std::size_t>(length), '\0');
  WideCharToMultiByte(codePage, 0, wide.data(), static_cast<int>(wide.size()), text.data(), length, nullptr, nullptr);
  return text;
}

bool FitsAnsi(const std::wstring& wide) {
  if (wide.empty()) return true;
  BOOL usedDefault = FALSE;
  const int length = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(), static_cast<int>(wide.size()),
                                         nullptr, 0, nullptr, &usedDefault);
  return length > 0 && !usedDefault;
}

}  // namespace

std::size_t LongestLoaderPath() { return MAX_PATH - 1; }

bool OwnFolderFitsCodePage() {
  std::vector<wchar_t> buffer(32768);
  const DWORD length = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
  const std::wstring path(buffer.data(), length);
  return FitsAnsi(path.substr(0, path.rfind(L'\\')));
}

bool ArgumentFitsCodePage(const std::string& argument) {
  int count = 0;
  LPWSTR* arguments = CommandLineToArgvW(GetCommandLineW(), &count);
  if (!arguments) return true;
  bool fits = true;
  for (int i = 1; i < count; ++i) {
    const std::wstring wide(arguments[i]);
    if (Narrowed(wide, CP_ACP) == argument && !FitsAnsi(wide)) fits = false;
  }
  LocalFree(arguments);
  return fits;
}

std::string Utf8AsTheLoaderReadsIt(const std::string& utf8) { return Narrowed(Widened(utf8, CP_ACP), CP_UTF8); }

}  // namespace orvo::platform
