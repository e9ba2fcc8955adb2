#include "text/search.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "text/edit.h"

namespace text {
namespace {

constexpr std::string_view kQuoteToken = "#引号";
constexpr std::size_t kBlock = 64;
constexpr std::uint64_t kEvenBits = 0x5555555555555555ULL;

using Bytes = const unsigned char*;

// One bit per byte of a block of up to 64 bytes: set where the byte is 0x80 or above.
std::uint64_t HighByteMask(Bytes d, std::size_t length) {
  std::uint64_t mask = 0;
  std::size_t i = 0;
#if defined(__SSE2__)
  for (; i + 16 <= length; i += 16) {
    __m128i chunk = _mm_loadu_si128(reinterpret_cast<const __m128i*>(d + i));
    mask |= static_cast<std::uint64_t>(static_cast<unsigned>(_mm_movemask_epi8(chunk))) << i;
  }
#endif
  for (; i < length; ++i)
    mask |= static_cast<std::uint64_t>(d[i] >> 7) << i;
  return mask;
}

// Which bytes of a block are trail bytes, given the block's high-byte mask and whether its
// first byte is a trail byte (`carry`, updated for the next block). A run of high bytes that
// starts on a character boundary has its trail bytes at every second position after the
// start, so the parity of each run's start decides them all: runs that start on odd bits
// are shifted onto even parity by one addition, which also carries a lead byte at bit 63
// over into the next block.
std::uint64_t TrailByteMask(std::uint64_t high, std::uint64_t& carry) {
  const std::uint64_t leads = high & ~carry;
  const std::uint64_t follows = (leads << 1) | carry;
  const std::uint64_t oddStarts = leads & ~kEvenBits & ~follows;
  std::uint64_t evenRuns;
  carry = __builtin_add_overflow(oddStarts, leads, &evenRuns) ? 1 : 0;
  return (kEvenBits ^ (evenRuns << 1)) & follows;
}

// Given a character boundary `from` <= `target`, returns the first character boundary at or
// after `target`: `target` itself, or the byte after it when it is a trail byte.
std::size_t BoundaryAtOrAfter(Bytes d, std::size_t n, std::size_t from, std::size_t target) {
  std::uint64_t carry = 0;
  for (std::size_t block = from;; block += kBlock) {
    const std::uint64_t trails =
        TrailByteMask(HighByteMask(d + block, std::min(kBlock, n - block)), carry);
    if (target - block < kBlock) return target + ((trails >> (target - block)) & 1);
  }
}

unsigned char FoldAscii(unsigned char byte) {
  return (byte >= 'A' && byte <= 'Z') ? static_cast<unsigned char>(byte + 0x20) : byte;
}

bool EqualFolded(Bytes a, std::string_view b) {
  for (std::size_t i = 0; i < b.size(); ++i) {
    if (FoldAscii(a[i]) != FoldAscii(static_cast<unsigned char>(b[i]))) return false;
  }
  return true;
}

bool HasAsciiLetter(std::string_view s) {
  return std::any_of(s.begin(), s.end(), [](char c) {
    unsigned char folded = FoldAscii(static_cast<unsigned char>(c));
    return folded >= 'a' && folded <= 'z';
  });
}

int ToPosition(std::size_t offset) {
  return offset < static_cast<std::size_t>(INT_MAX) ? static_cast<int>(offset) + 1 : kNotFound;
}

// The longest piece of `sub` without ASCII letters, which a case-folded match must hold
// byte for byte; empty when every byte is a letter.
std::string_view LetterFreeAnchor(std::string_view sub) {
  std::string_view best;
  std::size_t runStart = 0;
  for (std::size_t i = 0; i <= sub.size(); ++i) {
    const bool letter = i < sub.size() && HasAsciiLetter(sub.substr(i, 1));
    if (i == sub.size() || letter) {
      if (i - runStart > best.size()) best = sub.substr(runStart, i - runStart);
      runStart = i + 1;
    }
  }
  return best;
}

// Raw matches of `anchor` (a piece of `sub` at `anchorOffset`) come from memmem; a candidate
// is accepted only when it starts on a character boundary and, when folding, all of `sub`
// matches there.
int FindAnchored(Bytes d, std::size_t n, std::size_t start, std::string_view sub,
                 std::string_view anchor, std::size_t anchorOffset, bool folded) {
  std::size_t boundary = start;
  std::size_t pos = start + anchorOffset;
  while (pos < n) {
    const void* hit = memmem(d + pos, n - pos, anchor.data(), anchor.size());
    if (hit == nullptr) return kNotFound;
    const std::size_t at = static_cast<std::size_t>(static_cast<Bytes>(hit) - d) - anchorOffset;
    if (sub.size() > n - at) return kNotFound;
    boundary = BoundaryAtOrAfter(d, n, boundary, at);
    if (boundary == at && (!folded || EqualFolded(d + at, sub))) return ToPosition(at);
    pos = std::max(boundary, at + 1) + anchorOffset;
  }
  return kNotFound;
}

// For needles made only of letters: raw candidates are the first byte in either case.
int FindFoldedLetters(Bytes d, std::size_t n, std::size_t start, std::string_view sub) {
  const unsigned char small = FoldAscii(static_cast<unsigned char>(sub[0]));
  const unsigned char capital = static_cast<unsigned char>(small - 0x20);
  auto next = [&](unsigned char byte, std::size_t from) -> std::size_t {
    if (from >= n) return n;
    const void* p = std::memchr(d + from, byte, n - from);
    return p == nullptr ? n : static_cast<std::size_t>(static_cast<Bytes>(p) - d);
  };
  std::size_t nextSmall = next(small, start);
  std::size_t nextCapital = next(capital, start);
  std::size_t boundary = start;
  while (true) {
    const std::size_t at = std::min(nextSmall, nextCapital);
    if (at >= n || sub.size() > n - at) return kNotFound;
    boundary = BoundaryAtOrAfter(d, n, boundary, at);
    if (boundary == at && EqualFolded(d + at, sub)) return ToPosition(at);
    const std::size_t resume = std::max(boundary, at + 1);
    if (nextSmall < resume) nextSmall = next(small, resume);
    if (nextCapital < resume) nextCapital = next(capital, resume);
  }
}

}  // namespace

int Find(std::string_view text, std::string_view sub, int startPosition, bool ignoreCase) {
  const std::size_t n = text.size();
  const std::size_t start = startPosition > 1 ? static_cast<std::size_t>(startPosition - 1) : 0;
  if (start >= n) return kNotFound;
  if (sub.empty()) return 1;
  if (sub.size() > n - start) return kNotFound;
  Bytes d = reinterpret_cast<Bytes>(text.data());
  if (!ignoreCase || !HasAsciiLetter(sub)) return FindAnchored(d, n, start, sub, sub, 0, false);
  const std::string_view anchor = LetterFreeAnchor(sub);
  if (anchor.empty()) return FindFoldedLetters(d, n, start, sub);
  return FindAnchored(d, n, start, sub, anchor,
                      static_cast<std::size_t>(anchor.data() - sub.data()), true);
}

Text TextBetween(std::string_view source, std::string_view leftMarker, std::string_view rightMarker,
                 int startPosition, bool caseSensitive) {
  const Text left = ReplaceAll(leftMarker, kQuoteToken, "\"");
  const Text right = ReplaceAll(rightMarker, kQuoteToken, "\"");
  const bool ignoreCase = !caseSensitive;
  int p = Find(source, left, startPosition, ignoreCase);
  if (p == kNotFound) return {};
  p += static_cast<int>(left.size());
  int q = Find(source, right, p, ignoreCase);
  if (q == kNotFound) return {};
  return Mid(source, p, q - p);
}

Text ReplaceAll(std::string_view source, std::string_view from, std::string_view to) {
  if (from.empty()) return Text(source);
  Text out;
  out.reserve(source.size());
  int pos = 1;
  int hit;
  while ((hit = Find(source, from, pos)) != kNotFound) {
    out.append(
        source.substr(static_cast<std::size_t>(pos - 1), static_cast<std::size_t>(hit - pos)));
    out.append(to);
    pos = hit + static_cast<int>(from.size());
  }
  if (static_cast<std::size_t>(pos - 1) < source.size()) {
    out.append(source.substr(static_cast<std::size_t>(pos - 1)));
  }
  return out;
}

std::vector<Text> Split(std::string_view source, std::string_view separator) {
  std::vector<Text> members;
  if (source.empty()) return members;
  if (separator.empty()) {
    members.emplace_back(source);
    return members;
  }
  int pos = 1;
  int hit;
  while ((hit = Find(source, separator, pos)) != kNotFound) {
    members.emplace_back(
        source.substr(static_cast<std::size_t>(pos - 1), static_cast<std::size_t>(hit - pos)));
    pos = hit + static_cast<int>(separator.size());
  }
  if (static_cast<std::size_t>(pos - 1) < source.size()) {
    members.emplace_back(source.substr(static_cast<std::size_t>(pos - 1)));
  }
  return members;
}

}  // namespace text
