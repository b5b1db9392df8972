// A presentation's path: its extension, the module kind it calls for and that module's file.
#pragma once

#include <string>
#include <string_view>

// The last dot-separated piece of the path, cut at its first blank; empty without a dot.
// The caller lower-cases it before comparing with "ppt" and "pptx".
std::string extensionOf(std::string_view path);

// The module kind of a chosen source: 3 for ".ppt" in any letter case, else 10.
int moduleKindOfChosenSource(std::string_view path);

// The sealed playback module for the kind: "bf3.sj" for 3, "bf10.sj" for any other.
std::string_view moduleFileName(int kind);

// The module file for the kind in the program's folder.
std::string moduleFilePath(std::string_view programFolder, int kind);
