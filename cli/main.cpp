// tervalo-pack: the packer core from the command line.
#include <cstring>

#include "cli/commands.h"
#include "core/os.h"

namespace {

struct Command {
  const char* name;
  const char* usage;
  int (*run)(const Arguments&);
};

const Command kCommands[] = {
    {"seal", "seal IN OUT        encipher a whole file under the fixed pass phrase", runSeal},
    {"unseal", "unseal IN OUT      decipher a sealed file; refuses one that is not valid", runUnseal},
    {"zip", "zip SOURCE ARCHIVE [--report-progress]   a presentation or its folder into a ZIP archive", runZip},
    {"pack", "pack [options] SOURCE OUTPUT   pack a presentation or its folder (pack --help)", runPack},
    {"inspect", "inspect FILE       show the parts, settings and entries of a packed file", runInspect},
};

void printUsage(bool toStdErr) {
  std::string text = "usage: tervalo-pack COMMAND ARGS...\ncommands:\n";
  for (const Command& c : kCommands) text += std::string("  ") + c.usage + "\n";
  os::printText(toStdErr, text);
}

}  // namespace

void printError(const std::string& line) { os::printText(true, line + "\n"); }

void printOut(const std::string& line) { os::printText(false, line + "\n"); }

int main(int argc, char** argv) {
  Arguments args;
  if (!os::programArguments(argc, argv, args)) {
    printError("tervalo-pack: an argument cannot be written in the GBK character set");
    return kExitUsage;
  }
  if (args.empty()) {
    printUsage(true);
    return kExitUsage;
  }
  if (args[0] == "--help" || args[0] == "-h" || args[0] == "help") {
    printUsage(false);
    return kExitOk;
  }
  for (const Command& c : kCommands) {
    if (args[0] == c.name) return c.run(Arguments(args.begin() + 1, args.end()));
  }
  printError("tervalo-pack: unknown command " + args[0]);
  printUsage(true);
  return kExitUsage;
}
