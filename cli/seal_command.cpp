// seal / unseal: a whole file into or out of the enciphered container under the fixed pass phrase.
#include "cli/commands.h"
#include "core/data_cipher.h"
#include "core/os.h"

namespace {

int transform(const Arguments& args, bool seal) {
  const char* name = seal ? "seal" : "unseal";
  if (args.size() != 2) {
    printError(std::string("usage: tervalo-pack ") + name + " IN OUT");
    return kExitUsage;
  }
  std::string in, out;
  if (!os::internalPath(args[0], in) || !os::internalPath(args[1], out)) {
    printError("tervalo-pack: a path holds a backslash, which this system cannot name");
    return kExitUsage;
  }
  ByteSet data;
  if (!os::readWholeFile(in, data)) {
    printError("tervalo-pack: cannot read " + args[0]);
    return kExitFailed;
  }
  if (seal && data.empty()) {
    printError("tervalo-pack: " + args[0] + " is empty; an empty file cannot be sealed");
    return kExitFailed;
  }
  ByteSet result = seal ? DataCipher::encrypt(data, kFixedPassPhrase) : DataCipher::decrypt(data, kFixedPassPhrase);
  if (result.empty()) {
    printError("tervalo-pack: " + args[0] + (seal ? " could not be sealed" : " is not a valid sealed file"));
    return kExitFailed;
  }
  if (os::writeWholeFile(out, result, os::CreateMode::kReplace) != os::WriteResult::kOk) {
    os::deleteFile(out);
    printError("tervalo-pack: cannot write " + args[1]);
    return kExitFailed;
  }
  return kExitOk;
}

}  // namespace

int runSeal(const Arguments& args) { return transform(args, true); }

int runUnseal(const Arguments& args) { return transform(args, false); }
