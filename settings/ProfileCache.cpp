#include "settings/ProfileCache.h"

#include <map>
#include <mutex>

#include "settings/FileAccess.h"

namespace tagsling::settings {

namespace {

struct Entry {
  FileStamp stamp;
  std::shared_ptr<const ProfileDocument> document;
};

std::mutex cache_mutex;
std::map<std::string, Entry>& Cache() {
  static std::map<std::string, Entry> cache;
  return cache;
}

}  // namespace

std::shared_ptr<const ProfileDocument> CachedProfile(const std::string& path) {
  // The stamp is taken before the read: a change during the read shows as a
  // new stamp at the next call, never as a stale document.
  const FileStamp stamp = StampOf(path);
  {
    const std::lock_guard<std::mutex> lock(cache_mutex);
    const auto found = Cache().find(path);
    if (found != Cache().end() && found->second.stamp == stamp) return found->second.document;
  }
  auto document = std::make_shared<const ProfileDocument>(ProfileDocument::Load(path));
  const std::lock_guard<std::mutex> lock(cache_mutex);
  Cache()[path] = Entry{stamp, document};
  return document;
}

void ForgetCachedProfile(const std::string& path) {
  const std::lock_guard<std::mutex> lock(cache_mutex);
  Cache().erase(path);
}

}  // namespace tagsling::settings
