// OrvoCommon: string utilities.
//
// Texts are bytes; every member here works on them byte by byte, and only ExpandString and
// HashKey have handlers of their own.
#include <cmath>

#include "vocabulary/Failure.h"
#include "common/OrvoCommon.h"
#include "vocabulary/TextOps.h"
#include "vocabulary/Whole32.h"
// HashKey's handler writes its inputs to the launcher's loader log.
#include "launcher/CommonDefinitions.h"

namespace orvo {
namespace {

std::string WithoutChar(const std::string& s, char removed) {
  std::string result;
  result.reserve(s.size());
  for (char c : s)
    if (c != removed) result += c;
  return result;
}

constexpr std::string_view kHashAlphabet = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";

}  // namespace

// Only the space separates words, and only a to z are upper-cased: the result does not
// depend on the user's locale, and bytes above 127 (the code page's accented letters) stay
// as they are. Way 5.
std::string OrvoCommon::ProperCase(const std::string& pString) const {
  std::string s = text::TrimSpaces(pString);
  if (s.empty()) return s;
  s[0] = text::UpperAscii(s[0]);
  for (std::size_t p = s.find(' '); p != std::string::npos && p + 1 < s.size(); p = s.find(' ', p + 1))
    s[p + 1] = text::UpperAscii(s[p + 1]);
  return s;
}

std::string OrvoCommon::StripSpaces(const std::string& pString) const { return WithoutChar(pString, ' '); }

std::string OrvoCommon::StripTabs(const std::string& pString) const { return WithoutChar(pString, '\t'); }

float OrvoCommon::RightFontSize(float pHeight) const {
  // Computed in double and rounded once to single precision; not-a-number gives 3 too.
  const float v = static_cast<float>(static_cast<double>(pHeight) / 20.0 - 8.0);
  return (v < 3.0f || std::isnan(v)) ? 3.0f : v;
}

std::int32_t OrvoCommon::FindCharInString(const std::string& pString, const std::string& pChars,
                                          std::int32_t pStart) const {
  const std::int32_t length = whole32::LengthOf(pString.size());
  std::int32_t best = whole32::Checked(std::int64_t{length} + 1);
  if (pChars.empty()) return best;
  // The position search rejects a start below 1.
  if (pStart < 1) throw OrvoError::InvalidArgument();
  if (pStart > length) return best;
  const std::size_t hit = pString.find_first_of(pChars, static_cast<std::size_t>(pStart - 1));
  if (hit != std::string::npos) best = static_cast<std::int32_t>(hit) + 1;
  return best;
}

// Pads on the left only; the text is never shortened. Way 5.
std::string OrvoCommon::CentreString(const std::string& pString, std::int32_t pLength) const {
  // The difference is a whole number like any other: a width so far below the text's length
  // that it leaves the range is an overflow, not a text returned as it was.
  const std::int32_t pad = whole32::Checked(std::int64_t{pLength} - whole32::LengthOf(pString.size())) / 2;
  if (pad < 1) return pString;
  return std::string(static_cast<std::size_t>(pad), ' ') + pString;
}

// Way 2: a negative width cannot take characters off the front.
std::string OrvoCommon::ExpandString(const std::string& pString, std::int32_t pLength) const {
  return failure::BoxThenReturn(" in ExpandString", std::string(), [&] {
    if (pLength < 0) throw OrvoError::InvalidArgument();
    const auto width = static_cast<std::size_t>(pLength);
    if (width < pString.size()) return pString.substr(0, width);
    return pString + std::string(width - pString.size(), ' ');
  });
}

// Way 5. One separator is consumed per call, so CR LF yields an empty field for the LF.
std::string OrvoCommon::GetNextField(std::string& pString) const {
  const std::int32_t p = FindCharInString(pString, ",\r\n", 1);
  const auto cut = static_cast<std::size_t>(p - 1);
  std::string field = pString.substr(0, cut);
  pString = cut < pString.size() ? pString.substr(cut + 1) : std::string();
  if (!field.empty() && field.front() == '"') field.erase(0, 1);
  if (!field.empty() && field.back() == '"') field.pop_back();
  return field;
}

// Keeps the characters at odd positions, whatever stands between them. Way 5.
std::string OrvoCommon::Nulled2String(const std::string& pNulled) const {
  std::string result;
  result.reserve((pNulled.size() + 1) / 2);
  for (std::size_t i = 0; i < pNulled.size(); i += 2) result += pNulled[i];
  return result;
}

std::string OrvoCommon::String2Nulled(const std::string& pString) const {
  std::string result;
  result.reserve(pString.size() * 2);
  for (char c : pString) {
    result += c;
    result += '\0';
  }
  return result;
}

// Way 4: on failure two log lines, then the box, then "".
//
// The last character is left out of the sum on purpose: keys already stored by the product
// family were made that way. A sum that is a positive multiple of 62 selects the last
// character of the alphabet, '9': the alphabet is read cyclically (remainder 0 stands for
// position 62), so every non-zero sum gives one character, as every user of the keys
// expects, rather than a box and an empty key for one text in 62.
std::string OrvoCommon::HashKey(const std::string& pValue, std::int32_t pLength) const {
  return failure::Guarded(
      [&] {
        std::int32_t sum = 0;
        for (std::size_t i = 0; i + 1 < pValue.size(); ++i)
          sum = whole32::Checked(std::int64_t{sum} + static_cast<unsigned char>(pValue[i]));
        if (sum == 0) return std::string(" ");
        const std::int32_t position = sum % 62 == 0 ? 62 : sum % 62;
        return std::string(1, kHashAlphabet[static_cast<std::size_t>(position - 1)]);
      },
      [&](const Failure& f) {
        WriteLoaderLogLine("pValue = " + pValue);
        WriteLoaderLogLine("pLength =" + std::to_string(pLength));
        ShowFatalError(f.description + " in HashKey");
        return std::string();
      });
}

}  // namespace orvo
