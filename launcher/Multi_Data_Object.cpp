#include "launcher/Multi_Data_Object.h"
#include "core/WebAddress.h"

#include "core/Sjis.h"
#include "core/StringList.h"
#include "launcher/DropEffect_Data_Handler.h"
#include "launcher/File_Data_Handler.h"
#include "launcher/Text_Data_Handler.h"
#include "launcher/URL_Data_Handler.h"

TMultiDataObject::TMultiDataObject() {
  auto file = std::make_unique<TFileDataHandler>();
  auto text = std::make_unique<TTextDataHandler>();
  auto url = std::make_unique<TURLDataHandler>();
  auto effect = std::make_unique<TDropEffectDataHandler>();
  file_ = file.get();
  text_ = text.get();
  url_ = url.get();
  effect_ = effect.get();
  AddHandler(std::move(file));
  AddHandler(std::move(url));
  AddHandler(std::move(text));
  AddHandler(std::move(effect));
}

void TMultiDataObject::SetContents(const std::string& text) {
  contents_ = text;
  url_->URL.clear();
  text_->Text = text;
  TStringList lines;
  lines.SetText(text);
  TStringList files = lines;
  for (const std::string& line : lines) {
    if (!IsWebAddress(line)) continue;
    // A shortcut that could not be written leaves an empty line, which the
    // normalisation drops.
    files.Add(TURLDataHandler::WriteShortcutFile(line));
    url_->URL = line;
  }
  file_->SetFiles(files);
}
