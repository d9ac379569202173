// OrvoCommon: seconds as minutes-and-seconds texts, and lap times read from texts.
//
// The fraction is shown after the user's decimal separator, asked at each call (a point with
// the usual English settings, a comma with many others): the texts are for people to read.
// ParseLaptime, which reads numbers that files hold, takes only the point.
//
// A fraction that rounds up to a whole second at the shown number of places is carried into
// the seconds, and 60 seconds into the minutes: 59.99996 s is '1:00.0000', never
// '0:59.10000' or '0:60.0000', so the seconds field always stays "00" to "59" and the
// fraction keeps exactly its four (three) decimals.
#include <cmath>
#include <cstdio>
#include <limits>

#include "vocabulary/Failure.h"
#include "common/OrvoCommon.h"
#include "vocabulary/TextOps.h"
#include "platform/local_time.h"

namespace orvo {
namespace {

// minutes:seconds.fraction, with the fraction (0 <= fraction < 1) rounded to places decimals
// and the carry taken into seconds and minutes. minutes is a whole number.
std::string MinutesSecondsText(double minutes, std::int64_t seconds, double fraction, int places) {
  const std::int64_t scale = places == 4 ? 10000 : 1000;
  std::int64_t units = std::llround(fraction * static_cast<double>(scale));
  if (units >= scale) {
    units -= scale;
    if (++seconds == 60) {
      seconds = 0;
      minutes += 1;
    }
  }
  char whole[400], fractionDigits[8];
  // + 0.0 turns a minus zero into zero, so that no "-0" minute is shown.
  std::snprintf(whole, sizeof whole, "%.0f:%02lld", minutes + 0.0, static_cast<long long>(seconds));
  std::snprintf(fractionDigits, sizeof fractionDigits, "%0*lld", places, static_cast<long long>(units));
  return whole + platform::DecimalSeparator() + fractionDigits;
}

// The leading number of a text: optional sign, digits, optional point and digits, optional
// exponent (E or D, optional sign, digits); blanks anywhere in it are skipped and reading
// stops at the first other character. A text without a leading number gives 0.
double LeadingNumber(std::string_view s) {
  std::string mantissa, exponent;
  std::size_t i = 0;
  auto skipBlanks = [&] {
    while (i < s.size() && text::IsReaderBlank(s[i])) ++i;
  };
  auto takeDigits = [&](std::string& into) {
    for (skipBlanks(); i < s.size() && s[i] >= '0' && s[i] <= '9'; skipBlanks()) into += s[i++];
  };
  skipBlanks();
  bool negative = false;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';
  takeDigits(mantissa);
  if (i < s.size() && s[i] == '.') {
    ++i;
    mantissa += '.';
    takeDigits(mantissa);
  }
  if (mantissa.find_first_of("0123456789") == std::string::npos) return 0;
  if (i < s.size() && (s[i] == 'E' || s[i] == 'e' || s[i] == 'D' || s[i] == 'd')) {
    ++i;
    skipBlanks();
    std::string sign;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) sign = s[i++];
    takeDigits(exponent);
    if (!exponent.empty()) exponent = sign + exponent;
  }
  // strtod of a text holding only digits, a point and an exponent: "C" rules apply, since
  // the program never changes its locale. Out of range gives 0 or infinity.
  const std::string number = mantissa + (exponent.empty() ? "" : "e" + exponent);
  const double value = std::strtod(number.c_str(), nullptr);
  return negative ? -value : value;
}

}  // namespace

std::string OrvoCommon::HHMMSS(const double& inTime) const {
  const double whole = std::trunc(inTime);
  if (!(whole >= std::numeric_limits<std::int32_t>::min() && whole <= std::numeric_limits<std::int32_t>::max()))
    throw OrvoError::Overflow();
  // A negative time is shown as the minus sign and the text of its magnitude ('-1:23.2500'
  // for -83.25), so that its seconds field stays "00" to "59" like that of any other time;
  // a magnitude that rounds to zero is shown without the sign.
  const double magnitude = std::fabs(inTime);
  const std::int64_t minutes = static_cast<std::int64_t>(magnitude) / 60;
  const double rest = magnitude - 60.0 * static_cast<double>(minutes);
  const double seconds = std::floor(rest);
  const std::string text =
      MinutesSecondsText(static_cast<double>(minutes), static_cast<std::int64_t>(seconds), rest - seconds, 4);
  const bool roundsToZero = text.find_first_of("123456789") == std::string::npos;
  return inTime < 0 && !roundsToZero ? "-" + text : text;
}

std::string OrvoCommon::FormatLaptime(double pSeconds) const {
  // Infinite and undefined times have no minutes and seconds; their minute field shows the
  // number as the C library writes it ("inf", "nan").
  if (!std::isfinite(pSeconds)) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%f:00", pSeconds);
    return buffer + platform::DecimalSeparator() + "000";
  }
  const double w = std::floor(pSeconds);
  const double m = std::floor(w / 60);
  // Above 2^53 seconds w - 60m is no longer exact; the field is held to 0..59 there.
  double s = w - 60 * m;
  if (s < 0 || s > 59) s = 0;
  return MinutesSecondsText(m, static_cast<std::int64_t>(s), pSeconds - w, 3);
}

void OrvoCommon::ParseLaptime(const std::string& pTimeString, double& pDate, double& pLaptime) const {
  const std::size_t space = pTimeString.find(' ');
  if (space == std::string::npos) {
    pDate = 0;
    pLaptime = 0;
    return;
  }
  // The text before the space is not read, and pDate is left as the caller passed it: only
  // a text without a space gives a defined date (the zero date).
  pLaptime = LeadingNumber(std::string_view(pTimeString).substr(space + 1));
}

}  // namespace orvo
