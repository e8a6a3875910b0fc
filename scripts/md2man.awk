# md2man.awk: the manual page (roff, man macros) of one program, made from
# the part of its Markdown document that lies between the lines
#
#   <!-- manual: NAME(SECTION) — ONE-LINE SUMMARY -->
#   <!-- manual ends -->
#
# so that the document and the manual page never say different things.
#
#   LC_ALL=C awk -v source="LORIVANDER packaging kit 1.0.0" -f md2man.awk docs/pakmak.md >pakmak.1
#
# The Markdown it understands is what the documents use: "## " sections,
# "### " subsections, paragraphs, "* " or "- " lists (an item that starts
# with `code` followed by " — " becomes a tagged item, as options are shown),
# "1. " numbered lists, tables (the first row is the header and is left out;
# each row becomes a tagged item), ``` code blocks, and inline `code`,
# **bold**, *italic* and [text](link). Characters outside ASCII become groff
# escapes, so the page needs no input encoding.
# Run it with LC_ALL=C: it works on bytes.

BEGIN {
  for (i = 0; i < 256; i++) byte_value[sprintf("%c", i)] = i
  hex_digits = "0123456789ABCDEF"
  in_manual = 0; done = 0; in_code = 0
  kind = ""; text = ""   # the block being collected: "para", "item" or "" (none)
}

function hex4(n,    s) {
  s = ""
  while (n > 0) { s = substr(hex_digits, n % 16 + 1, 1) s; n = int(n / 16) }
  while (length(s) < 4) s = "0" s
  return s
}

# The length in bytes of the UTF-8 sequence that starts at position i of s
# (1 for an ASCII byte); a byte that starts no well-formed sequence stops
# the run, so that no page ever shows a character as "?".
function char_length(s, i,    b, n, k) {
  b = byte_value[substr(s, i, 1)]
  if (b < 128) return 1
  if (b >= 194 && b <= 223) n = 2
  else if (b >= 224 && b <= 239) n = 3
  else if (b >= 240 && b <= 244) n = 4
  else not_utf8()
  for (k = 1; k < n; k++) {
    b = byte_value[substr(s, i + k, 1)]
    if (b < 128 || b > 191) not_utf8()
  }
  return n
}

function not_utf8() {
  printf "md2man.awk: %s, line %d: a byte that is not UTF-8\n", FILENAME, FNR >"/dev/stderr"
  failed = 1
  exit 1
}

# The groff form of the UTF-8 character that starts at position i of s;
# sets `taken` to its length in bytes.
function wide_char(s, i,    b, n, cp, k) {
  n = char_length(s, i)
  b = byte_value[substr(s, i, 1)]
  cp = n == 2 ? b - 192 : n == 3 ? b - 224 : b - 240
  for (k = 1; k < n; k++) cp = cp * 64 + byte_value[substr(s, i + k, 1)] - 128
  taken = n
  if (cp == 8212) return "\\(em"
  if (cp == 8211) return "\\(en"
  return "\\[u" hex4(cp) "]"
}

# Plain characters: backslashes, non-ASCII; in code also hyphens (minus signs
# of options) and apostrophes.
function plain(s, code,    out, i, c) {
  out = ""
  for (i = 1; i <= length(s); ) {
    c = substr(s, i, 1)
    if (c == "\\") { out = out "\\e"; i++ }
    else if (code && c == "-") { out = out "\\-"; i++ }
    else if (byte_value[c] >= 128) { out = out wide_char(s, i); i += taken }
    else { out = out c; i++ }
  }
  return out
}

function inline(s,    out, i, c, rest, j) {
  out = ""
  i = 1
  while (i <= length(s)) {
    c = substr(s, i, 1)
    rest = substr(s, i + 1)
    if (c == "`" && (j = index(rest, "`")) > 0) {
      out = out "\\fB" plain(substr(rest, 1, j - 1), 1) "\\fR"; i += j + 1
    } else if (substr(s, i, 2) == "**" && (j = index(substr(s, i + 2), "**")) > 0) {
      out = out "\\fB" inline(substr(s, i + 2, j - 1)) "\\fR"; i += j + 3
    } else if (c == "*" && rest ~ /^[^ *]/ && (j = index(rest, "*")) > 0) {
      out = out "\\fI" inline(substr(rest, 1, j - 1)) "\\fR"; i += j + 1
    } else if (c == "[" && match(rest, /^[^]]*\]\([^)]*\)/)) {
      j = index(rest, "]")
      out = out inline(substr(rest, 1, j - 1)); i += RLENGTH + 1
    } else {
      # One whole character: a UTF-8 sequence is escaped as one.
      j = char_length(s, i)
      out = out plain(substr(s, i, j), 0); i += j
    }
  }
  return out
}

