#!/usr/bin/env bash
# Writes a registry file of about the given size as the registry editor
# exports a hive: "Windows Registry Editor Version 5.00", UTF-16LE with its
# byte-order mark, CR LF line ends. Keys three to six levels deep under
# HKEY_CURRENT_USER\Software and HKEY_LOCAL_MACHINE\SOFTWARE, each with a
# default value and a mix of texts, numbers, binary data wrapped over
# continued lines, hex(2) and hex(7) texts (UTF-16LE bytes, as that editor
# writes them), a few hex(b) numbers and names and texts holding characters
# outside the ANSI code page. Run by scripts/bench.sh only.
# Usage: bench/make_reg_file.sh MEGABYTES OUTPUT
set -euo pipefail
megabytes=$1 output=$2

{
  printf '\xFF\xFE'
  awk -v limit="$((megabytes * 1024 * 1024 / 2))" '
    # Characters written so far; UTF-16LE takes two bytes for each.
    function out(text) { printf "%s\r\n", text; size += length(text) + 2 }
    function hex2(n) { return sprintf("%02x", n % 256) }
    # A value name and hex list wrapped as the editor wraps it: lines of at
    # most 80 characters, a backslash where the list goes on.
    function hexlist(head, bytes, count,   line, i, item) {
      line = head
      for (i = 1; i <= count; ++i) {
        item = bytes[i] (i < count ? "," : "")
        if (i > 1 && length(line) + length(item) + 1 > 80) { out(line "\\"); line = "  " }
        line = line item
      }
      out(line)
    }
    # Text as UTF-16LE bytes with its zero; multi: a list of texts and the
    # closing zero.
    function utf16(text, bytes, multi,   n, i, c) {
      n = 0
      for (i = 1; i <= length(text); ++i) {
        c = substr(text, i, 1)
        bytes[++n] = (c == "|" && multi) ? "00" : sprintf("%02x", ord[c]); bytes[++n] = "00"
      }
      bytes[++n] = "00"; bytes[++n] = "00"
      if (multi) { bytes[++n] = "00"; bytes[++n] = "00" }
      return n
    }
    BEGIN {
      for (i = 32; i < 127; ++i) ord[sprintf("%c", i)] = i
      out("Windows Registry Editor Version 5.00"); out("")
      # The key of the tweak that scripts/bench.sh applies.
      out("[HKEY_CURRENT_USER\\Software\\Microsoft\\Command Processor]")
      out("\"CompletionChar\"=dword:00000009"); out("\"EnableExtensions\"=dword:00000001"); out("")
      split("Microsoft Vendor Contoso Fabrikam Northwind Litware Tailspin", vendors, " ")
      split("Settings Options Preferences Recent Layout Plugins Profiles Cache", parts, " ")
      for (k = 0; size < limit; ++k) {
        root = k % 3 ? "HKEY_CURRENT_USER\\Software" : "HKEY_LOCAL_MACHINE\\SOFTWARE"
        key = root "\\" vendors[k % 7 + 1] "\\Product " int(k / 400)
        for (d = 0; d < k % 4; ++d) key = key "\\" parts[(k + d) % 8 + 1] " " d
        out("[" key " " k "]")
        out("@=\"Default of key " k "\"")
        for (v = 0; v < 4 + k % 13; ++v) {
          kind = (k + v) % 9
          if (kind <= 2) out("\"Text " v "\"=\"C:\\\\Program Files\\\\" vendors[v % 7 + 1] "\\\\file " k "." v ".dat\"")
          else if (kind <= 4) out("\"Number " v "\"=dword:" sprintf("%08x", k * 31 + v))
          else if (kind == 5) {
            n = 0; for (b = 0; b < 16 + (k * 7 + v) % 90; ++b) bytes[++n] = hex2(k + b * 13)
            hexlist("\"Binary " v "\"=hex:", bytes, n)
          } else if (kind == 6) {
            n = utf16("%SystemRoot%\\system32\\module" k ".dll", bytes, 0); hexlist("\"Path " v "\"=hex(2):", bytes, n)
          } else if (kind == 7) {
            n = utf16("first entry " k "|second entry|third", bytes, 1); hexlist("\"List " v "\"=hex(7):", bytes, n)
          } else {
            n = 0; for (b = 0; b < 8; ++b) bytes[++n] = hex2(k * 3 + b); hexlist("\"Quad " v "\"=hex(b):", bytes, n)
          }
        }
        if (k % 50 == 0) out("\"Name \\\"quoted\\\" caf\303\251 \320\226\"=\"text \320\226\320\264 \342\202\254 " k "\"")
        out("")
      }
    }' | iconv -f UTF-8 -t UTF-16LE
} >"$output"
