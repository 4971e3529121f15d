// Keeps the editor library non-empty while its unit lists grow.
namespace editor {
int LibraryAnchor() { return 0; }
}  // namespace editor
