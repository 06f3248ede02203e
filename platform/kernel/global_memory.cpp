// Global memory blocks: GlobalAlloc and its friends.
#include <map>
#include <memory>
#include <mutex>

#include <platform/kernel.h>

namespace {

struct Block {
  std::unique_ptr<std::byte[]> bytes;
  SIZE_T size = 0;
  int locks = 0;
};

std::mutex& Mutex() {
  static auto& mutex = *new std::mutex;
  return mutex;
}

// Live blocks by their handle, the address of their bytes.
std::map<HGLOBAL, Block>& Blocks() {
  static auto& blocks = *new std::map<HGLOBAL, Block>;
  return blocks;
}

Block* Find(HGLOBAL memory) {
  const auto it = Blocks().find(memory);
  if (it != Blocks().end()) return &it->second;
  SetLastError(ERROR_INVALID_HANDLE);
  return nullptr;
}

}  // namespace

HGLOBAL GlobalAlloc(UINT /* flags: every block is zeroed and stays put */, SIZE_T bytes) {
  Block block;
  // Even an empty block has an address of its own.
  block.bytes = std::make_unique<std::byte[]>(bytes > 0 ? bytes : 1);
  block.size = bytes;
  HGLOBAL handle = block.bytes.get();
  const std::lock_guard guard(Mutex());
  Blocks().emplace(handle, std::move(block));
  return handle;
}

LPVOID GlobalLock(HGLOBAL memory) {
  const std::lock_guard guard(Mutex());
  Block* block = Find(memory);
  if (block == nullptr) return nullptr;
  ++block->locks;
  return memory;
}

BOOL GlobalUnlock(HGLOBAL memory) {
  const std::lock_guard guard(Mutex());
  Block* block = Find(memory);
  if (block == nullptr) return FALSE;
  if (block->locks > 0) --block->locks;
  // FALSE with no error: the block is unlocked now.
  if (block->locks == 0) SetLastError(ERROR_SUCCESS);
  return block->locks > 0 ? TRUE : FALSE;
}

SIZE_T GlobalSize(HGLOBAL memory) {
  const std::lock_guard guard(Mutex());
  const Block* block = Find(memory);
  return block != nullptr ? block->size : 0;
}

HGLOBAL GlobalFree(HGLOBAL memory) {
  const std::lock_guard guard(Mutex());
  if (Find(memory) == nullptr) return memory;
  Blocks().erase(memory);
  return nullptr;
}
