#include "common/platform/sim/sim_names.h"

#include <vector>

namespace vantrel::sim {

unsigned char FoldCase(char c) {
  const auto u = static_cast<unsigned char>(c);
  if (u >= 'a' && u <= 'z')
    return static_cast<unsigned char>(u - 32);
  if (u >= 0xE0 && u <= 0xFE && u != 0xF7) // accented small letters
    return static_cast<unsigned char>(u - 32);
  switch (u) {
  case 0x9A: // s caron
  case 0x9C: // oe
  case 0x9E: // z caron
    return static_cast<unsigned char>(u - 0x10);
  case 0xFF: // y diaeresis
    return 0x9F;
  default:
    return u;
  }
}

bool NamesEqual(std::string_view a, std::string_view b) {
  if (a.size() != b.size())
    return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (FoldCase(a[i]) != FoldCase(b[i]))
      return false;
  }
  return true;
}

bool NameLess::operator()(std::string_view a, std::string_view b) const {
  const std::size_t n = a.size() < b.size() ? a.size() : b.size();
  for (std::size_t i = 0; i < n; ++i) {
    const unsigned char x = FoldCase(a[i]);
    const unsigned char y = FoldCase(b[i]);
    if (x != y)
      return x < y;
  }
  return a.size() < b.size();
}

bool HasWildcard(std::string_view name) {
  return name.find_first_of("*?") != std::string_view::npos;
}

namespace {

enum class Token { kLiteral, kStar, kDosStar, kDosQm, kDosDot };

struct Element {
  Token token;
  char c;
};

std::vector<Element> Translate(std::string_view pattern) {
  std::vector<Element> out;
  for (std::size_t i = 0; i < pattern.size(); ++i) {
    const char c = pattern[i];
    const char next = i + 1 < pattern.size() ? pattern[i + 1] : '\0';
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

bool Match(const std::vector<Element>& p, std::size_t pi, std::string_view name, std::size_t ni) {
  if (pi == p.size())
    return ni == name.size();
  const bool atEnd = ni == name.size();
  switch (p[pi].token) {
  case Token::kLiteral:
    return !atEnd && FoldCase(name[ni]) == FoldCase(p[pi].c) && Match(p, pi + 1, name, ni + 1);
  case Token::kStar:
    for (std::size_t k = ni; k <= name.size(); ++k) {
      if (Match(p, pi + 1, name, k))
        return true;
    }
    return false;
  case Token::kDosStar: {
    // Consumes anything up to, but not past, the name's last dot.
    const std::size_t lastDot = name.rfind('.');
    const std::size_t limit =
        lastDot != std::string_view::npos && lastDot >= ni ? lastDot : name.size();
    for (std::size_t k = ni; k <= limit; ++k) {
      if (Match(p, pi + 1, name, k))
        return true;
    }
    return false;
  }
  case Token::kDosQm:
    if (atEnd || name[ni] == '.')
      return Match(p, pi + 1, name, ni);
    return Match(p, pi + 1, name, ni + 1);
  case Token::kDosDot:
    if (atEnd)
      return Match(p, pi + 1, name, ni);
    return name[ni] == '.' && Match(p, pi + 1, name, ni + 1);
  }
  return false;
}

} // namespace

bool MatchesPattern(std::string_view pattern, std::string_view name) {
  return Match(Translate(pattern), 0, name, 0);
}

} // namespace vantrel::sim
