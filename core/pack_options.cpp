// The placeholder rules of the title and author fields.
#include "core/pack_options.h"

std::string effectiveTitle(std::string_view title) {
  if (title.empty() || title == kTitlePlaceholder) return std::string(kDefaultPlayerTitle);
  return std::string(title);
}

std::string effectiveAuthor(std::string_view author) {
  if (author.empty() || author == kAuthorPlaceholder) return std::string();
  return std::string(author);
}
