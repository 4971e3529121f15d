// The launcher's own %NAME% resolver: QV.MainDir, QV.UserDir, QV.MainDrive,
// QV.IconDir and QV.ItemDir, the folders of the launcher's layout. It comes
// third in the expander's chain, after the built-in resolvers.
#pragma once

#include <functional>
#include <string>

class TExpandEnvString;

// The folders the resolver answers with, each without a trailing backslash.
struct TQVFolders {
  std::string MainDir;
  std::string UserDir;
  std::string IconsDir;
  std::string ItemsDir;
};

class TQVEnvHandler {
 public:
  // The folders are asked for at every resolution, so a layout that moves
  // (the editor re-bases it at start-up) is seen at once.
  using TFolderSource = std::function<TQVFolders()>;
  // Registers the resolver on the expander, which must not outlive this object.
  TQVEnvHandler(TExpandEnvString& expander, TFolderSource folders);
  TQVEnvHandler(const TQVEnvHandler&) = delete;
  TQVEnvHandler& operator=(const TQVEnvHandler&) = delete;

  void Resolve(std::string& text, bool& handled) const;

 private:
  TExpandEnvString& expander_;
  TFolderSource folders_;
};

// "C:" of a drive path, "\\server\share" of a network path, empty otherwise.
std::string ExtractFileDrive(const std::string& path);

// The launcher's resolver on the process's expander. The first call creates it
// (the built-in resolvers are registered before it) with the folder source;
// later calls return the same object and leave its source as it is.
TQVEnvHandler& QVEnvHandler(TQVEnvHandler::TFolderSource folders);
