#pragma once
// What a hand-written project file holds that the wizard would not read as
// written: a value of an enumerated key that the wizard never writes (it
// reads as one of its own words, silently), and a section or key that the
// wizard does not read at all. The wizard tells the author once when it
// opens such a file; pakforge-build refuses the words and warns of the
// names. The reading itself (project_file.h) is not changed by this.

#include <cstddef>
#include <string>
#include <vector>

#include "base/ini_file.h"

namespace project {

/// A value of an enumerated key that the wizard never writes.
struct UnwrittenWord {
  std::size_t line = 0;   ///< its line in the project file, from 1
  std::string key;        ///< the key as the wizard names it ("Dest", "Type2")
  std::string value;      ///< the value as written
  std::string accepted;   ///< the words the wizard writes, as "MAIN, CARD, ALTERNATIVE"
  std::string read_as;    ///< the word the wizard reads it as ("ALTERNATIVE")
};

/// A section, or a key of a section the wizard reads, that the wizard does
/// not read: an unknown name, a second section or key of one name, a row
/// key after the end of its list.
struct UnreadName {
  std::size_t line = 0;     ///< from 1
  std::string section;      ///< the section as written
  std::string key;          ///< the key as written; empty for a section header
  std::string suggestion;   ///< a name the wizard reads one edit away, or empty
};

/// What ReviewProjectFile found, in file order. Each list keeps at most
/// kMaxReviewItems entries; the counts say how many there were.
struct ProjectFileReview {
  std::vector<UnwrittenWord> words;
  std::size_t word_count = 0;
  std::vector<UnreadName> unread;
  std::size_t unread_count = 0;
};

inline constexpr std::size_t kMaxReviewItems = 50;

/// Looks through `ini` for the words and names above. The enumerated keys
/// are Locate, Reboot, Dest, Uninstall and UnRegist of Property, Type<j>
/// and Wakeup<j> of the file rows read, and Create of SetupIni; a word
/// compares without regard to letter case, as reading does. A Folder<j>
/// of a file row must name a folder the wizard offers for its kind: an own
/// folder of section Folder, or for a "My Documents" kind, "My Documents".
ProjectFileReview ReviewProjectFile(const base::IniFile& ini);

/// The formats of the lines of ReviewText, from the program's message
/// table; each "%s" is filled in turn.
struct ReviewFormats {
  std::string word;        ///< line, key, value, accepted words, word read as
  std::string section;     ///< line, section
  std::string key;         ///< line, key
  std::string suggestion;  ///< the suggested name (appended to a line)
  std::string more;        ///< how many more were found than listed
};

/// One line per word, then per name, of `review`, joined by line feeds; a
/// name with a suggestion ends with it, in brackets for a section.
std::string ReviewText(const ProjectFileReview& review, const ReviewFormats& formats);

/// True when `a` becomes `b` by one inserted, deleted or replaced character
/// or by two neighbours swapped, ASCII letter case ignored.
bool OneEditApart(const std::string& a, const std::string& b);

}  // namespace project
