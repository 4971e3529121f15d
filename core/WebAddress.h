// Which texts are internet addresses rather than paths: the one place that
// knows the prefixes, so every test of "is this a web address" agrees.
#pragma once

#include <string_view>

#include "core/Sjis.h"

// "http://" or "https://", any case.
inline bool IsWebAddress(std::string_view text) {
  return sjis::StartsWithIgnoreCase(text, "http://") || sjis::StartsWithIgnoreCase(text, "https://");
}

// A web address, "mailto:" or "ftp://": a command that names no file and is
// never a broken link.
inline bool IsInternetAddress(std::string_view text) {
  return IsWebAddress(text) || sjis::StartsWithIgnoreCase(text, "mailto:") || sjis::StartsWithIgnoreCase(text, "ftp://");
}
