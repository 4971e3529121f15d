// Keys typed and the pointer moved for real, as a person does it: SendInput with virtual-key
// codes, so the window that has the focus gets the whole key-down, character,
// key-up sequence from the system (US layout, as Wine maps it on Xvfb).
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace realinput {

// What a person sees of a process: its first visible top-level window of a
// class ("#32770" for a dialog, "tooltips_class32" for a tooltip), or null;
// and a tooltip's text (from any process).
HWND ShownWindow(DWORD processId, const char* className);
std::string ToolTipText(HWND tip);

// Presses the keys in order and releases them in reverse order (a chord).
void Chord(const std::vector<WORD>& keys);
// One character: letters, digits, blank and the ASCII punctuation of a US
// keyboard, with Shift where the character needs it.
void Char(char c);
// A key script: plain characters as Char, and names in braces as keys:
// {Enter} {Tab} {Esc} {BS} {Del} {Down} {Up} {Left} {Right} {Home} {End},
// {^A} for Ctrl with a letter.
void Type(const std::string& script);
// The same at a person's pace: each key is held down until settle() returns,
// then released, and settle() runs again (it waits until the program has
// handled what it got).
void TypeHeld(const std::string& script, const std::function<void()>& settle);

// For windows of the calling thread: each key is held down until the thread
// has taken it (its key state shows it), then released and awaited the same
// way; pump() handles the thread's messages meanwhile.
void TypeSeen(const std::string& script, const std::function<void()>& pump);

// The pointer moved for real to a point of the screen.
void PointerTo(POINT screen);

}  // namespace realinput
