#include "core/HotKey_Loader_File.h"

#include <istream>
#include <iterator>
#include <ostream>

#include "core/FileIO.h"
#include "core/HotKey_Factory.h"
#include "core/Sjis.h"
#include "core/StringList.h"

std::string THotKeyLoaderFile::ItemToLine(const THotKeyItem& item) {
  return item.GetName() + "\t" + sjis::IntToStr(item.GetModifiers()) + "\t" + sjis::IntToStr(item.GetKey()) + "\t" +
         sjis::IntToStr(item.GetClassId());
}

std::unique_ptr<THotKeyItem> THotKeyLoaderFile::LineToItem(std::string_view line) {
  TStringList fields;
  fields.SetDelimitedText(line, '\t', '"');
  int n = fields.Count();
  auto number = [&](int i) { return sjis::StrToIntDef(fields[i], 0); };
  auto item = n < 4 ? HotKeyFactory().CreateDefault() : HotKeyFactory().CreateByClassId(static_cast<uint8_t>(number(3) & 0xFF));
  if (n >= 1) item->SetName(fields[0]);
  if (n >= 2) item->SetModifiers(static_cast<uint8_t>(number(1) & 0x0F));
  if (n >= 3) item->SetKey(number(2));
  return item;
}

std::string THotKeyLoaderFile::ListToText(const THotKeyList& list) {
  std::string text;
  for (int i = 0; i < list.GetCount(); ++i) text += ItemToLine(list.GetItem(i)) + "\r\n";
  return text;
}

void THotKeyLoaderFile::TextToList(std::string_view text, THotKeyList& list) {
  list.Clear();
  for (const std::string& line : sjis::SplitLines(text)) list.Add(LineToItem(line));
}

bool THotKeyLoaderFile::LoadFromFile(const std::string& fileName, THotKeyList& list) {
  std::string data;
  fileio::RemoveStaleTemporaries(fileName);
  if (!fileio::FileExists(fileName) || !fileio::ReadWholeFile(fileName, data)) data.clear();
  TextToList(data, list);
  return true;
}

bool THotKeyLoaderFile::LoadFromStream(std::istream* stream, THotKeyList& list) {
  std::string data;
  if (stream) data.assign(std::istreambuf_iterator<char>(*stream), std::istreambuf_iterator<char>());
  TextToList(data, list);
  return true;
}

bool THotKeyLoaderFile::SaveToFile(const std::string& fileName, const THotKeyList& list) {
  std::string text = ListToText(list);
  std::string folder = sjis::ExcludeTrailingPathDelimiter(sjis::ExtractFilePath(fileName));
  if (!folder.empty() && !fileio::DirectoryExists(folder) && !fileio::ForceDirectories(folder)) return false;
  return fileio::WriteFileReplacing(fileName, text);
}

bool THotKeyLoaderFile::SaveToStream(std::ostream* stream, const THotKeyList& list) {
  if (!stream) return false;
  *stream << ListToText(list);
  return static_cast<bool>(*stream);
}