# A text line must not start with a control character.
function emit(line) {
  if (line ~ /^[.']/) line = "\\&" line
  print line
}

function flush(    tag, body, k) {
  if (kind == "para") {
    print ".PP"; emit(inline(text))
  } else if (kind == "item") {
    k = index(text, " — ")
    if (substr(text, 1, 1) == "`" && k > 0) {
      print ".TP"; emit(inline(substr(text, 1, k - 1))); emit(inline(substr(text, k + 5)))
    } else {
      print ".IP \\(bu 2"; emit(inline(text))
    }
  } else if (kind == "number") {
    print ".IP " number " 4"; emit(inline(text))
  }
  kind = ""; text = ""
}

function trim(s) { sub(/^[ \t]+/, "", s); sub(/[ \t]+$/, "", s); return s }

function table_row(line,    cells, n, k, body) {
  if (line ~ /^[|: -]+$/) return          # the rule under the header
  if (!in_table) { in_table = 1; return } # the header
  n = split(line, cells, "|")
  # cells[1] and cells[n] are the empty texts outside the outer bars.
  body = ""
  for (k = 3; k < n; k++) body = body (body == "" ? "" : "; ") trim(cells[k])
  print ".TP"; emit(inline(trim(cells[2]))); emit(inline(body))
}

done { next }

# Every line of the manual part must be UTF-8 (checked where it is read, so
# that the message names its line).
in_manual { for (i = 1; i <= length($0); i += char_length($0, i)) ; }

!in_manual {
  if (match($0, /^<!-- manual: [^ (]+\([0-9]\) — .* -->$/)) {
    in_manual = 1
    name = substr($0, 14); name = substr(name, 1, index(name, "(") - 1)
    section = substr($0, 14 + length(name) + 1, 1)
    summary = substr($0, index($0, ") — ") + 6); sub(/ -->$/, "", summary)
    upper = toupper(name)
    print ".\\\" Made by md2man.awk from the program's document; edit that, not this."
    print ".TH " plain(upper, 1) " " section " \"\" \"" source "\" \"User Commands\""
    print ".nh"     # no hyphenation: options and paths stay whole
    print ".ad l"
    print ".SH NAME"
    print plain(name, 1) " \\- " inline(summary)
  }
  next
}

/^<!-- manual ends -->$/ { flush(); done = 1; next }

in_code {
  if ($0 ~ /^```/) { print ".fi"; print ".RE"; in_code = 0 }
  else if ($0 == "") print "\\&"
  else emit(plain($0, 1))
  next
}

/^```/ { flush(); in_table = 0; print ".PP"; print ".RS 4"; print ".nf"; in_code = 1; next }

/^<!--.*-->$/ { next }

/^#+ / {
  flush(); in_table = 0
  heading = $0; sub(/^#+ /, "", heading); gsub(/`/, "", heading)
  if ($0 ~ /^## /) print ".SH " plain(toupper(heading), 0)
  else print ".SS " plain(heading, 0)
  next
}

/^\|/ { flush(); table_row($0); next }

/^[ \t]*$/ { flush(); in_table = 0; next }

/^[*-] / { flush(); kind = "item"; text = substr($0, 3); next }

/^[0-9]+\. / {
  flush(); kind = "number"
  number = $0; sub(/ .*/, "", number)
  text = $0; sub(/^[0-9]+\. /, "", text)
  next
}

{
  # A paragraph line, or the next line of the open paragraph or item.
  if (kind == "") { kind = "para"; text = trim($0) }
  else text = text " " trim($0)
}

END {
  if (failed) exit 1
  if (in_code) { print ".fi"; print ".RE" }
  flush()
  if (!in_manual) { print "md2man.awk: no \"<!-- manual: NAME(SECTION) — SUMMARY -->\" line" >"/dev/stderr"; exit 1 }
  if (!done) { print "md2man.awk: no \"<!-- manual ends -->\" line" >"/dev/stderr"; exit 1 }
}
