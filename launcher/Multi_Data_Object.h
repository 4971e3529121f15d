// The data object of a drag out of the launcher: a text of lines becomes
// files (existing paths, plus an internet shortcut file per web address), the
// last web address, and the whole text.
#pragma once

#include <string>

#include "launcher/Data_Object.h"

class TFileDataHandler;
class TTextDataHandler;
class TURLDataHandler;
class TDropEffectDataHandler;

class TMultiDataObject : public TDataObject {
 public:
  TMultiDataObject();

  void SetContents(const std::string& text);
  const std::string& Contents() const { return contents_; }

  TFileDataHandler& FileHandler() { return *file_; }
  TTextDataHandler& TextHandler() { return *text_; }
  TURLDataHandler& URLHandler() { return *url_; }

 private:
  std::string contents_;
  TFileDataHandler* file_;
  TTextDataHandler* text_;
  TURLDataHandler* url_;
  TDropEffectDataHandler* effect_;
};
