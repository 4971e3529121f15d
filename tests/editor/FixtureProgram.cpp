// A program file for the version window's tests to read: its icon and, in
// one build, its version resource.
#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) { return 0; }
