#include "SurveyTree.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cstdio>
#include <filesystem>
#include <system_error>

#include "core/Ascii.h"

namespace {

namespace fs = std::filesystem;

std::string Hex(uint64_t h) {
  char hex[17];
  std::snprintf(hex, sizeof hex, "%016llx", static_cast<unsigned long long>(h));
  return hex;
}

bool HasExtension(const fs::path& p, std::string_view ext) {
  std::string e = p.extension().string();
  if (e.size() != ext.size()) return false;
  for (size_t i = 0; i < e.size(); ++i)
    if (AsciiLower(e[i]) != ext[i]) return false;
  return true;
}

// Every regular file under root whose extension is ext (lower case), as
// relative paths. Links are not followed (the iterator's default) and are
// not listed: status() of a link entry is not asked for, only its own type.
std::vector<std::string> ListFiles(const std::string& root, std::string_view ext, std::vector<std::string>& skipped) {
  std::vector<std::string> files;
  std::error_code ec;
  const fs::path base(root);
  fs::recursive_directory_iterator it(base, fs::directory_options::skip_permission_denied, ec), end;
  if (ec) {
    skipped.push_back(root + ": " + ec.message());
    return files;
  }
  for (; it != end; it.increment(ec)) {
    if (ec) {
      skipped.push_back(it->path().string() + ": " + ec.message());
      ec.clear();
      continue;
    }
    const fs::directory_entry& entry = *it;
    if (entry.is_symlink(ec) || !entry.is_regular_file(ec)) continue;
    if (!HasExtension(entry.path(), ext)) continue;
    files.push_back(entry.path().lexically_relative(base).generic_string());
  }
  std::sort(files.begin(), files.end());
  return files;
}

}  // namespace

std::vector<TreeForm> ListTreeForms(const std::string& root, std::vector<std::string>& skipped) {
  std::vector<TreeForm> forms;
  for (std::string& path : ListFiles(root, ".dfm", skipped)) forms.push_back({std::move(path), {}});
  return forms;
}

std::vector<std::string> ListTreeUnits(const std::string& root, std::vector<std::string>& skipped) {
  return ListFiles(root, ".pas", skipped);
}

uint64_t HashBytes(std::string_view bytes, uint64_t seed) {
  uint64_t h = seed;
  for (unsigned char c : bytes) {
    h ^= c;
    h *= 0x100000001b3ull;
  }
  return h;
}

std::string FormResultKey(const TreeForm& form, std::string_view content) {
  // The version part changes when the results a survey keeps change shape,
  // so that an older output is redone rather than misread.
  uint64_t h = HashBytes("tessaly survey 1");
  const std::string id = form.Id();
  h = HashBytes(id, h);
  h = HashBytes(std::string_view("\0", 1), h);
  h = HashBytes(content, h);
  return Hex(h);
}

std::string TreeFilesDigest(const std::string& root, const std::vector<std::string>& files) {
  uint64_t h = HashBytes("tree");
  for (const std::string& rel : files) {
    std::error_code ec;
    const fs::path p = fs::path(root) / rel;
    const auto size = fs::file_size(p, ec);
    const auto time = fs::last_write_time(p, ec).time_since_epoch().count();
    const std::string line = rel + '\0' + std::to_string(ec ? 0 : size) + '\0' + std::to_string(time) + '\n';
    h = HashBytes(line, h);
  }
  return Hex(h);
}

std::string CombinedResultKey(std::string_view key, std::string_view digest) {
  return Hex(HashBytes(digest, HashBytes(key)));
}

bool ParseShard(std::string_view text, SurveyShard& shard) {
  const size_t slash = text.find('/');
  if (slash == std::string_view::npos) return false;
  int k = 0, n = 0;
  auto parse = [](std::string_view s, int& v) {
    auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
    return !s.empty() && ec == std::errc() && end == s.data() + s.size();
  };
  if (!parse(text.substr(0, slash), k) || !parse(text.substr(slash + 1), n)) return false;
  if (k < 1 || n < 1 || k > n || n > 1000000) return false;
  shard = {k, n};
  return true;
}

bool InShard(const TreeForm& form, const SurveyShard& shard) {
  if (shard.count <= 1) return true;
  return HashBytes(form.Id()) % static_cast<uint64_t>(shard.count) == static_cast<uint64_t>(shard.index - 1);
}
