#include "common/platform/sim/sim_names.h"

#include <vector>

#include "common/text_encoding.h"

namespace vantrel::sim {

unsigned char FoldCase(char c) {
  const auto u = static_cast<unsigned char>(c);
  return u >= 'a' && u <= 'z' ? static_cast<unsigned char>(u - 32) : u;
}

char32_t FoldCodePoint(char32_t c) {
  if ((c >= 'a' && c <= 'z') || (c >= 0xE0 && c <= 0xFE && c != 0xF7) ||
      (c >= 0x3B1 && c <= 0x3CB && c != 0x3C2) || (c >= 0x430 && c <= 0x44F) ||
      (c >= 0xFF41 && c <= 0xFF5A))
    return c - 32;
  if (c >= 0x450 && c <= 0x45F) // Cyrillic with marks: ё, ђ, ...
    return c - 80;
  if (c == 0xFF)
    return 0x178;
  // Latin Extended-A: capital and small letters alternate; the small one is
  // the odd one, except in the two runs from U+0139 and from U+0179.
  const bool oddSmall =
      (c >= 0x100 && c <= 0x12F) || (c >= 0x132 && c <= 0x137) || (c >= 0x14A && c <= 0x177);
  const bool evenSmall = (c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E);
  if ((oddSmall && c % 2 == 1) || (evenSmall && c % 2 == 0))
    return c - 1;
  return c;
}

namespace {

std::u32string Folded(std::string_view name) {
  std::u32string folded = CodePoints(name);
  for (char32_t& c : folded)
    c = FoldCodePoint(c);
  return folded;
}

} // namespace

bool NamesEqual(std::string_view a, std::string_view b) {
  if (IsAscii(a) && IsAscii(b)) {
    if (a.size() != b.size())
      return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
      if (FoldCase(a[i]) != FoldCase(b[i]))
        return false;
    }
    return true;
  }
  return Folded(a) == Folded(b);
}

bool NameLess::operator()(std::string_view a, std::string_view b) const {
  if (IsAscii(a) && IsAscii(b)) { // the common case, without decoding
    const std::size_t n = a.size() < b.size() ? a.size() : b.size();
    for (std::size_t i = 0; i < n; ++i) {
      const unsigned char x = FoldCase(a[i]);
      const unsigned char y = FoldCase(b[i]);
      if (x != y)
        return x < y;
    }
    return a.size() < b.size();
  }
  return Folded(a) < Folded(b);
}

bool HasWildcard(std::string_view name) {
  return name.find_first_of("*?") != std::string_view::npos;
}

namespace {

enum class Token { kLiteral, kStar, kDosStar, kDosQm, kDosDot };

struct Element {
  Token token;
  char32_t c;
};

std::vector<Element> Translate(std::u32string_view pattern) {
  std::vector<Element> out;
  for (std::size_t i = 0; i < pattern.size(); ++i) {
    const char32_t c = pattern[i];
    const char32_t next = i + 1 < pattern.size() ? pattern[i + 1] : U'\0';
    if (c == '?')
      out.push_back({Token::kDosQm, c});
    else if (c == '*')
      out.push_back({next == '.' ? Token::kDosStar : Token::kStar, c});
    else if (c == '.' && (next == '?' || next == '*' || next == '\0'))
      out.push_back({Token::kDosDot, c});
    else
      out.push_back({Token::kLiteral, c});
  }
  return out;
}

// Pattern and name are matched character by character, so that "?" stands
// for one character of any script.
bool Match(const std::vector<Element>& p, std::size_t pi, std::u32string_view name,
           std::size_t ni) {
  if (pi == p.size())
    return ni == name.size();
  const bool atEnd = ni == name.size();
  switch (p[pi].token) {
  case Token::kLiteral:
    return !atEnd && FoldCodePoint(name[ni]) == FoldCodePoint(p[pi].c) &&
           Match(p, pi + 1, name, ni + 1);
  case Token::kStar:
    for (std::size_t k = ni; k <= name.size(); ++k) {
      if (Match(p, pi + 1, name, k))
        return true;
    }
    return false;
  case Token::kDosStar: {
    // Consumes anything up to, but not past, the name's last dot.
    const std::size_t lastDot = name.rfind(U'.');
    const std::size_t limit =
        lastDot != std::u32string_view::npos && lastDot >= ni ? lastDot : name.size();
    for (std::size_t k = ni; k <= limit; ++k) {
      if (Match(p, pi + 1, name, k))
        return true;
    }
    return false;
  }
  case Token::kDosQm:
    if (atEnd || name[ni] == U'.')
      return Match(p, pi + 1, name, ni);
    return Match(p, pi + 1, name, ni + 1);
  case Token::kDosDot:
    if (atEnd)
      return Match(p, pi + 1, name, ni);
    return name[ni] == U'.' && Match(p, pi + 1, name, ni + 1);
  }
  return false;
}

} // namespace

bool MatchesPattern(std::string_view pattern, std::string_view name) {
  const std::u32string codePoints = CodePoints(name);
  return Match(Translate(CodePoints(pattern)), 0, codePoints, 0);
}

} // namespace vantrel::sim
