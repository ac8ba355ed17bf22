#pragma once

// Starts a program as a user does and times it to its main window shown, from outside.

#include <windows.h>

#include <string>
#include <vector>

namespace tidora::bench {

struct Program {
  const char* name;
  std::wstring path;
  const wchar_t* window_class;
};

// The build folder: the bench programs lie in its bench\ folder.
std::wstring BuildFolder();
// Milliseconds from CreateProcess until the window showed (the program is then closed);
// negative if the program ended or took over 30 s.
double TimeStart(const Program& program);
double Median(std::vector<double> values);

}  // namespace tidora::bench
