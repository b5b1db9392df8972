// requestPack: the checks in the program's order, each refusal with its own message.
#include "core/pack_request.h"

#include "core/gbk_text.h"
#include "core/message_box.h"

bool startSlideAcceptable(std::string_view startSlide) {
  return gbk::textToNumber(startSlide) - 1 >= -0.0000001;
}

PackRequestOutcome requestPack(const PackOptions& options, PackRequestHost& host) {
  using namespace request_text;
  host.resetProgress();

  // Where a message's caption is given as "the text", the box repeats its message as caption.
  auto refuse = [&](std::string_view text) {
    host.messageBox(text, text, kMbOk);
    return PackRequestOutcome::kRefused;
  };

  std::string outputPath = options.outputPath();
  if (outputPath.empty() || outputPath == kOutputPlaceholder) return refuse(kChooseOutput);

  if (!startSlideAcceptable(options.startSlide())) {
    host.messageBox(kStartSlideTooSmall, kDefaultCaption, kMbOk);
    return PackRequestOutcome::kRefused;
  }

  if (host.entryExists(outputPath) &&
      host.messageBox(kOverwriteOutput, kOverwriteOutput, kMbYesNo) != kResultYes) {
    return PackRequestOutcome::kRefused;
  }

  std::string sourcePath = options.sourcePath();
  if (sourcePath == kSourcePlaceholder) return refuse(kChooseSource);
  if (!host.entryExists(sourcePath)) {
    host.messageBox(kSourceMissing, kSourceMissing, kMbOk);
    host.trimWorkingSet();
    return PackRequestOutcome::kRefused;
  }

  std::string playerPassword(kNoPasswordMarker);
  if (options.usePassword()) {
    std::string password = options.password();
    bool cancelled = false;
    if (password.empty()) {
      if (host.messageBox(kCancelEmptyPassword, kCancelEmptyPassword, kMbYesNo) != kResultYes) {
        return PackRequestOutcome::kRefused;
      }
      cancelled = true;
    }
    if (password != options.passwordAgain()) return refuse(kPasswordsDiffer);
    if (!cancelled) playerPassword = password;
  }

  host.beginPackRun(playerPassword);
  host.trimWorkingSet();
  return PackRequestOutcome::kStarted;
}
