# changelog2deb.awk: Debian's changelog form of CHANGELOG.md (Keep a
# Changelog form), for the Debian package's changelog.gz.
#
#   LC_ALL=C awk -v package=lorivander-kit -v maintainer="Name <address>" \
#       -f changelog2deb.awk CHANGELOG.md >changelog
#
# Each released section "## [VERSION] - YYYY-MM-DD" becomes one entry, newest
# first as in the Markdown; "## [Unreleased]" is left out. "### Added" and the
# like become "  Added:", "- " items "  * " items, other lines are indented.

function weekday(y, m, d,    k, j, h) {  # Zeller's congruence
  if (m < 3) { m += 12; y-- }
  k = y % 100; j = int(y / 100)
  h = (d + int(13 * (m + 1) / 5) + k + int(k / 4) + int(j / 4) + 5 * j) % 7
  return substr("SatSunMonTueWedThuFri", h * 3 + 1, 3)
}

function month_name(m) { return substr("JanFebMarAprMayJunJulAugSepOctNovDec", m * 3 - 2, 3) }

function close_entry() {
  if (!open_entry) return
  print ""
  print " -- " maintainer "  " weekday(year, month, day) ", " sprintf("%02d", day) " " month_name(month) " " year " 00:00:00 +0000"
  print ""
  open_entry = 0
}

/^## \[/ {
  close_entry()
  if ($0 !~ /^## \[[0-9][^]]*\] - [0-9][0-9][0-9][0-9]-[0-9][0-9]-[0-9][0-9]$/) { skipping = 1; next }
  skipping = 0
  version = substr($2, 2, length($2) - 2)
  split($4, date, "-"); year = date[1] + 0; month = date[2] + 0; day = date[3] + 0
  print package " (" version ") unstable; urgency=medium"
  print ""
  open_entry = 1; blank = 0; any = 0
  next
}

!open_entry || skipping { next }

/^[ \t]*$/ { blank = 1; next }

{
  if (blank && any) print ""
  blank = 0; any = 1
  if ($0 ~ /^### /) print "  " substr($0, 5) ":"
  else if ($0 ~ /^- /) print "  * " substr($0, 3)
  else if ($0 ~ /^  /) print "  " $0
  else print "  " $0
}

END { close_entry() }
