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
