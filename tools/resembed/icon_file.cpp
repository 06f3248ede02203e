#include "icon_file.h"

namespace resembed {

namespace {

unsigned Read16(const std::vector<unsigned char>& bytes, std::size_t at) {
  return bytes[at] | bytes[at + 1] << 8;
}

unsigned Read32(const std::vector<unsigned char>& bytes, std::size_t at) {
  return Read16(bytes, at) | Read16(bytes, at + 2) << 16;
}

void Put(std::vector<unsigned char>& out, unsigned value, int size) {
  for (int i = 0; i < size; ++i) out.push_back(static_cast<unsigned char>(value >> (8 * i)));
}

}  // namespace

std::vector<ResourceFile> IconResources(IconFileKind kind, const std::string& name,
                                        const std::vector<unsigned char>& file, int& next_id) {
  const bool icon = kind == IconFileKind::kIcon;
  const auto type = static_cast<unsigned>(kind);
  if (file.size() < 6 || Read16(file, 0) != 0 || Read16(file, 2) != type || Read16(file, 4) == 0) {
    throw IconFileError(icon ? "not an icon file" : "not a cursor file");
  }
  const unsigned count = Read16(file, 4);
  if (file.size() < 6 + 16 * static_cast<std::size_t>(count)) {
    throw IconFileError("directory cut short");
  }
  std::vector<ResourceFile> resources;
  ResourceFile group{icon ? "14" : "12", name, {}};
  Put(group.bytes, 0, 2);
  Put(group.bytes, type, 2);
  Put(group.bytes, count, 2);
  for (unsigned i = 0; i < count; ++i) {
    const std::size_t entry = 6 + 16 * static_cast<std::size_t>(i);
    const unsigned size = Read32(file, entry + 8);
    const unsigned offset = Read32(file, entry + 12);
    if (offset > file.size() || size > file.size() - offset || size < 40) {
      throw IconFileError("picture outside the file");
    }
    // A bitmap picture tells its planes and bits itself; the directory's
    // numbers are often left 0. A cursor's directory has its hot spot there.
    const bool bitmap = Read32(file, offset) == 40;
    const unsigned planes = bitmap ? Read16(file, offset + 12) : Read16(file, entry + 4);
    const unsigned bits = bitmap ? Read16(file, offset + 14) : Read16(file, entry + 6);
    const int id = next_id++;
    ResourceFile picture{icon ? "3" : "1", std::to_string(id), {}};
    if (!icon) {
      Put(picture.bytes, Read16(file, entry + 4), 2);  // hot spot
      Put(picture.bytes, Read16(file, entry + 6), 2);
    }
    picture.bytes.insert(picture.bytes.end(), file.begin() + offset, file.begin() + offset + size);
    if (icon) {
      // Width, height and colours as bytes, one reserved, planes, bits,
      // bytes, picture number.
      group.bytes.insert(group.bytes.end(), {file[entry], file[entry + 1], file[entry + 2], 0});
      Put(group.bytes, planes, 2);
    } else {
      // Width, height of both halves, planes, bits, bytes, picture number.
      Put(group.bytes, file[entry] == 0 ? 256 : file[entry], 2);
      Put(group.bytes, 2 * (file[entry + 1] == 0 ? 256 : file[entry + 1]), 2);
      Put(group.bytes, 1, 2);
    }
    Put(group.bytes, bits, 2);
    Put(group.bytes, static_cast<unsigned>(picture.bytes.size()), 4);
    Put(group.bytes, static_cast<unsigned>(id), 2);
    resources.push_back(std::move(picture));
  }
  resources.push_back(std::move(group));
  return resources;
}

}  // namespace resembed
