// pictures: draws the pictures of the docs on the headless host into a
// folder (docs/ with `make pictures`). Named pictures only, when given.
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "tools/pictures/pictures.h"

namespace {

struct Picture {
  const char* file;
  bool (*draw)(const std::string& path);
};

constexpr Picture kPictures[] = {
    {"controls.png", pictures::Controls},
    {"common_controls.png", pictures::CommonControls},
    {"hint.png", pictures::Hint},
    {"message-dialog.png", pictures::MessageDialog},
    {"framework-demo.png", pictures::FrameworkDemo},
    {"main-window.png", pictures::MainWindow},
};

bool Known(const std::string& name) {
  for (const Picture& picture : kPictures) {
    if (name == picture.file) return true;
  }
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: pictures FOLDER [PICTURE.png...]\n");
    return 2;
  }
  namespace fs = std::filesystem;
  const fs::path folder = fs::absolute(argv[1]);
  const std::vector<std::string> names(argv + 2, argv + argc);
  for (const std::string& name : names) {
    if (!Known(name)) {
      std::fprintf(stderr, "pictures: no picture %s\n", name.c_str());
      return 2;
    }
  }
  // The main form writes its working file where it starts: somewhere to throw away.
  std::string scratch = (fs::temp_directory_path() / "tavrion-pictures-XXXXXX").string();
  if (::mkdtemp(scratch.data()) == nullptr) {
    std::perror("pictures: a scratch folder");
    return 1;
  }
  const fs::path started = fs::current_path();
  fs::current_path(scratch);
  int status = 0;
  for (const Picture& picture : kPictures) {
    if (!names.empty() && std::find(names.begin(), names.end(), picture.file) == names.end()) {
      continue;
    }
    const std::string path = (folder / picture.file).string();
    if (picture.draw(path)) {
      std::printf("%s\n", path.c_str());
    } else {
      std::fprintf(stderr, "pictures: could not write %s\n", path.c_str());
      status = 1;
    }
  }
  fs::current_path(started);
  fs::remove_all(scratch);
  return status;
}
