#include "launcher/CloseWait.h"

#include <cctype>

#include "vocabulary/TextOps.h"

namespace orvo {

CloseWait ReadCloseWait(const std::string& value) {
  const std::string number = text::TrimSpaces(value);
  if (number.empty()) return {};
  const std::size_t point = number.find('.');
  const std::string whole = number.substr(0, point);
  const std::string fraction = point == std::string::npos ? "" : number.substr(point + 1);
  const auto digits = [](const std::string& s) {
    for (char c : s)
      if (!std::isdigit(static_cast<unsigned char>(c))) return false;
    return true;
  };
  if (whole.size() + fraction.size() == 0 || !digits(whole) || !digits(fraction))
    return {kDefaultCloseWait, CloseWait::Reading::NotANumber};
  // Leading zeros pass; only a whole part of more digits than a minute needs is cut short.
  const std::size_t significant = whole.find_first_not_of('0');
  if (significant != std::string::npos && whole.size() - significant > 5)
    return {kLongestCloseWait, CloseWait::Reading::TooLong};
  long long ms = whole.empty() ? 0 : std::stoll(whole) * 1000;
  for (std::size_t i = 0, scale = 100; i < fraction.size() && i < 3; ++i, scale /= 10)
    ms += (fraction[i] - '0') * static_cast<long long>(scale);
  const std::chrono::milliseconds wait{ms};
  if (wait > kLongestCloseWait) return {kLongestCloseWait, CloseWait::Reading::TooLong};
  return {wait, CloseWait::Reading::Given};
}

std::string SecondsText(std::chrono::milliseconds wait) {
  std::string text = std::to_string(wait.count() / 1000);
  if (const long long rest = wait.count() % 1000; rest != 0) {
    std::string fraction = std::to_string(1000 + rest).substr(1);
    text += "." + fraction.substr(0, fraction.find_last_not_of('0') + 1);
  }
  return text;
}

}  // namespace orvo
