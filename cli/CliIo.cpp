#include "cli/Cli.h"

#include <algorithm>
#include <cstdio>
#include <iostream>
#include <iterator>

#include "cli/Encoding.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>

#include "win/WinText.h"
#else
#include <unistd.h>
#include <climits>
#endif

namespace tagsling::cli {

bool CliContext::TakeFlag(const std::string& flag) {
  auto it = std::find(args.begin(), args.end(), flag);
  if (it == args.end()) return false;
  args.erase(it);
  return true;
}

std::optional<std::string> CliContext::TakeOption(const std::string& option) {
  auto it = std::find(args.begin(), args.end(), option);
  if (it == args.end() || std::next(it) == args.end()) return std::nullopt;
  std::string value = *std::next(it);
  args.erase(it, std::next(it, 2));
  return value;
}

std::string CliContext::ReadStdin() const {
#ifdef _WIN32
  _setmode(_fileno(stdin), _O_BINARY);
#endif
  std::string data((std::istreambuf_iterator<char>(std::cin)), std::istreambuf_iterator<char>());
  return utf8 ? Utf8ToLossless(data) : data;
}

void CliContext::Write(const std::string& sjis) const {
#ifdef _WIN32
  _setmode(_fileno(stdout), _O_BINARY);
#endif
  std::string out = utf8 ? LosslessToUtf8(sjis) : sjis;
  std::fwrite(out.data(), 1, out.size(), stdout);
  std::fflush(stdout);
}

int CliContext::Fail(const std::string& message, int code) const {
  std::string out = utf8 ? LosslessToUtf8(message) : message;
  std::fprintf(stderr, "%s\n", out.c_str());
  return code;
}

std::string ExecutableFolder() {
#ifdef _WIN32
  std::string out = win::ExecutablePath();
  return out.substr(0, out.find_last_of("\\/") + 1);
#else
  char buffer[PATH_MAX];
  ssize_t len = readlink("/proc/self/exe", buffer, sizeof buffer - 1);
  if (len <= 0) return "./";
  std::string out(buffer, static_cast<size_t>(len));
  return out.substr(0, out.find_last_of('/') + 1);
#endif
}

}  // namespace tagsling::cli
