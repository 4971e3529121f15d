#include "editor/MenuAccelerators.h"

#include <set>

#include "core/Sjis.h"

namespace {

bool IsAcceleratorChar(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9'); }
char Folded(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

// The byte after a marking "&" ("&&" is a plain "&"), or npos.
size_t MarkedPos(const std::string& caption) {
  for (size_t i = 0; i < caption.size(); i = sjis::NextPos(caption, i)) {
    if (caption[i] != '&') continue;
    if (i + 1 < caption.size() && caption[i + 1] == '&') {
      ++i;
      continue;
    }
    return i + 1 < caption.size() ? i + 1 : sjis::npos;
  }
  return sjis::npos;
}

}  // namespace

std::vector<std::string> WithAutoAccelerators(const std::vector<std::string>& captions) {
  std::set<char> taken;
  for (const auto& c : captions) {
    size_t pos = MarkedPos(c);
    if (pos != sjis::npos && sjis::CharLen(c, pos) == 1) taken.insert(Folded(c[pos]));
  }
  std::vector<std::string> result;
  result.reserve(captions.size());
  for (const auto& c : captions) {
    std::string caption = c;
    if (caption != "-" && MarkedPos(caption) == sjis::npos) {
      for (size_t i = 0; i < caption.size(); i = sjis::NextPos(caption, i)) {
        if (sjis::CharLen(caption, i) != 1 || !IsAcceleratorChar(caption[i]) || taken.count(Folded(caption[i])))
          continue;
        taken.insert(Folded(caption[i]));
        caption = caption.substr(0, i) + "&" + caption.substr(i);
        break;
      }
    }
    result.push_back(std::move(caption));
  }
  return result;
}
