#include "core/StringIni.h"

#include "core/AppFlags.h"
#include "core/FileIO.h"
#include "core/ProgramPath.h"
#include "core/Sjis.h"

void TStringIni::LoadFromFile(const std::string& fileName) {
  std::string data;
  fileio::RemoveStaleTemporaries(fileName);
  if (fileio::ReadWholeFile(fileName, data)) Lines.SetText(data);
}

void TStringIni::SaveToFile(const std::string& fileName) const {
  fileio::WriteFileReplacing(fileName, Lines.GetText());
}

void TStringIni::LoadFromExeIni() { LoadFromFile(sjis::ChangeFileExt(ProgramFileName(), ".ini")); }
void TStringIni::SaveToExeIni() const { SaveToFile(sjis::ChangeFileExt(ProgramFileName(), ".ini")); }

bool TStringIni::DeleteKey(std::string_view name) {
  int i = Lines.IndexOfName(name);
  if (i < 0) return false;
  Lines.Delete(i);
  return true;
}

bool TStringIni::ValueExists(std::string_view name) const { return Lines.IndexOfName(name) >= 0; }

std::string TStringIni::GetName(int index) const {
  if (index < 0 || index >= Lines.Count()) return std::string();
  return Lines.Name(index);
}

std::string TStringIni::ReadString(std::string_view name, std::string_view def) const {
  if (app::Terminated()) return std::string();
  int i = Lines.IndexOfName(name);
  if (i < 0) return std::string(def);
  return UnescapeValue(Lines.ValueFromIndex(i));
}

int TStringIni::ReadInteger(std::string_view name, int def) const {
  return sjis::StrToIntDef(ReadString(name, sjis::IntToStr(def)), def);
}

bool TStringIni::ReadBool(std::string_view name, bool def) const { return ReadInteger(name, def ? 1 : 0) != 0; }

void TStringIni::WriteString(std::string_view name, std::string_view value) {
  std::string escaped = EscapeValue(value);
  int i = Lines.IndexOfName(name);
  if (escaped.empty()) {
    if (i >= 0) Lines.Delete(i);
    return;
  }
  std::string line = std::string(name) + "=" + escaped;
  if (i >= 0) Lines[i] = std::move(line);
  else Lines.Add(std::move(line));
}

void TStringIni::WriteInteger(std::string_view name, int value) { WriteString(name, sjis::IntToStr(value)); }
void TStringIni::WriteBool(std::string_view name, bool value) { WriteInteger(name, value ? 1 : 0); }

std::string TStringIni::SetText(std::string_view text) {
  if (text.empty()) return std::string();
  std::string r = sjis::ReplaceAll(text, "\\", "\\\\");
  r = sjis::ReplaceAll(r, "\t", "\\t");
  r = sjis::ReplaceAll(r, " ", "\\s");
  Lines.SetText(r);
  return r;
}

int TStringIni::IndexOfKey(std::string_view name) const {
  std::string prefix = std::string(name) + "=";
  for (int i = 0; i < Lines.Count(); ++i)
    if (sjis::StartsWithIgnoreCase(Lines[i], prefix)) return i;
  return -1;
}

std::string TStringIni::EscapeValue(std::string_view value) {
  // A lone CR or LF would split the stored line when the file is read back, so
  // every line break is stored as the CR LF escape.
  std::string r = sjis::NormalizeLineBreaks(value);
  if (sjis::Contains(r, "\\")) r = sjis::ReplaceAll(r, "\\", "\\\\");
  r = sjis::ReplaceAll(r, "\r\n", "\\n");
  r = sjis::ReplaceAll(r, "\t", "\\t");
  r = sjis::ReplaceAll(r, " ", "\\s");
  return r;
}

std::string TStringIni::UnescapeValue(std::string_view stored) {
  std::string r(stored);
  if (!sjis::Contains(r, "\\")) return r;
  r = sjis::ReplaceAll(r, "\\\\", "\x14", true);
  r = sjis::ReplaceAll(r, "\\n", "\r\n", true);
  r = sjis::ReplaceAll(r, "\\t", "\t", true);
  r = sjis::ReplaceAll(r, "\\s", " ", true);
  r = sjis::ReplaceAll(r, "\x14", "\\", true);
  return r;
}
