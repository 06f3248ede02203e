#include "cursor_file.h"

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

std::vector<ResourceFile> CursorResources(const std::string& name,
                                          const std::vector<unsigned char>& file, int& next_id) {
  if (file.size() < 6 || Read16(file, 0) != 0 || Read16(file, 2) != 2 || Read16(file, 4) == 0) {
    throw CursorFileError("not a cursor file");
  }
  const unsigned count = Read16(file, 4);
  if (file.size() < 6 + 16 * static_cast<std::size_t>(count)) {
    throw CursorFileError("cursor directory cut short");
  }
  std::vector<ResourceFile> resources;
  ResourceFile group{"12", name, {}};
  Put(group.bytes, 0, 2);
  Put(group.bytes, 2, 2);
  Put(group.bytes, count, 2);
  for (unsigned i = 0; i < count; ++i) {
    const std::size_t entry = 6 + 16 * static_cast<std::size_t>(i);
    const unsigned size = Read32(file, entry + 8);
    const unsigned offset = Read32(file, entry + 12);
    if (offset > file.size() || size > file.size() - offset || size < 40) {
      throw CursorFileError("cursor picture outside the file");
    }
    const unsigned bits = Read16(file, offset + 14);
    const int id = next_id++;
    ResourceFile picture{"1", std::to_string(id), {}};
    Put(picture.bytes, Read16(file, entry + 4), 2);  // hot spot
    Put(picture.bytes, Read16(file, entry + 6), 2);
    picture.bytes.insert(picture.bytes.end(), file.begin() + offset, file.begin() + offset + size);
    // Width, height of both halves, planes, bits, bytes, picture number.
    const unsigned width = file[entry] == 0 ? 256 : file[entry];
    const unsigned height = file[entry + 1] == 0 ? 256 : file[entry + 1];
    Put(group.bytes, width, 2);
    Put(group.bytes, 2 * height, 2);
    Put(group.bytes, 1, 2);
    Put(group.bytes, bits, 2);
    Put(group.bytes, size + 4, 4);
    Put(group.bytes, static_cast<unsigned>(id), 2);
    resources.push_back(std::move(picture));
  }
  resources.push_back(std::move(group));
  return resources;
}

}  // namespace resembed
