// The presentation host: what DeckKeys does differently from the spreadsheet host.
#pragma once

#include <string>

#include "engine/host_profile.hpp"

namespace keytips {

// The presentation host, with its US and UK tables.
HostProfile presentationProfile(LanguageTables us, LanguageTables uk);

// The host language: the first preferred language as the host process sees it, unchanged; the empty
// text when the list is empty.
void getLanguage(std::string& language);

}  // namespace keytips
