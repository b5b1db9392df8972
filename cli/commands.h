// tervalo-pack's subcommands: each takes its arguments (GBK texts) and returns the exit status.
#pragma once

#include <string>
#include <vector>

using Arguments = std::vector<std::string>;

// Exit statuses shared by every subcommand.
inline constexpr int kExitOk = 0;
inline constexpr int kExitFailed = 1;
inline constexpr int kExitUsage = 2;

int runSeal(const Arguments& args);
int runUnseal(const Arguments& args);
int runZip(const Arguments& args);
int runPack(const Arguments& args);
int runInspect(const Arguments& args);

// Prints one line (GBK text, shown as UTF-8) to standard error.
void printError(const std::string& line);
void printOut(const std::string& line);
