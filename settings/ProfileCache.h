#pragma once
// Profile files read again and again ("Html.dat" at every tag command, the
// settings file for every user tag) are parsed once and parsed again only
// when their size or last-write time changed, so an edit still takes effect
// at the next command while a large file costs one parse, not one per
// command. Our own saves drop the entry at once. Safe to call from any
// thread.

#include <memory>
#include <string>

#include "settings/ProfileFile.h"

namespace tagsling::settings {

// The document of `path` as ProfileDocument::Load gives it (a missing file
// is an empty document).
std::shared_ptr<const ProfileDocument> CachedProfile(const std::string& path);

// Drops the entry of `path`; the next CachedProfile reads the file again.
void ForgetCachedProfile(const std::string& path);

}  // namespace tagsling::settings
