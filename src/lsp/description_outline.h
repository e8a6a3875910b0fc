#pragma once
// What stands where in an install description, for an editor: the sections
// with their lines, and the statement part at a place (a section name, a key,
// a value, the n-th parameter), read with the builder's own tokeniser from
// the buffer's Shift-JIS form.

#include <string>
#include <vector>

#include "inf/install_description.h"
#include "lsp/text_document.h"

namespace lsp {

/// A section of the buffer: from its head to the line before the next one.
struct OutlineSection {
  std::string name;  ///< as written, its words joined by one blank (Shift-JIS)
  inf::SectionKind kind = inf::SectionKind::kNone;
  int head_line = 0;
  int last_line = 0;
  int name_start = 0;  ///< characters before the first word of the name
  int name_end = 0;    ///< characters before the end of its last word
};

/// The sections of `document`, in order.
std::vector<OutlineSection> Sections(const TextDocument& document);

/// What a place of a line is part of.
struct StatementPart {
  enum Role {
    kNothing,      ///< a comment, a blank line between statements, or outside any section
    kSectionName,  ///< the name of a section head
    kKey,          ///< the key of a definition
    kValue,        ///< the value of a definition
    kParameter,    ///< a parameter of a list or Add Registry statement
  };
  Role role = kNothing;
  inf::SectionKind section = inf::SectionKind::kNone;
  int parameter = 0;     ///< for kParameter: commas before it
  std::string word;      ///< the token there, unquoted (Shift-JIS); for kSectionName the name
  std::string key;       ///< for kValue: the definition's key
  std::vector<std::string> parameters;  ///< for kParameter: the statement's parameters so far, unquoted
  int start = 0;         ///< characters before the token (the place itself when there is none)
  int end = 0;           ///< characters before its end
};

/// The part of line `line` at `char_index` characters into it. A place just
/// after a token belongs to that token, so that a word being typed is found.
StatementPart PartAt(const TextDocument& document, const std::vector<OutlineSection>& sections, int line,
                     int char_index);

}  // namespace lsp
