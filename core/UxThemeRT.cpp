#include "core/UxThemeRT.h"

namespace {

class ThemeLibrary {
 public:
  ThemeLibrary() : module_(LoadLibraryA("uxtheme.dll")) {
    if (!module_) return;
#define QV_BIND(name) entries_.name = reinterpret_cast<decltype(entries_.name)>(reinterpret_cast<void*>(GetProcAddress(module_, #name)))
    QV_BIND(OpenThemeData); QV_BIND(CloseThemeData); QV_BIND(DrawThemeBackground); QV_BIND(DrawThemeText);
    QV_BIND(GetThemeBackgroundContentRect); QV_BIND(GetThemeBackgroundExtent); QV_BIND(GetThemePartSize);
    QV_BIND(GetThemeTextExtent); QV_BIND(GetThemeTextMetrics); QV_BIND(GetThemeBackgroundRegion);
    QV_BIND(HitTestThemeBackground); QV_BIND(DrawThemeEdge); QV_BIND(DrawThemeIcon); QV_BIND(IsThemePartDefined);
    QV_BIND(IsThemeBackgroundPartiallyTransparent); QV_BIND(GetThemeColor); QV_BIND(GetThemeMetric);
    QV_BIND(GetThemeString); QV_BIND(GetThemeInt); QV_BIND(GetThemeEnumValue); QV_BIND(GetThemePosition);
    QV_BIND(GetThemeFont); QV_BIND(GetThemeRect); QV_BIND(GetThemeMargins); QV_BIND(GetThemeIntList);
    QV_BIND(GetThemePropertyOrigin); QV_BIND(SetWindowTheme); QV_BIND(GetThemeFilename); QV_BIND(GetThemeSysColor);
    QV_BIND(GetThemeSysColorBrush); QV_BIND(GetThemeSysBool); QV_BIND(GetThemeSysSize); QV_BIND(GetThemeSysFont);
    QV_BIND(GetThemeSysString); QV_BIND(GetThemeSysInt); QV_BIND(IsThemeActive); QV_BIND(IsAppThemed);
    QV_BIND(GetWindowTheme); QV_BIND(EnableThemeDialogTexture); QV_BIND(IsThemeDialogTextureEnabled);
    QV_BIND(GetThemeAppProperties); QV_BIND(SetThemeAppProperties); QV_BIND(GetCurrentThemeName);
    QV_BIND(GetThemeDocumentationProperty); QV_BIND(DrawThemeParentBackground); QV_BIND(EnableTheming);
#undef QV_BIND
  }
  ~ThemeLibrary() {
    if (module_) FreeLibrary(module_);
  }
  bool loaded() const { return module_ != nullptr; }
  const TUxThemeEntryPoints& entries() const { return entries_; }

 private:
  HMODULE module_;
  TUxThemeEntryPoints entries_;
};

ThemeLibrary& Library() {
  static ThemeLibrary library;
  return library;
}

const TUxThemeOverride* g_override = nullptr;

}  // namespace

const TUxThemeEntryPoints& UxTheme() { return g_override ? g_override->entries_ : Library().entries(); }
bool IsThemeLibraryLoaded() { return g_override ? g_override->loaded_ : Library().loaded(); }

TUxThemeOverride::TUxThemeOverride(const TUxThemeEntryPoints& entries, bool loaded)
    : entries_(entries), loaded_(loaded), previous_(g_override) {
  g_override = this;
}

TUxThemeOverride::~TUxThemeOverride() { g_override = previous_; }

void TThemeHandle::Open(HWND window, const wchar_t* themeClass) {
  Close();
  if (!IsThemeLibraryLoaded() || !UxTheme().OpenThemeData) return;
  theme_ = UxTheme().OpenThemeData(window, themeClass);
  close_ = UxTheme().CloseThemeData;
}

void TThemeHandle::Close() {
  if (theme_ && close_) close_(theme_);
  theme_ = nullptr;
  close_ = nullptr;
}

bool TThemeHandle::Themed() const {
  if (!IsThemeLibraryLoaded() || !theme_) return false;
  const TUxThemeEntryPoints& ux = UxTheme();
  return ux.IsThemeActive && ux.IsAppThemed && ux.IsThemeActive() && ux.IsAppThemed();
}
