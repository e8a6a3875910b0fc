#pragma once
// The list of file names that a question of the wizard shows.

#include <cstddef>
#include <string>
#include <vector>

namespace project {

/// At most this many names are listed in a question; the rest are counted.
inline constexpr std::size_t kNamesShown = 20;

/// One name a line, at most kNamesShown of them; when there are more, a
/// last line "... (+N)" counts the others. No line break at the end.
std::string NameLines(const std::vector<std::string>& names);

}  // namespace project
