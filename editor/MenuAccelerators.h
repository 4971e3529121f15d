// Accelerator keys for menu entries made from plain texts: each entry gets an
// "&" before its first letter or digit that no entry before it has taken, so
// that the entries can be chosen by key. An entry that marks its own keeps
// it; one with no free letter or digit (a Japanese text) gets none. Pure logic.
#pragma once

#include <string>
#include <vector>

std::vector<std::string> WithAutoAccelerators(const std::vector<std::string>& captions);
