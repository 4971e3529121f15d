// The launcher's own %NAME% resolver: QV.MainDir, QV.UserDir, QV.MainDrive,
// QV.IconDir and QV.ItemDir, the folders of the process's folder layout. It
// comes third in the expander's chain, after the built-in resolvers.
#pragma once

#include <string>

class TExpandEnvString;

class TQVEnvHandler {
 public:
  // Registers the resolver on the expander, which must not outlive this object.
  explicit TQVEnvHandler(TExpandEnvString& expander);
  TQVEnvHandler(const TQVEnvHandler&) = delete;
  TQVEnvHandler& operator=(const TQVEnvHandler&) = delete;

  // Values come from the folder layout at every resolution, so a layout that
  // is re-based is seen at once.
  void Resolve(std::string& text, bool& handled) const;

 private:
  TExpandEnvString& expander_;
};

// "C:" of a drive path, "\\server\share" of a network path, empty otherwise.
std::string ExtractFileDrive(const std::string& path);

// The launcher's resolver on the process's expander, created on first use
// (after the built-in resolvers, which the expander registers first). The
// launcher calls it once at start-up.
TQVEnvHandler& QVEnvHandler();
