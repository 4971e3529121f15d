#include "core/Expand_Env_String.h"

#include "core/Sjis.h"

std::string TExpandEnvString::ResolveName(const std::string& name) const {
  std::string value = name;
  if (handlers_.Resolve(value)) return value;
  return std::string(1, openChar_) + name + std::string(1, closeChar_);
}

std::string TExpandEnvString::Expand(std::string_view text) const {
  std::string result, run, name;
  bool inName = false;
  size_t i = 0;
  while (i < text.size()) {
    char c = text[i];
    if (sjis::IsLeadByte(c)) {
      // A double-byte character is copied whole (a lone lead byte at the end alone).
      size_t len = sjis::CharLen(text, i);
      (inName ? name : run).append(text.substr(i, len));
      i += len;
      continue;
    }
    char stop = inName ? closeChar_ : openChar_;
    if (c == stop) {
      if (i + 1 < text.size() && text[i + 1] == stop) {
        (inName ? name : run) += stop;
        i += 2;
        continue;
      }
      if (inName) {
        result += ResolveName(name);
        name.clear();
        run.clear();
        inName = false;
      } else {
        result += run;
        run.clear();
        inName = true;
      }
      ++i;
      continue;
    }
    (inName ? name : run) += c;
    ++i;
  }
  if (inName) result += std::string(1, openChar_) + name;
  else result += run;
  return result;
}
