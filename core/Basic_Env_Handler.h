// The built-in %NAME% resolvers: special shell folders, then "ENV." environment
// variables, System, WinDir and the clipboard (ClipText, Clip).
#pragma once

#include <string>

class TExpandEnvString;

class TBasicEnvHandler {
 public:
  // Registers the special-folder resolver, then the environment, system and
  // clipboard resolver, on the expander.
  explicit TBasicEnvHandler(TExpandEnvString& expander);

  static void ResolveSpecialFolder(std::string& text, bool& handled);
  static void ResolveEnvironment(std::string& text, bool& handled);

 private:
  TExpandEnvString& expander_;
};

TBasicEnvHandler& GetBasicEnvHandler();

struct HWND__;

// The clipboard as text: the files of a file-drop list joined by CR LF, else the
// plain text, else empty.
std::string ReadClipboardText();
// Puts the text on the clipboard as CF_TEXT (owner: the window that owns it
// then); false when the clipboard cannot be opened or written.
bool WriteClipboardText(HWND__* owner, const std::string& text);
