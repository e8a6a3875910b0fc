#include "lsp/description_outline.h"

#include <string_view>

#include "base/console.h"
#include "inf/diagnostic.h"
#include "inf/inf_tokenizer.h"
#include "inf/section_table.h"
#include "inf/value_parsers.h"

namespace lsp {
namespace {

struct Token {
  std::string_view text;
  int start;  // characters
  int end;
};

// The tokens of a Shift-JIS line, up to a comment or a tokeniser error.
std::vector<Token> Tokens(std::string_view line) {
  std::vector<Token> tokens;
  base::SilentConsole quiet;
  inf::InfTokenizer tokenizer;
  tokenizer.Start(line);
  std::string_view token;
  std::uint32_t error = 0;
  std::size_t counted = 0;
  int chars = 0;
  while (tokenizer.Next(&token, &error, quiet)) {
    if (token.front() == ';') break;
    const std::size_t at = static_cast<std::size_t>(token.data() - line.data());
    chars += inf::SjisCharCount(line.substr(counted, at - counted));
    const int length = inf::SjisCharCount(token);
    tokens.push_back(Token{token, chars, chars + length});
    chars += length;
    counted = at + token.size();
  }
  return tokens;
}

bool IsHead(const std::vector<Token>& tokens) { return !tokens.empty() && tokens.front().text.front() == '['; }

}  // namespace

std::vector<OutlineSection> Sections(const TextDocument& document) {
  std::vector<OutlineSection> sections;
  for (int line = 0; line < document.line_count(); ++line) {
    const std::string_view text = document.Line(line);
    // Only a line that begins with "[" can be a head: skip the others
    // without tokenising them.
    const std::size_t first = text.find_first_not_of(" \t\v\f\r\a\b");
    if (first != std::string_view::npos && text[first] == '[') {
      const std::vector<Token> tokens = Tokens(text);
      OutlineSection section;
      section.head_line = section.last_line = line;
      for (std::size_t i = 1; i < tokens.size() && tokens[i].text != "]"; ++i) {
        if (!section.name.empty()) section.name += ' ';
        else section.name_start = tokens[i].start;
        section.name += tokens[i].text;
        section.name_end = tokens[i].end;
      }
      section.kind = inf::FindSection(section.name);
      if (!sections.empty()) sections.back().last_line = std::max(sections.back().head_line, line - 1);
      sections.push_back(std::move(section));
    }
  }
  if (!sections.empty()) sections.back().last_line = std::max(sections.back().head_line, document.line_count() - 1);
  return sections;
}

StatementPart PartAt(const TextDocument& document, const std::vector<OutlineSection>& sections, int line,
                     int char_index) {
  StatementPart part;
  part.start = part.end = char_index;
  const OutlineSection* section = nullptr;
  for (const OutlineSection& s : sections) {
    if (s.head_line <= line) section = &s;
  }
  const std::vector<Token> tokens = Tokens(document.Line(line));
  if (section && section->head_line == line) {
    part.role = StatementPart::kSectionName;
    part.section = section->kind;
    part.word = section->name;
    part.start = section->name_start;
    part.end = section->name_end;
    if (section->name.empty()) part.start = part.end = char_index;
    return part;
  }
  if (IsHead(tokens)) return part;
  if (!section) return part;
  part.section = section->kind;
  // The token at the place: the last one that starts at or before it and
  // ends at or after it.
  const Token* at = nullptr;
  std::size_t index = 0;
  for (std::size_t i = 0; i < tokens.size(); ++i) {
    if (tokens[i].start <= char_index && char_index <= tokens[i].end && tokens[i].text != "," &&
        tokens[i].text != "=") {
      at = &tokens[i];
      index = i;
    }
  }
  if (at) {
    part.start = at->start;
    part.end = at->end;
    part.word = inf::UnquoteValue(at->text);
  } else {
    index = 0;
    while (index < tokens.size() && tokens[index].end <= char_index) ++index;
  }
  switch (inf::SectionHandler(section->kind)) {
    case inf::HandlerKind::kDefinition: {
      bool after_equals = false;
      for (std::size_t i = 0; i < index && i < tokens.size(); ++i) after_equals |= tokens[i].text == "=";
      if (at && tokens[index].start == char_index && index > 0 && tokens[index - 1].text == "=") after_equals = true;
      if (!after_equals) {
        part.role = index == 0 ? StatementPart::kKey : StatementPart::kNothing;
      } else {
        part.role = StatementPart::kValue;
        part.key = tokens.empty() ? std::string() : inf::UnquoteValue(tokens.front().text);
      }
      break;
    }
    case inf::HandlerKind::kParameterList:
    case inf::HandlerKind::kAddRegistry: {
      part.role = StatementPart::kParameter;
      std::string current;
      for (std::size_t i = 0; i < tokens.size() && i < index; ++i) {
        if (tokens[i].text == ",") {
          part.parameters.push_back(current);
          current.clear();
          ++part.parameter;
        } else {
          current = inf::UnquoteValue(tokens[i].text);
        }
      }
      part.parameters.push_back(at ? part.word : current);
      // The rest of the statement's parameters on this line, for a copy
      // line's file name.
      for (std::size_t i = index + (at ? 1 : 0); i < tokens.size(); ++i) {
        if (tokens[i].text == ",") part.parameters.emplace_back();
        else if (!part.parameters.empty()) part.parameters.back() = inf::UnquoteValue(tokens[i].text);
      }
      break;
    }
    default:
      break;
  }
  return part;
}

}  // namespace lsp
