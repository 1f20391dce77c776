# Writes a package-source file (one-line .list or deb822 .sources) again
# with some suites taken for the machine's own architecture only, or left
# out. FAILS holds one "uri suite mode" line per suite whose index failed
# to download; mode is "native" (keep the suite, native architecture only)
# or "drop". NATIVE is the machine's own architecture. FORMAT is "list" or
# "sources". Entries that no failure names are copied as they stand.
BEGIN {
  n = split(FAILS, rows, "\n")
  for (i = 1; i <= n; i++) {
    if (split(rows[i], f, " ") == 3) mode[trim_slash(f[1]) " " f[2]] = f[3]
  }
  if (FORMAT == "sources") RS = ""
}

function trim_slash(u) { sub(/\/+$/, "", u); return u }

function failing(uris, suite,    k, m, list) {
  m = split(uris, list, /[ \t]+/)
  for (k = 1; k <= m; k++)
    if ((trim_slash(list[k]) " " suite) in mode) return mode[trim_slash(list[k]) " " suite]
  return ""
}

# One-line format: deb [options] uri suite components...
FORMAT == "list" {
  line = $0
  if (line ~ /^[ \t]*(deb|deb-src)[ \t]/) {
    options = ""
    rest = line
    sub(/^[ \t]*(deb|deb-src)[ \t]+/, "", rest)
    type = line; sub(/^[ \t]*/, "", type); sub(/[ \t].*/, "", type)
    if (rest ~ /^\[/) {
      options = rest; sub(/\].*/, "", options); sub(/^\[/, "", options)
      sub(/^\[[^]]*\][ \t]*/, "", rest)
    }
    split(rest, t, /[ \t]+/)
    m = failing(t[1], t[2])
    if (m == "drop") { print "# " line; next }
    if (m == "native") {
      gsub(/(^|[ \t])arch(-add|-remove)?[+-]?=[^ \t]*/, "", options)
      sub(/^[ \t]+/, "", options)
      print type " [arch=" NATIVE (options == "" ? "" : " " options) "] " rest
      next
    }
  }
  print line
  next
}

# deb822 format: stanzas of "Field: value" lines, continuations indented.
FORMAT == "sources" {
  count = split($0, raw, "\n")
  fields = 0
  for (i = 1; i <= count; i++) {
    if (raw[i] ~ /^[ \t]/ && fields > 0) { text[fields] = text[fields] "\n" raw[i]; value[fields] = value[fields] " " raw[i]; continue }
    fields++
    text[fields] = raw[i]
    key[fields] = ""
    value[fields] = ""
    if (raw[i] !~ /^#/ && index(raw[i], ":") > 0) {
      key[fields] = tolower(substr(raw[i], 1, index(raw[i], ":") - 1))
      value[fields] = substr(raw[i], index(raw[i], ":") + 1)
    }
  }
  uris = ""; suites = ""
  for (i = 1; i <= fields; i++) {
    if (key[i] == "uris") uris = value[i]
    if (key[i] == "suites") suites = value[i]
  }
  keep = ""; native = ""; touched = 0
  s = split(suites, list, /[ \t]+/)
  for (k = 1; k <= s; k++) {
    if (list[k] == "") continue
    m = failing(uris, list[k])
    if (m == "") keep = keep " " list[k]
    else touched = 1
    if (m == "native") native = native " " list[k]
  }
  if (!touched) { print $0; print ""; next }
  sub(/^ /, "", keep); sub(/^ /, "", native)
  out = 0
  if (keep != "") { emit(keep, ""); out = 1 }
  if (native != "") { emit(native, NATIVE); out = 1 }
  if (!out) {
    # Every suite of the stanza was left out: keep it, disabled.
    for (i = 1; i <= fields; i++) if (key[i] != "enabled") print text[i]
    print "Enabled: no"
    print ""
  }
  next
}

function emit(suite_list, arch,    i, written) {
  written = 0
  for (i = 1; i <= fields; i++) {
    if (key[i] == "suites") { print "Suites: " suite_list; continue }
    if (arch != "" && key[i] ~ /^architectures(-add|-remove)?$/) {
      if (!written) print "Architectures: " arch
      written = 1
      continue
    }
    print text[i]
  }
  if (arch != "" && !written) print "Architectures: " arch
  print ""
}
