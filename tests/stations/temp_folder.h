// A fresh folder under /tmp for one test, removed with everything in it afterwards.
#pragma once

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

class TempFolder {
 public:
  TempFolder() {
    char pattern[] = "/tmp/fennix-test-XXXXXX";
    path_ = mkdtemp(pattern);
  }
  ~TempFolder() { Remove(path_); }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::string& Path() const { return path_; }
  std::string operator/(const std::string& name) const { return path_ + "/" + name; }

  // Names in the folder, for checking that no temporary file was left behind.
  std::vector<std::string> Names() const {
    std::vector<std::string> names;
    if (DIR* dir = opendir(path_.c_str())) {
      while (dirent* e = readdir(dir)) {
        const std::string n = e->d_name;
        if (n != "." && n != "..") names.push_back(n);
      }
      closedir(dir);
    }
    return names;
  }

 private:
  static void Remove(const std::string& path) {
    if (DIR* dir = opendir(path.c_str())) {
      while (dirent* e = readdir(dir)) {
        const std::string n = e->d_name;
        if (n == "." || n == "..") continue;
        const std::string child = path + "/" + n;
        struct stat st;
        if (lstat(child.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) {
          Remove(child);
        } else {
          unlink(child.c_str());
        }
      }
      closedir(dir);
    }
    rmdir(path.c_str());
  }
  std::string path_;
};

inline std::string ReadFileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void WriteFileBytes(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}
