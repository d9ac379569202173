#include "cli/Encoding.h"

#include "vocabulary/TextOps.h"

namespace orvo::cli {

std::optional<std::string> ByteOrderMarkNote(const std::string& text, const std::string& argument) {
  const std::string utf8 = "\xEF\xBB\xBF";
  const bool utf16 = text.rfind("\xFF\xFE", 0) == 0 || text.rfind("\xFE\xFF", 0) == 0;
  if (text.rfind(utf8, 0) != 0 && !utf16) return std::nullopt;
  const std::string mark = argument + " begins with a " + (utf16 ? "UTF-16" : "UTF-8") + " byte-order mark: ";
  if (utf16) return mark + "the game and the loader see none of its sections or entries (save it as ANSI)";
  const std::string first = text::TrimSpaces(text.substr(utf8.size(), text.find_first_of("\r\n") - utf8.size()));
  const bool header = first.size() >= 2 && first.front() == '[' && first.back() == ']';
  return mark + "the game and the loader do not see " +
         (header ? "the section " + first + " on its first line" : "its first line '" + first + "' as it is") +
         " (save it without the mark)";
}

bool IsUtf8BeyondAscii(const std::string& text) {
  bool beyond = false;
  for (std::size_t i = 0; i < text.size();) {
    const auto lead = static_cast<unsigned char>(text[i]);
    // The number of continuation bytes a lead byte announces; overlong two-byte leads
    // (C0, C1) and leads beyond U+10FFFF (F5 and up) are no UTF-8.
    const std::size_t more = lead < 0x80 ? 0 : lead < 0xC2 ? 9 : lead < 0xE0 ? 1 : lead < 0xF0 ? 2 : lead < 0xF5 ? 3 : 9;
    if (more == 9 || i + more >= text.size() + (more == 0)) return false;
    for (std::size_t k = 1; k <= more; ++k)
      if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) return false;
    beyond = beyond || more > 0;
    i += more + 1;
  }
  return beyond;
}

}  // namespace orvo::cli
