// The visual-styles library, bound at run time by name so that the programs
// start where it is missing. Callers test IsThemeLibraryLoaded (and the entry
// point) before every use; a missing library or function means classic drawing.
#pragma once

#include <windows.h>
#include <uxtheme.h>

struct TUxThemeEntryPoints {
  decltype(&::OpenThemeData) OpenThemeData = nullptr;
  decltype(&::CloseThemeData) CloseThemeData = nullptr;
  decltype(&::DrawThemeBackground) DrawThemeBackground = nullptr;
  decltype(&::DrawThemeText) DrawThemeText = nullptr;
  decltype(&::GetThemeBackgroundContentRect) GetThemeBackgroundContentRect = nullptr;
  decltype(&::GetThemeBackgroundExtent) GetThemeBackgroundExtent = nullptr;
  decltype(&::GetThemePartSize) GetThemePartSize = nullptr;
  decltype(&::GetThemeTextExtent) GetThemeTextExtent = nullptr;
  decltype(&::GetThemeTextMetrics) GetThemeTextMetrics = nullptr;
  decltype(&::GetThemeBackgroundRegion) GetThemeBackgroundRegion = nullptr;
  decltype(&::HitTestThemeBackground) HitTestThemeBackground = nullptr;
  decltype(&::DrawThemeEdge) DrawThemeEdge = nullptr;
  decltype(&::DrawThemeIcon) DrawThemeIcon = nullptr;
  decltype(&::IsThemePartDefined) IsThemePartDefined = nullptr;
  decltype(&::IsThemeBackgroundPartiallyTransparent) IsThemeBackgroundPartiallyTransparent = nullptr;
  decltype(&::GetThemeColor) GetThemeColor = nullptr;
  decltype(&::GetThemeMetric) GetThemeMetric = nullptr;
  decltype(&::GetThemeString) GetThemeString = nullptr;
  decltype(&::GetThemeInt) GetThemeInt = nullptr;
  decltype(&::GetThemeEnumValue) GetThemeEnumValue = nullptr;
  decltype(&::GetThemePosition) GetThemePosition = nullptr;
  decltype(&::GetThemeFont) GetThemeFont = nullptr;
  decltype(&::GetThemeRect) GetThemeRect = nullptr;
  decltype(&::GetThemeMargins) GetThemeMargins = nullptr;
  decltype(&::GetThemeIntList) GetThemeIntList = nullptr;
  decltype(&::GetThemePropertyOrigin) GetThemePropertyOrigin = nullptr;
  decltype(&::SetWindowTheme) SetWindowTheme = nullptr;
  decltype(&::GetThemeFilename) GetThemeFilename = nullptr;
  decltype(&::GetThemeSysColor) GetThemeSysColor = nullptr;
  decltype(&::GetThemeSysColorBrush) GetThemeSysColorBrush = nullptr;
  decltype(&::GetThemeSysBool) GetThemeSysBool = nullptr;
  decltype(&::GetThemeSysSize) GetThemeSysSize = nullptr;
  decltype(&::GetThemeSysFont) GetThemeSysFont = nullptr;
  decltype(&::GetThemeSysString) GetThemeSysString = nullptr;
  decltype(&::GetThemeSysInt) GetThemeSysInt = nullptr;
  decltype(&::IsThemeActive) IsThemeActive = nullptr;
  decltype(&::IsAppThemed) IsAppThemed = nullptr;
  decltype(&::GetWindowTheme) GetWindowTheme = nullptr;
  decltype(&::EnableThemeDialogTexture) EnableThemeDialogTexture = nullptr;
  decltype(&::IsThemeDialogTextureEnabled) IsThemeDialogTextureEnabled = nullptr;
  decltype(&::GetThemeAppProperties) GetThemeAppProperties = nullptr;
  decltype(&::SetThemeAppProperties) SetThemeAppProperties = nullptr;
  decltype(&::GetCurrentThemeName) GetCurrentThemeName = nullptr;
  decltype(&::GetThemeDocumentationProperty) GetThemeDocumentationProperty = nullptr;
  decltype(&::DrawThemeParentBackground) DrawThemeParentBackground = nullptr;
  decltype(&::EnableTheming) EnableTheming = nullptr;
};

// The entry points; loads the library on first use and unloads it at program end.
const TUxThemeEntryPoints& UxTheme();
bool IsThemeLibraryLoaded();

// Stands in for the library while it lives: UxTheme() answers its entry points
// and IsThemeLibraryLoaded its flag. For what a desktop cannot be made to do
// on demand (styles switched off, no library at all); the one before comes
// back at its end.
class TUxThemeOverride {
 public:
  explicit TUxThemeOverride(const TUxThemeEntryPoints& entries, bool loaded = true);
  ~TUxThemeOverride();
  TUxThemeOverride(const TUxThemeOverride&) = delete;
  TUxThemeOverride& operator=(const TUxThemeOverride&) = delete;

 private:
  TUxThemeEntryPoints entries_;
  bool loaded_;
  const TUxThemeOverride* previous_;
  friend const TUxThemeEntryPoints& UxTheme();
  friend bool IsThemeLibraryLoaded();
};

// A theme handle of one window, opened through the entry points (nothing
// happens without the library or the entry point) and closed by the library
// that opened it.
class TThemeHandle {
 public:
  TThemeHandle() = default;
  ~TThemeHandle() { Close(); }
  TThemeHandle(const TThemeHandle&) = delete;
  TThemeHandle& operator=(const TThemeHandle&) = delete;

  // Closes the one held, then opens the window's data of a theme class.
  void Open(HWND window, const wchar_t* themeClass);
  void Close();
  HTHEME get() const { return theme_; }
  // Visual styles draw with this handle: the library is loaded, the handle is
  // open, and both the desktop's and the program's styles are on.
  bool Themed() const;

 private:
  HTHEME theme_ = nullptr;
  decltype(&::CloseThemeData) close_ = nullptr;
};
