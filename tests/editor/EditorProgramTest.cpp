// The editor program as it is installed: Files\QVEditor.exe starts and ends
// cleanly under Wine and carries its resources.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "core/FileIO.h"
#include "core/Handles.h"
#include "tests/support/TempDir.h"

namespace {

const char* const kEditorExe = QV_EDITOR_EXE;

TEST(EditorProgram, IsInstalledInTheFilesFolder) {
  std::string path = kEditorExe;
  for (char& c : path)
    if (c == '/') c = '\\';
  const std::string installed = "\\dist\\Files\\QVEditor.exe";
  ASSERT_GT(path.size(), installed.size());
  EXPECT_EQ(path.substr(path.size() - installed.size()), installed) << path;
}

// A request that asks for nothing opens no window: the program ends by
// itself, with 0.
TEST(EditorProgram, StartsAndEndsWithZero) {
  TempDir main;
  fileio::ForceDirectories(main / "Files");
  fileio::ForceDirectories(main / "Users");
  WriteTextFile(main / "Users\\UseSameData.ini", "");
  const std::string exe = main / "Files\\QVEditor.exe";
  ASSERT_TRUE(CopyFileA(kEditorExe, exe.c_str(), FALSE));
  std::string command = "\"" + exe + "\" Action=Nothing";
  STARTUPINFOA si = {};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi = {};
  ASSERT_TRUE(CreateProcessA(exe.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
      << GetLastError();
  core::TUniqueKernelHandle process(pi.hProcess), thread(pi.hThread);
  ASSERT_EQ(WaitForSingleObject(pi.hProcess, 30000), WAIT_OBJECT_0) << "it ends by itself";
  DWORD code = 1;
  ASSERT_TRUE(GetExitCodeProcess(pi.hProcess, &code));
  EXPECT_EQ(code, 0u);
}

// Visual styles need the manifest; the windows and shortcuts show the icon;
// the window picker drags its cursor.
TEST(EditorProgram, CarriesItsManifestIconAndPickerCursor) {
  HMODULE exe = LoadLibraryExA(kEditorExe, nullptr, LOAD_LIBRARY_AS_DATAFILE);
  ASSERT_NE(exe, nullptr) << GetLastError();
  EXPECT_NE(FindResourceA(exe, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24)), nullptr) << "manifest";
  EXPECT_NE(FindResourceA(exe, "MAINICON", MAKEINTRESOURCEA(14)), nullptr) << "icon";
  EXPECT_NE(FindResourceA(exe, "TARGETICON", MAKEINTRESOURCEA(14)), nullptr) << "picker cursor";
  HRSRC manifest = FindResourceA(exe, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24));
  if (manifest) {
    const char* text = static_cast<const char*>(LockResource(LoadResource(exe, manifest)));
    std::string xml(text, SizeofResource(exe, manifest));
    EXPECT_NE(xml.find("Microsoft.Windows.Common-Controls"), std::string::npos);
    EXPECT_NE(xml.find("6.0.0.0"), std::string::npos);
  }
  FreeLibrary(exe);
}

}  // namespace
