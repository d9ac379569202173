#include "cli/WhyNotStarted.h"

#include <cstdint>

#include "platform/files.h"
#include "platform/process.h"
#include "vocabulary/Failure.h"

namespace orvo::cli {
namespace {

std::uint32_t Word(const std::string& bytes, std::size_t at, std::size_t size) {
  std::uint32_t value = 0;
  for (std::size_t i = size; i-- > 0;) value = value << 8 | static_cast<unsigned char>(bytes.at(at + i));
  return value;
}

std::string TextAt(const std::string& bytes, std::size_t at) { return bytes.substr(at, bytes.find('\0', at) - at); }

// The "URL=" line of an internet link.
std::optional<std::string> Address(const std::string& text) {
  const auto at = text.find("URL=");
  if (at == std::string::npos) return std::nullopt;
  return text.substr(at + 4, text.find_first_of("\r\n", at) - at - 4);
}

std::string Shown(const std::string& program) { return "'" + program + "'"; }

}  // namespace

// The shell link's layout: a 76-byte head whose flags say whether an item list and a link
// information follow; the latter holds the local base path and the common path suffix.
std::optional<std::string> ShortcutTarget(const std::string& bytes) {
  return failure::QuietDefault(std::optional<std::string>(), [&]() -> std::optional<std::string> {
    if (bytes.size() < 76 || Word(bytes, 0, 4) != 76) return std::nullopt;
    const std::uint32_t flags = Word(bytes, 20, 4);
    std::size_t at = 76;
    if (flags & 0x1) at += 2 + Word(bytes, at, 2);  // the target's item list
    if (!(flags & 0x2)) return std::nullopt;        // no link information
    if (!(Word(bytes, at + 8, 4) & 0x1)) return std::nullopt;  // not a file on a drive
    const std::string base = TextAt(bytes, at + Word(bytes, at + 16, 4)), suffix = TextAt(bytes, at + Word(bytes, at + 24, 4));
    if (base.empty()) return std::nullopt;
    return base + suffix;
  });
}

std::optional<std::string> WhyNotStarted(const std::string& program) {
  const auto content = [&] { return failure::QuietDefault(std::string(), [&] { return platform::ReadFileBytes(program); }); };
  switch (platform::HowItStarts(program)) {
    case platform::ProgramStart::Starts:
      return std::nullopt;
    case platform::ProgramStart::Shortcut: {
      const auto target = ShortcutTarget(content());
      return Shown(program) + " is a shortcut, which the loader cannot start (give the program it leads to" +
             (target ? ": " + *target : ", which its Properties show as its Target") + ")";
    }
    case platform::ProgramStart::InternetLink: {
      const auto address = Address(content());
      return Shown(program) + " is an internet link, which the loader cannot start (give the program that opens it, " +
             "with the address after it" + (address ? ": " + *address : "") + ")";
    }
    case platform::ProgramStart::Document:
      return Shown(program) + " is no program but a document, which the loader cannot start (give the program that " +
             "opens it, with the document after it)";
    case platform::ProgramStart::NoProgramInside:
      return Shown(program) + " holds no program that Windows can start (give the program itself)";
  }
  return std::nullopt;
}

}  // namespace orvo::cli
