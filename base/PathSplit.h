#pragma once
// Where a path text splits: at its last backslash or colon, the file name's
// extension at its last ".". Worked out once for ANSI texts, where the second
// byte of a double-byte character may be a backslash and never counts, and
// for UTF-16 texts, which have no such bytes.
#include <windows.h>
#include <cstddef>
#include <vector>

struct TPathSplit {
  static constexpr std::size_t None = static_cast<std::size_t>(-1);

  std::size_t Length = 0;
  std::size_t LastDelimiter = None;
  std::size_t DelimiterBeforeLast = None;
  bool LastDelimiterIsBackslash = false;
  std::size_t LastDotOfName = None;  // only a "." after the last delimiter
  std::size_t LastCharacter = None;  // where the last character begins

  // "C:\dir\prog.exe": "C:\dir\" is the directory part with its separator.
  std::size_t FilePathLength() const { return LastDelimiter == None ? 0 : LastDelimiter + 1; }
  std::size_t FileNameStart() const { return FilePathLength(); }
  // "prog" of "prog.tar.exe": the name ends at its last extension.
  std::size_t FileNameEnd() const { return LastDotOfName == None ? Length : LastDotOfName; }
  // "C:\dir": the final backslash goes unless it follows a colon or another
  // backslash, so "C:\prog.exe" gives "C:\".
  std::size_t FileDirLength() const {
    if (LastDelimiter == None) return 0;
    bool keep = !LastDelimiterIsBackslash || LastDelimiter == 0 ||
                (DelimiterBeforeLast != None && DelimiterBeforeLast + 1 == LastDelimiter);
    return keep ? LastDelimiter + 1 : LastDelimiter;
  }
  // "C:\dir\" gives "C:\dir"; a text without a trailing backslash keeps its length.
  std::size_t WithoutTrailingBackslashLength() const {
    bool trailing = LastDelimiterIsBackslash && LastDelimiter != None && LastDelimiter == LastCharacter;
    return trailing ? LastDelimiter : Length;
  }
};

// isLead(c) tells whether c begins a two-unit character.
template <class Char, class IsLead>
TPathSplit SplitPath(const Char* text, std::size_t length, IsLead isLead) {
  TPathSplit split;
  split.Length = length;
  for (std::size_t i = 0; i < length; ++i) {
    split.LastCharacter = i;
    const Char c = text[i];
    if (c == Char('\\') || c == Char(':')) {
      split.DelimiterBeforeLast = split.LastDelimiter;
      split.LastDelimiter = i;
      split.LastDelimiterIsBackslash = c == Char('\\');
      split.LastDotOfName = TPathSplit::None;
    } else if (c == Char('.')) {
      split.LastDotOfName = i;
    } else if (isLead(c) && i + 1 < length) {
      ++i;
    }
  }
  return split;
}

// A module's path through get(buffer, size), which returns the length it
// wrote, or the buffer's size when the path was cut: the buffer grows until
// the whole path fits (long-path prefixes exceed MAX_PATH). Empty on failure.
template <class Text, class Char, class Get>
Text WholeModulePath(Get get) {
  std::vector<Char> buffer(MAX_PATH);
  for (;;) {
    const DWORD length = get(buffer.data(), static_cast<DWORD>(buffer.size()));
    if (length == 0) return Text();
    if (length < buffer.size()) return Text(buffer.data(), length);
    buffer.resize(buffer.size() * 2);
  }
}
