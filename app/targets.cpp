#include "app/targets.h"

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <cctype>
#include <set>
#include <utility>

namespace touchstone2 {

namespace {

bool isDirectory(const std::string& path, struct stat& info) {
  return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

// The names in one directory, read whole and closed before any of them is
// visited; false when the directory cannot be listed.
bool listDirectory(const std::string& path, std::vector<std::string>& names) {
  DIR* dir = ::opendir(path.c_str());
  if (dir == nullptr)
    return false;
  while (const dirent* entry = ::readdir(dir))
    names.emplace_back(entry->d_name);
  ::closedir(dir);
  return true;
}

std::string joined(const std::string& directory, const std::string& name) {
  return directory.back() == '/' ? directory + name : directory + '/' + name;
}

// Depth first with a stack of folders still to list. A folder met twice (a
// bind mount of a parent, say) is listed once, so even such a loop ends.
void walk(const std::string& root, std::vector<Target>& found) {
  std::set<std::pair<dev_t, ino_t>> seen;
  std::vector<std::string> pending{root};
  while (!pending.empty()) {
    const std::string folder = std::move(pending.back());
    pending.pop_back();
    struct stat info {};
    if (::stat(folder.c_str(), &info) == 0 && !seen.insert({info.st_dev, info.st_ino}).second)
      continue;
    std::vector<std::string> names;
    if (!listDirectory(folder, names)) {
      found.push_back({folder, false});
      continue;
    }
    for (const std::string& name : names) {
      if (name.empty() || name[0] == '.')
        continue;
      const std::string path = joined(folder, name);
      struct stat entry {};
      if (::lstat(path.c_str(), &entry) != 0)
        continue;  // gone since the listing
      if (S_ISDIR(entry.st_mode))
        pending.push_back(path);
      else if (isTouchstoneName(name) && !isDirectory(path, entry))
        found.push_back({path, false});  // a file, or a link to one (or to nothing)
    }
  }
}

}  // namespace

bool isTouchstoneName(const std::string& name) {
  const std::size_t dot = name.rfind('.');
  if (dot == std::string::npos)
    return false;
  std::string ending = name.substr(dot + 1);
  for (char& c : ending)
    c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  if (ending == "ts")
    return true;
  if (ending.size() < 3 || ending.front() != 's' || ending.back() != 'p')
    return false;
  return std::all_of(ending.begin() + 1, ending.end() - 1,
                     [](char c) { return c >= '0' && c <= '9'; });
}

std::vector<Target> collectTargets(const std::vector<std::string>& paths,
                                   const std::string& stdinName, bool& foundDirectory) {
  std::vector<Target> targets;
  foundDirectory = false;
  for (const std::string& path : paths) {
    struct stat info {};
    if (path == "-") {
      targets.push_back({stdinName, true});
    } else if (isDirectory(path, info)) {
      foundDirectory = true;
      const std::size_t first = targets.size();
      walk(path, targets);
      std::sort(targets.begin() + static_cast<std::ptrdiff_t>(first), targets.end(),
                [](const Target& a, const Target& b) { return a.path < b.path; });
    } else {
      targets.push_back({path, false});
    }
  }
  return targets;
}

}  // namespace touchstone2
